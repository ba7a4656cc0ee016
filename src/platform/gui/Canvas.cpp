#include "platform/gui/Canvas.h"

#include <QTransform>
#include <cmath>

Canvas::Canvas(QSize pixels, double scaleWidth, double scaleHeight, QColor background)
    : m_image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32), m_background(background),
      m_scaleWidth(scaleWidth), m_scaleHeight(scaleHeight)
{
    clear();
}

void Canvas::clear()
{
    m_image.fill(m_background);
}

QPointF Canvas::toPixels(double x, double y) const
{
    return {x * m_image.width() / m_scaleWidth, y * m_image.height() / m_scaleHeight};
}

QPointF Canvas::toScale(QPointF p) const
{
    return {p.x() * m_scaleWidth / m_image.width(), p.y() * m_scaleHeight / m_image.height()};
}

void Canvas::preparePen(QPainter& p, std::optional<QColor> colour) const
{
    p.setCompositionMode(m_drawMode);
    QPen pen(colour.value_or(Qt::black));
    pen.setWidth(m_lineWidth);
    pen.setStyle(m_lineStyle);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
}

void Canvas::line(double x1, double y1, double x2, double y2, std::optional<QColor> colour)
{
    QPainter p(&m_image);
    preparePen(p, colour);
    // Aliased, so that every pixel of a line has exactly the line's colour.
    p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
}

void Canvas::box(double x1, double y1, double x2, double y2, QColor colour)
{
    QPainter p(&m_image);
    p.setCompositionMode(m_drawMode);
    const QRectF r = QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized();
    p.fillRect(r, colour);
}

void Canvas::point(double x, double y, std::optional<QColor> colour)
{
    QPainter p(&m_image);
    p.setCompositionMode(m_drawMode);
    const QPointF c = toPixels(x, y);
    const QColor col = colour.value_or(Qt::black);
    if (m_lineWidth <= 1) {
        p.setPen(col);
        p.drawPoint(c);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    // Centred on the middle of the pixel, so the dot is as many pixels across as the width.
    const double r = m_lineWidth / 2.0;
    p.drawEllipse(c + QPointF(0.5, 0.5), r, r);
}

void Canvas::blockTransfer(const Canvas& source, QPointF topLeft, QPointF topRight,
                           QPointF bottomLeft)
{
    const QPointF a = toPixels(topLeft.x(), topLeft.y());
    const QPointF b = toPixels(topRight.x(), topRight.y());
    const QPointF c = toPixels(bottomLeft.x(), bottomLeft.y());
    const double w = source.m_image.width();
    const double h = source.m_image.height();
    // Maps the source's pixel rectangle onto the parallelogram a, b, c.
    const QTransform t((b.x() - a.x()) / w, (b.y() - a.y()) / w, (c.x() - a.x()) / h,
                       (c.y() - a.y()) / h, a.x(), a.y());
    QPainter p(&m_image);
    p.setCompositionMode(m_drawMode);
    p.setTransform(t);
    p.drawImage(QPointF(0, 0), source.m_image);
}

void Canvas::replay(const DrawList& list, int surface)
{
    for (const DrawOp& op : list) {
        if (op.surface != surface)
            continue;
        // A degenerate view (no height at all) can put points at infinity: skip them.
        if (!std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2) ||
            !std::isfinite(op.y2))
            continue;
        switch (op.kind) {
        case DrawOp::Kind::Clear:
            clear();
            break;
        case DrawOp::Kind::LineWidth:
            setLineWidth(op.width);
            break;
        case DrawOp::Kind::Line:
            line(op.x1, op.y1, op.x2, op.y2, colourOf(op.rgb));
            break;
        case DrawOp::Kind::Point:
            point(op.x1, op.y1, colourOf(op.rgb));
            break;
        case DrawOp::Kind::Box:
            box(op.x1, op.y1, op.x2, op.y2, colourOf(op.rgb));
            break;
        }
    }
}

void Canvas::resize(QSize pixels)
{
    m_image = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    clear();
}
