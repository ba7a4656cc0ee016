#pragma once

#include "analysis/AreaLevels.h"

#include <QString>
#include <functional>

class QChart;

namespace spl {

/// Names a curve of the before-and-after plot: its area's number and whether
/// it is the level after the proposal.
using CurveName = std::function<QString(int area, bool after)>;

/// Fills `chart` (which holds one horizontal and one vertical value axis) with
/// the level along each area before (dashed) and after (solid) a proposal,
/// each area in its colour, and fits the axes to round figures around them.
/// The series are named `Before<n>` and `After<n>` for area n.
void plotBeforeAfter(QChart& chart, const AreaLevels& before, const AreaLevels& after,
                     const CurveName& name);

} // namespace spl
