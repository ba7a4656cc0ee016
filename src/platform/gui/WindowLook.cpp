#include "platform/gui/WindowLook.h"

#include <QPalette>
#include <QWidget>

void useDesignFont(QWidget* window)
{
    QFont f = window->font();
    f.setPointSizeF(8.0);
    window->setFont(f);
}

void useWhiteBackground(QWidget* window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::white);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}
