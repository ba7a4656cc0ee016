#pragma once

#include "project/data/CalculationSettings.h"
#include "project/data/ProjectState.h"
#include "spl/CellMap.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"
#include "spl/Request.h"
#include "spl/Result.h"

#include <functional>
#include <memory>
#include <optional>

class Canvas;
class ProjectDocument;

namespace picture {
class ShownPicture;
}

namespace spl {

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
MapJob prepareMap(const ProjectDocument& doc, const CalculationSettings& settings);

/// A map as it was painted: the settings and job that made it, the
/// calculation's result with its cells, and where it was placed. Kept with the
/// picture until the side view is redrawn, so that the level of the cell under
/// the mouse can be read and the same map painted again.
struct ShownMap
{
    CalculationSettings settings;
    MapJob job;
    Result result;
    MapPlacement placement;

    /// The level of the cell under a point of Picture44 (scale units).
    std::optional<float> levelUnder(double x44, double y44) const
    {
        return spl::levelUnder(result, placement, x44, y44);
    }
};

/// Paints a calculated map of `job` in `style` over the side view already on
/// the canvases, then gives the document the map's scale heights. Returns
/// where the map was placed.
MapPlacement paintCalculatedMap(ProjectDocument& doc, const MapJob& job, const Result& result,
                                MapStyle style, Canvas& picture1, Canvas& picture33,
                                Canvas& picture44);

/// The calculation of a map of `job` made with `settings`, on up to `threads`
/// threads (0: one per core), with its progress told as the grid goes (see
/// LevelModel::gridWithProgress). It reads only its arguments, so it may run
/// on any thread; the map is then shown with ShownPicture::showMap. Nothing
/// when the grid is refused or `stop` answered true.
std::shared_ptr<ShownMap> calculateMap(const CalculationSettings& settings, const MapJob& job,
                                       int threads = 0, const std::function<bool()>& stop = {},
                                       const GridProgress& progress = {});

/// CALCULATE from the request to the painted map, the one sequence behind the
/// SPL window's button and the render command: builds the request from the
/// project as `doc` holds it (after the side view's redraw) with the
/// document's calculation settings, calculates it on up to `threads` threads
/// (0: one per core), and shows the map in `shown`: the class ramps of every
/// row (or every cell) on both overlays over the side view already there,
/// Picture33 turned into Picture44 by the tilt of the top box, the areas and
/// rays over both. The map's scale heights are then the document's too, so
/// later redraws use them.
///
/// Returns the map, or nothing when its grid is refused (the caller shows the
/// ("MsgBox", "Grid") message); the picture is left untouched then.
std::shared_ptr<const ShownMap> runCalculation(ProjectDocument& doc, picture::ShownPicture& shown,
                                               int threads = 0);

} // namespace spl
