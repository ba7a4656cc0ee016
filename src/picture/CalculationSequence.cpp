#include "picture/CalculationSequence.h"

#include "picture/MapRender.h"
#include "picture/ShownPicture.h"
#include "platform/Numbers.h"
#include "platform/paint/Canvas.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"
#include "analysis/RequestFromProject.h"

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

std::shared_ptr<const ShownMap> runCalculation(ProjectDocument& doc, picture::ShownPicture& shown,
                                               int threads)
{
    auto map = std::make_shared<ShownMap>();
    map->settings = doc.calculationSettings();
    map->job = prepareMap(doc, map->settings);
    std::optional<Result> result = levelModel(map->job.request)->grid(threads);
    if (!result)
        return nullptr;
    map->result = std::move(*result);
    shown.showMap(map);
    return map;
}

} // namespace spl
