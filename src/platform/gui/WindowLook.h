#pragma once

#include "platform/paint/DesignFont.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

/// Design positions of the windows are in twips, 15 to the pixel at 96 dpi; Qt
/// scales the pixels for high-DPI screens.
constexpr int tw(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

inline QRect twRect(int left, int top, int width, int height)
{
    return {tw(left), tw(top), tw(width), tw(height)};
}

/// A control of a window, named and placed as designed.
template <typename W> W* make(QWidget* parent, const QString& name, QRect geometry)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

void useDesignFont(QWidget* window);
/// Brings the captions of `window` in line after they were (re)set: the
/// accessible names of its controls follow them, and captions too long for
/// their place are shortened, with the whole text as tool tip.
void settleCaptions(QWidget* window);
/// A white window background, as the tool windows have.
void useWhiteBackground(QWidget* window);
