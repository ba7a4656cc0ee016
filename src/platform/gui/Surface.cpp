#include "platform/gui/Surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace {
constexpr int kBorder = 2;     // a 3-D border of 30 twips
constexpr double kMarkArm = 5; // pixels from a mark's centre to the end of its arms
} // namespace

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

void Surface::setMarks(const QList<Mark>& marks)
{
    if (marks == m_marks)
        return;
    m_marks = marks;
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
    p.setClipRect(contentsRect());
    p.setRenderHint(QPainter::Antialiasing);
    for (const Mark& m : m_marks) {
        const QPointF c = QPointF(contentsRect().topLeft()) + canvas().toPixels(m.at.x(), m.at.y());
        const QLineF arms[] = {
            {c - QPointF(kMarkArm, kMarkArm), c + QPointF(kMarkArm, kMarkArm)},
            {c - QPointF(kMarkArm, -kMarkArm), c + QPointF(kMarkArm, -kMarkArm)}};
        // A white edge keeps the cross visible on any colour of the map.
        for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 4.0}, {m.colour, 2.0}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            p.drawLines(arms, 2);
        }
    }
}

void Surface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF inside = event->position() - contentsRect().topLeft();
    const QPointF s = canvas().toScale(inside);
    emit mouseMoved(s.x(), s.y());
    QFrame::mouseMoveEvent(event);
}

void Surface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPointF s = canvas().toScale(event->position() - contentsRect().topLeft());
        emit clicked(s.x(), s.y());
    }
    QFrame::mousePressEvent(event);
}

void Surface::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (contentsRect().size() != m_canvas.image().size())
        m_canvas.resize(contentsRect().size());
}
