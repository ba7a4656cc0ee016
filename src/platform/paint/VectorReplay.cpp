#include "platform/paint/VectorReplay.h"

#include "platform/paint/Canvas.h"

#include <QPainter>

namespace {

/// Draws each operation as a shape, the scale's extent filling the target.
struct Shapes
{
    QPainter& painter;
    const QRectF& target;
    double scaleWidth;
    double scaleHeight;
    double pixel;
    QColor background;
    int width = 1;

    QPointF at(double x, double y) const
    {
        return QPointF(target.left() + x * target.width() / scaleWidth,
                       target.top() + y * target.height() / scaleHeight);
    }
    void clear() { painter.fillRect(target, background); }
    void lineWidth(int w) { width = w < 1 ? 1 : w; }
    void line(double x1, double y1, double x2, double y2, std::optional<uint32_t> rgb)
    {
        QPen pen(colourOf(rgb), width * pixel);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(at(x1, y1), at(x2, y2));
    }
    void point(double x, double y, std::optional<uint32_t> rgb)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colourOf(rgb));
        const double r = width * pixel / 2;
        painter.drawEllipse(at(x, y), r, r);
    }
    void box(double x1, double y1, double x2, double y2, std::optional<uint32_t> rgb)
    {
        painter.fillRect(QRectF(at(x1, y1), at(x2, y2)).normalized(), colourOf(rgb));
    }
};

} // namespace

void replayVector(QPainter& painter, const DrawList& list, int surface, const QRectF& target,
                  double scaleWidth, double scaleHeight, double pixel, QColor background)
{
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    Shapes shapes{painter, target, scaleWidth, scaleHeight, pixel, background};
    replayOps(list, surface, shapes);
    painter.restore();
}
