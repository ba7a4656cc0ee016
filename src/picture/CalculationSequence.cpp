#include "picture/CalculationSequence.h"

#include "analysis/RequestFromProject.h"
#include "picture/MapRender.h"
#include "picture/ShownPicture.h"
#include "platform/Numbers.h"
#include "platform/paint/Canvas.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"

namespace spl {

MapJob prepareMap(const ProjectDocument& doc, const CalculationSettings& settings)
{
    MapJob job;
    job.request = requestFromDocument(doc, settings);
    job.state = doc.state();
    const QLocale& locale = doc.locale();
    job.T = numbers::toSingle(doc.text(Control::Text13), locale);
    job.angle = mapTurn(job.request);
    return job;
}

MapPlacement paintCalculatedMap(ProjectDocument& doc, const MapJob& job, const Result& result,
                                MapStyle style, Canvas& picture1, Canvas& picture33,
                                Canvas& picture44)
{
    const MapPlacement placement =
        paintMap(picture1, picture33, picture44, result, style, job.state, job.T, job.angle);

    // The map leaves the surfaces at its own scale heights, and they stay. (A
    // picture follows each change of the document's scales on all three of its
    // surfaces, so the heights are read before the first one is set.)
    const double SH1 = picture1.scaleHeight();
    const double SH33 = picture33.scaleHeight();
    const double SH44 = picture44.scaleHeight();
    doc.setScaleHeight(sideview::Picture1, SH1);
    doc.setScaleHeight(sideview::Picture33, SH33);
    doc.setScaleHeight(sideview::Picture44, SH44);
    return placement;
}

std::shared_ptr<ShownMap> calculateMap(const CalculationSettings& settings, const MapJob& job,
                                       int threads, const std::function<bool()>& stop,
                                       const GridProgress& progress)
{
    auto map = std::make_shared<ShownMap>();
    map->settings = settings;
    map->job = job;
    std::optional<Result> result =
        levelModel(map->job.request)->gridWithProgress(threads, stop, progress);
    if (!result)
        return nullptr;
    map->result = std::move(*result);
    return map;
}

std::shared_ptr<const ShownMap> runCalculation(ProjectDocument& doc, picture::ShownPicture& shown,
                                               int threads)
{
    const CalculationSettings& settings = doc.calculationSettings();
    std::shared_ptr<ShownMap> map = calculateMap(settings, prepareMap(doc, settings), threads);
    if (map)
        shown.showMap(map);
    return map;
}

} // namespace spl
