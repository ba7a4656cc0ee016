#pragma once

#include "spl/CellMap.h"
#include "spl/Result.h"

#include <QString>
#include <cstdint>
#include <optional>

class Canvas;
class ProjectDocument;
class Surface;

namespace spl {

/// CALCULATE from the request to the painted map, the one sequence behind the
/// SPL window's button and the render command: builds the request from the
/// project as `doc` holds it (after the side view's redraw) with the chosen
/// band centre and the text of the resolution field, calculates it, paints the
/// class ramps of every row on both overlays over the side view already on
/// them, turns `picture33`'s picture into `picture44` by the tilt of the top
/// box (Combo3(0) over Label59), and draws the areas and rays over both. The
/// map's scale heights are then the document's too, so later redraws use them.
///
/// Returns the calculation's result, or nothing when its grid is refused
/// (the caller shows the ("MsgBox", "Grid") message); the surfaces are left
/// untouched then. `threads` as for calculate. The map is painted in `style`;
/// where it was placed is written to `placement` when given.
std::optional<Result> runCalculation(ProjectDocument& doc, int16_t frequencia,
                                     const QString& resolutionText, Canvas& picture1,
                                     Canvas& picture33, Canvas& picture44, int threads = 0,
                                     MapStyle style = MapStyle::Distribution,
                                     MapPlacement* placement = nullptr);

/// The same on a window's surfaces, which then show the new picture.
std::optional<Result> runCalculation(ProjectDocument& doc, int16_t frequencia,
                                     const QString& resolutionText, Surface& picture1,
                                     Surface& picture33, Surface& picture44, int threads = 0,
                                     MapStyle style = MapStyle::Distribution,
                                     MapPlacement* placement = nullptr);

/// A map on the screen: the calculation's result with its cells and where it
/// was painted, kept until the side view is redrawn, so that the level of the
/// cell under the mouse can be read.
struct ShownMap
{
    Result result;
    MapStyle style = MapStyle::Distribution;
    MapPlacement placement;

    /// The level of the cell under a point of Picture44 (scale units).
    std::optional<float> levelUnder(double x44, double y44) const
    {
        return spl::levelUnder(result, placement, x44, y44);
    }
};

} // namespace spl
