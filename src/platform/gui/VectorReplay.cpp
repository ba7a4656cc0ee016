#include "platform/gui/VectorReplay.h"

#include "platform/gui/Canvas.h"

#include <QPainter>
#include <cmath>

void replayVector(QPainter& painter, const DrawList& list, int surface, const QRectF& target,
                  double scaleWidth, double scaleHeight, double pixel, QColor background)
{
    const auto at = [&](double x, double y) {
        return QPointF(target.left() + x * target.width() / scaleWidth,
                       target.top() + y * target.height() / scaleHeight);
    };
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    int width = 1;
    for (const DrawOp& op : list) {
        if (op.surface != surface)
            continue;
        if (!std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2) ||
            !std::isfinite(op.y2))
            continue;
        switch (op.kind) {
        case DrawOp::Kind::Clear:
            painter.fillRect(target, background);
            break;
        case DrawOp::Kind::LineWidth:
            width = op.width < 1 ? 1 : op.width;
            break;
        case DrawOp::Kind::Line: {
            QPen pen(colourOf(op.rgb), width * pixel);
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            painter.drawLine(at(op.x1, op.y1), at(op.x2, op.y2));
            break;
        }
        case DrawOp::Kind::Point: {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colourOf(op.rgb));
            const double r = width * pixel / 2;
            painter.drawEllipse(at(op.x1, op.y1), r, r);
            break;
        }
        case DrawOp::Kind::Box:
            painter.fillRect(QRectF(at(op.x1, op.y1), at(op.x2, op.y2)).normalized(),
                             colourOf(op.rgb));
            break;
        }
    }
    painter.restore();
}
