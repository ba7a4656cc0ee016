#pragma once

#include "platform/DrawList.h"
#include "project/data/ProjectState.h"
#include "spl/Result.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

/// The colour map of the SPL calculation as plain computation: the class
/// ramps of every row turned into exact pixel runs for the overlays, the
/// rotation of the map by the tilt of the top box, and the black areas and
/// rays drawn over it. The window (or a headless command) applies the results
/// to its surfaces.
namespace spl {

/// Each class segment of a row is painted as this many boxes.
constexpr int kRampSteps = 256;
/// The scale heights the map's coordinates are written for.
constexpr float kSideScaleHeight = 118.0f;
constexpr float kOverlayScaleHeight = 212.4f;

/// Colour (0xRRGGBB) of step i (0..255) of the ramp of class k (1..6):
/// magenta to red, red to yellow, yellow to green, green to cyan, cyan to
/// blue, blue to black. Step 0 is the colour the legend shows for the class.
uint32_t classColour(int k, int i);

/// The class counts of the map rows, as the calculation leaves them.
struct DistributionRows
{
    int rows = 0;
    std::vector<float> counts; ///< kClasses per row, row 1 (the top row) first
    std::vector<float> rowY;   ///< height above the floor of each row's centre, m
    float PasHoritzontal = 0;  ///< cell width, m
    float resolucioy = 0;      ///< row height, m
};

/// The rows of a calculation's result as the map paints them: its class
/// counts, the height of each row's centre (MatriuY of the row's first cell),
/// the cell width and the row height.
DistributionRows distributionRows(const Result& result);

/// The side-view values the map is placed with.
struct MapView
{
    float alturamax = 0;
    float offsetmax = 0;
    float SW1 = 121.06f; ///< scale width of Picture1
    float SH1 = kSideScaleHeight;
    float SW44 = 178.0f; ///< scale width of Picture44, where a row's segments are cut
    float SH44 = kOverlayScaleHeight;
    bool operator==(const MapView&) const = default;
};

/// One class segment of a row, in overlay scale units: it is painted as the
/// boxes i = 0..255 from (left_i, y1) to (left_i + i, y2) in classColour(k, i),
/// where left_0 = x1 and left_{i+1} = left_i + s (each sum kept as a single),
/// except that the first box reaches to left_1, so that every point of the
/// segment shows the last step that starts at or before it.
struct MapSegment
{
    int row = 0;    ///< 1 = top row
    int k = 0;      ///< class 1..6
    float x1 = 0;   ///< where the segment starts
    float xEnd = 0; ///< where it ends (and the next one starts)
    float s = 0;    ///< (xEnd - x1) / 256
    float y1 = 0, y2 = 0;

    bool operator==(const MapSegment&) const = default;
};

/// The segments of every row in painting order: rows top to bottom, in each
/// row the classes with cells, loudest first, each as long as its cells
/// together. The top row reaches up to the top edge, the last row (or one
/// reaching below the floor) down to the bottom edge. A segment reaching
/// SW44 is cut there, and the rest of its row lies beyond the edge.
std::vector<MapSegment> FerDistribucionsSPL(const DistributionRows& rows, const MapView& view);

/// Pixel size and scale of one overlay surface (its inner area).
struct OverlayPixels
{
    int width = 0;
    int height = 0;
    double scaleWidth = 0;
    double scaleHeight = kOverlayScaleHeight;
    bool operator==(const OverlayPixels&) const = default;
};

/// What painting the segments box by box leaves on a surface of that size and
/// scale, computed without painting the boxes, one pixel row at a time, top to
/// bottom: a pixel takes the colour of the last box that covers its centre;
/// pixels that no box covers are kKeepPixel (they keep the picture
/// underneath). A box from pixel coordinates a to b (scale units times pixels
/// per unit) covers the pixels whose centre c has a < c <= b, horizontally and
/// vertically alike. `same` tells that the line equals that of the previous
/// call; rows no box covers are skipped.
using LineSink = std::function<void(int y, std::span<const uint32_t> line, bool same)>;
void mapLines(const std::vector<MapSegment>& segments, const OverlayPixels& overlay,
              const LineSink& sink);

/// A point of the corner table, in device pixels.
struct PointL
{
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PointL&) const = default;
};

/// Turns P about (cx, cy) by a radians, in place, and returns it: a positive
/// angle turns clockwise on the screen (y grows downwards). Coordinates are
/// rounded to whole numbers, halves to even.
PointL RotarPunt(int32_t cx, int32_t cy, PointL& P, double a);

/// The rotation angle in radians from the text of the first box's splay angle
/// and of `Label59` (the largest useful tilt of the top box): tilt * 38 /
/// Label59 / 100. None when `Label59` is 0 or not a number: the map is then
/// not turned at all.
std::optional<double> rotationAngle(const QString& combo30, const QString& label59,
                                    const QLocale& locale);

/// The values the rotation reads.
struct RotationInputs
{
    int width = 0; ///< overlay inner size in pixels
    int height = 0;
    float T = 0; ///< height of the array's top point (Text13), m
    float h = 0; ///< front height of one box, m
    float alturamax = 0;
    float SH1 = kSideScaleHeight;
    float SH44 = kOverlayScaleHeight;
};

/// The parallelogram (top-left, top-right, bottom-left) in device pixels that
/// receives the whole unturned overlay when the map is turned by `angle`:
/// the corners of the overlay turned about the array plane (pixel x = 0) at
/// the height of the middle of the top box.
std::array<PointL, 3> rotationCorners(const RotationInputs& in, double angle);

/// The audience areas in black, 2 pixels wide, on Picture33 and then
/// Picture44 each, the last area first (the order 3, 2, 1).
void RepintarAreas(const ProjectState& state, DrawList& ops);
/// The aiming rays in black, 1 pixel wide, on Picture33 and then Picture44:
/// box 1 first when the rays start at box 2 (`primerraig` = 2), then boxes
/// `primerraig` to N.
void RepintarRaig(const ProjectState& state, DrawList& ops);

} // namespace spl
