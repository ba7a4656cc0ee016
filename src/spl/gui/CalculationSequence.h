#pragma once

#include "project/ProjectState.h"
#include "spl/CellMap.h"
#include "spl/MapPainting.h"
#include "spl/Request.h"
#include "spl/Result.h"

#include <QString>
#include <cstdint>
#include <optional>

class Canvas;
class ProjectDocument;
class Surface;

namespace spl {

/// The choices of the SPL window that a map is calculated with, kept as one
/// value so that a map can be made again later with the same ones.
struct MapSettings
{
    int16_t frequencia = 100; ///< band centre, Hz
    QString resolutionText;   ///< text of the vertical resolution field
    MapStyle style = MapStyle::Distribution;
};

/// Everything one map is made from, copied out of the document when the map
/// is asked for, so that the calculation can run anywhere while the document
/// goes on changing: the calculation's request and what its painting reads.
struct MapJob
{
    Request request;
    ProjectState state;          ///< its areas and rays are drawn over the map
    float T = 0;                 ///< height of the array's top point (Text13)
    std::optional<double> angle; ///< tilt of the top box, see rotationAngle
};

/// The job of a map of the project as `doc` holds it now (after a redraw).
MapJob prepareMap(const ProjectDocument& doc, const MapSettings& settings);

/// Paints a calculated map of `job` in `style` over the side view already on
/// the surfaces (see runCalculation), then gives the document the map's scale
/// heights. Returns where the map was placed.
MapPlacement paintCalculatedMap(ProjectDocument& doc, const MapJob& job, const Result& result,
                                MapStyle style, Canvas& picture1, Canvas& picture33,
                                Canvas& picture44);

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
