#include "platform/gui/WindowLook.h"

#include "platform/gui/Accessibility.h"
#include "platform/gui/CaptionFit.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void useDesignFont(QWidget* window)
{
    // Widgets under a style sheet take the application's font, not their
    // window's: the program has one font, so it is the application's too.
    const QFont f = designFont();
    if (QApplication::font() != f)
        QApplication::setFont(f);
    window->setFont(f);
}

void settleCaptions(QWidget* window)
{
    // Names last: a caption that fits again drops the name its shortening gave it.
    fitCaptions(window);
    a11y::applyNames(window);
}

void useWhiteBackground(QWidget* window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::white);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}
