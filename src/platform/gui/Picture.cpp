#include "platform/gui/Picture.h"

#include "platform/gui/Surface.h"

Surface* makePicture(QWidget* parent, const QString& name, QRect geometry, const DrawList& ops)
{
    // Without its border, the surface's picture is as large as the whole control.
    auto* s = new Surface(name, geometry.size() + QSize(4, 4), geometry.width(), geometry.height(),
                          parent);
    s->setFrameStyle(QFrame::NoFrame);
    s->setLineWidth(0);
    s->setGeometry(geometry);
    s->setFocusPolicy(Qt::NoFocus);
    s->replay(ops, 0);
    return s;
}
