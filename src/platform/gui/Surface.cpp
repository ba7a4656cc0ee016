#include "platform/gui/Surface.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kBorder = 2; // a 3-D border of 30 twips
}

Surface::Surface(const QString& name, QSize outer, double scaleWidth, double scaleHeight,
                 QWidget* parent)
    : QFrame(parent), m_canvas(outer - QSize(2 * kBorder, 2 * kBorder), scaleWidth, scaleHeight)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setMouseTracking(true);
    // A click on the picture takes the focus, so leaving a field this way checks it.
    setFocusPolicy(Qt::ClickFocus);
    resize(outer);
}

void Surface::replay(const DrawList& list, int surfaceId)
{
    m_canvas.replay(list, surfaceId);
    update();
}

void Surface::showCanvas(const Canvas* source)
{
    m_source = source;
    update();
}

void Surface::refresh()
{
    repaint();
}

void Surface::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), canvas().image());
}

void Surface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF inside = event->position() - contentsRect().topLeft();
    const QPointF s = canvas().toScale(inside);
    emit mouseMoved(s.x(), s.y());
    QFrame::mouseMoveEvent(event);
}

void Surface::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (contentsRect().size() != m_canvas.image().size())
        m_canvas.resize(contentsRect().size());
}
