#pragma once

#include "analysis/AreaLevels.h"

#include <QString>
#include <functional>
#include <span>

class QChart;

namespace spl {

/// One set of curves of the level along the areas: the levels, the line
/// style they are drawn with, and how a curve is named (by its area's number)
/// for the object tree (`prefix` then the number) and for the legend.
struct AreaCurveSet
{
    const AreaLevels& levels;
    Qt::PenStyle style = Qt::SolidLine;
    QString prefix;
    std::function<QString(int area)> name;
};

/// A chart for plotAreaCurves: its legend below, value axes "AxisX" (distance)
/// and "AxisY" (level) labelled in whole numbers.
QChart* areaCurvesChart();

/// Fills `chart` (which holds one horizontal and one vertical value axis) with
/// every curve of `sets`, each area in its colour (kAreaColours), and fits the
/// axes to round figures around them. Returns whether any point has a level.
bool plotAreaCurves(QChart& chart, std::span<const AreaCurveSet> sets);

/// Names a curve of the before-and-after plot: its area's number and whether
/// it is the level after the proposal.
using CurveName = std::function<QString(int area, bool after)>;

/// The level along each area before (dashed) and after (solid) a proposal,
/// the series named `Before<n>` and `After<n>` for area n; without any level
/// the plot shows no axes.
void plotBeforeAfter(QChart& chart, const AreaLevels& before, const AreaLevels& after,
                     const CurveName& name);

} // namespace spl
