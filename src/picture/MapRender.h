#pragma once

#include "spl/CellMap.h"
#include "spl/MapPainting.h"

#include <optional>

class Canvas;

namespace spl {

/// Turns the picture of `picsrc` by `angle` radians into `picDest`: clears
/// it, then copies the whole source into the parallelogram of
/// rotationCorners, nearest pixel. The two are the same size.
void Rotate(Canvas& picDest, const Canvas& picsrc, const RotationInputs& in, double angle);

/// Paints a calculated map over the side view, on the canvases of Picture1,
/// Picture33 and Picture44 (steps 9 to 11 of a calculation): sets the scale
/// heights the map is written for, paints the class ramps of every row on
/// both overlays, turns Picture33's picture into Picture44 when there is an
/// angle, and draws the areas and rays of `state` in black over both. `T` is
/// the height of the array's top point; `angle` comes from rotationAngle.
/// Returns where the map was placed.
MapPlacement paintMap(Canvas& picture1, Canvas& picture33, Canvas& picture44,
                      const DistributionRows& rows, const ProjectState& state, float T,
                      std::optional<double> angle);

/// Paints a calculated map in a style: the class distribution of each row, or
/// every cell at its place (the result must hold its cells), turned and
/// overlaid as above. Returns where the map was placed, for finding the cell
/// under a point.
MapPlacement paintMap(Canvas& picture1, Canvas& picture33, Canvas& picture44, const Result& result,
                      MapStyle style, const ProjectState& state, float T,
                      std::optional<double> angle);

} // namespace spl
