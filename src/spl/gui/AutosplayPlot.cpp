#include "spl/gui/AutosplayPlot.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace spl {

void plotBeforeAfter(QChart& chart, const AreaLevels& before, const AreaLevels& after,
                     const CurveName& name)
{
    chart.removeAllSeries();
    auto* axisX = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).front());
    auto* axisY = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).front());
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    bool any = false;
    const auto add = [&](const AreaCurve& curve, bool isAfter) {
        auto* series = new QLineSeries(&chart);
        series->setObjectName(QStringLiteral("%1%2")
                                  .arg(isAfter ? QStringLiteral("After") : QStringLiteral("Before"))
                                  .arg(curve.number));
        series->setName(name(curve.number, isAfter));
        QPen pen(QColor::fromRgb(kAreaColours[(curve.number - 1) % 3]));
        pen.setWidth(2);
        pen.setStyle(isAfter ? Qt::SolidLine : Qt::DashLine);
        series->setPen(pen);
        QList<QPointF> points;
        points.reserve(qsizetype(curve.points.size()));
        for (const AreaPoint& p : curve.points) {
            if (!std::isfinite(p.level))
                continue;
            points.append(QPointF(p.distance, p.level));
            if (!any) {
                x0 = x1 = p.distance;
                y0 = y1 = p.level;
                any = true;
            }
            x0 = std::min<double>(x0, p.distance);
            x1 = std::max<double>(x1, p.distance);
            y0 = std::min<double>(y0, p.level);
            y1 = std::max<double>(y1, p.level);
        }
        series->replace(points);
        chart.addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    };
    for (const AreaCurve& curve : before.areas)
        add(curve, false);
    for (const AreaCurve& curve : after.areas)
        add(curve, true);
    axisX->setRange(std::floor(x0), std::max(std::ceil(x1), std::floor(x0) + 1));
    axisY->setRange(std::floor(y0) - 1, std::ceil(y1) + 1);
    axisX->applyNiceNumbers();
    axisY->applyNiceNumbers();
    // No proposal: an empty plot, without axes.
    axisX->setVisible(any);
    axisY->setVisible(any);
}

} // namespace spl
