#pragma once

#include "project/data/CalculationSettings.h"

#include "spl/MapPainting.h"
#include "spl/Result.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

/// The cell-by-cell map: every calculation cell painted at its own place in
/// the colour of its level, on the class ramps of the distribution map; and
/// the way back from a point of the map to the cell under it.
namespace spl {

/// The style's name on the command line: "distribution" or "cells".
QString mapStyleName(MapStyle style);
std::optional<MapStyle> mapStyleNamed(const QString& name);

/// The colour (0xRRGGBB) of a cell of level L: its class's ramp (see
/// classColour), at the step where L lies inside the class, the top of the
/// class at step 0 and its bottom at step 255, rounded half to even. The open
/// classes are given a 10 dB span: class 1 from 130 dB (magenta at and above
/// it, as the legend shows) down to 120, class 6 from 95 dB down to 85 (black
/// at and below it). A level with no value is black.
uint32_t cellColour(float L);

/// A cell of the grid, 1-based.
struct CellIndex
{
    int row = 0;
    int column = 0;
    bool operator==(const CellIndex&) const = default;
};

/// The cell under a point of the vertical plane (distance X and height Y, m),
/// as the map places the rows: the top row reaches up to the top of the map
/// and the last row down to its bottom. None beyond the grid's columns or at
/// or behind the array plane.
std::optional<CellIndex> cellAt(const Result& result, double X, double Y);

/// Where a map was painted: the side-view values, the overlay's pixels and
/// scale, and, when the map was turned, the corners the turned picture went to
/// and that picture's own pixels and scale (Picture33's, painted at its own
/// scale width). Enough to find the cell under a point of Picture44.
struct MapPlacement
{
    MapView view;
    OverlayPixels overlay;
    std::optional<std::array<PointL, 3>> corners;
    OverlayPixels turned;
    bool operator==(const MapPlacement&) const = default;
};

/// The point of the vertical plane (distance X and height Y, m) that a point
/// of Picture44 (scale units) shows, turn or no turn: where a level read
/// through LevelModel::levelsAt is the level the map shows there.
std::array<double, 2> viewPoint(const MapView& view, double x44, double y44);
/// The point of Picture44 (scale units) that shows a point of the vertical
/// plane: the way back from viewPoint.
std::array<double, 2> picture44Point(const MapView& view, double X, double Y);

/// The point of the calculation's plane (m) under a point of Picture44 in
/// scale units, undoing the turn of the map as the level model does (see
/// framePoint).
std::array<double, 2> planePoint(const MapPlacement& placement, double x44, double y44);

/// The true level (not its class) of the cell under a point of Picture44, in
/// scale units; none where the map has no cell or the result kept no cells.
std::optional<float> levelUnder(const Result& result, const MapPlacement& placement, double x44,
                                double y44);

/// The cells of `result` as pixel lines of an unturned overlay of that size
/// and scale, top to bottom (see mapLines); pixels beyond the grid's columns
/// are kept. The result must hold its cells.
void cellLines(const Result& result, const MapView& view, const OverlayPixels& overlay,
               const LineSink& sink);

} // namespace spl
