#pragma once

#include <QRect>

class QWidget;

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

/// The small font every window of the program is laid out for.
void useDesignFont(QWidget* window);
/// A white window background, as the tool windows have.
void useWhiteBackground(QWidget* window);
