#include "spl/gui/AreaCurvesPlot.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace spl {

QChart* areaCurvesChart()
{
    auto* chart = new QChart;
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    for (const auto& [name, side] :
         {std::pair{"AxisX", Qt::AlignBottom}, {"AxisY", Qt::AlignLeft}}) {
        auto* axis = new QValueAxis(chart);
        axis->setObjectName(QString::fromLatin1(name));
        axis->setLabelFormat(QStringLiteral("%.0f"));
        chart->addAxis(axis, side);
    }
    return chart;
}

bool plotAreaCurves(QChart& chart, std::span<const AreaCurveSet> sets)
{
    chart.removeAllSeries();
    auto* axisX = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).front());
    auto* axisY = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).front());
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    bool any = false;
    for (const AreaCurveSet& set : sets) {
        for (const AreaCurve& curve : set.levels.areas) {
            auto* series = new QLineSeries(&chart);
            series->setObjectName(set.prefix + QString::number(curve.number));
            series->setName(set.name(curve.number));
            QPen pen(QColor::fromRgb(kAreaColours[(curve.number - 1) % 3]));
            pen.setWidth(2);
            pen.setStyle(set.style);
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
        }
    }
    // Round figures around the curves.
    axisX->setRange(std::floor(x0), std::max(std::ceil(x1), std::floor(x0) + 1));
    axisY->setRange(std::floor(y0) - 1, std::ceil(y1) + 1);
    axisX->applyNiceNumbers();
    axisY->applyNiceNumbers();
    return any;
}

void plotBeforeAfter(QChart& chart, const AreaLevels& before, const AreaLevels& after,
                     const CurveName& name)
{
    const AreaCurveSet sets[] = {
        {before, Qt::DashLine, QStringLiteral("Before"), [&](int n) { return name(n, false); }},
        {after, Qt::SolidLine, QStringLiteral("After"), [&](int n) { return name(n, true); }},
    };
    const bool any = plotAreaCurves(chart, sets);
    // No proposal: an empty plot, without axes.
    for (QAbstractAxis* axis : chart.axes())
        axis->setVisible(any);
}

} // namespace spl
