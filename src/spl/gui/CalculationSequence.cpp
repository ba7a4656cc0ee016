#include "spl/gui/CalculationSequence.h"

#include "platform/Numbers.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/Surface.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"
#include "spl/RequestFromProject.h"
#include "spl/gui/MapRender.h"

namespace spl {

MapJob prepareMap(const ProjectDocument& doc, const MapSettings& settings)
{
    MapJob job;
    job.request = requestFromDocument(doc, settings.frequencia, settings.resolutionText);
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
    // window follows each change of the document's scales on all three of its
    // surfaces, so the heights are read before the first one is set.)
    const double SH1 = picture1.scaleHeight();
    const double SH33 = picture33.scaleHeight();
    const double SH44 = picture44.scaleHeight();
    doc.setScaleHeight(sideview::Picture1, SH1);
    doc.setScaleHeight(sideview::Picture33, SH33);
    doc.setScaleHeight(sideview::Picture44, SH44);
    return placement;
}

std::optional<Result> runCalculation(ProjectDocument& doc, int16_t frequencia,
                                     const QString& resolutionText, Canvas& picture1,
                                     Canvas& picture33, Canvas& picture44, int threads,
                                     MapStyle style, MapPlacement* placement)
{
    const MapJob job = prepareMap(doc, {frequencia, resolutionText, style});
    std::optional<Result> result = levelModel(job.request)->grid(threads);
    if (!result)
        return result;
    const MapPlacement placed =
        paintCalculatedMap(doc, job, *result, style, picture1, picture33, picture44);
    if (placement)
        *placement = placed;
    return result;
}

std::optional<Result> runCalculation(ProjectDocument& doc, int16_t frequencia,
                                     const QString& resolutionText, Surface& picture1,
                                     Surface& picture33, Surface& picture44, int threads,
                                     MapStyle style, MapPlacement* placement)
{
    std::optional<Result> result =
        runCalculation(doc, frequencia, resolutionText, picture1.canvas(), picture33.canvas(),
                       picture44.canvas(), threads, style, placement);
    if (result)
        for (Surface* s : {&picture1, &picture33, &picture44})
            s->refresh();
    return result;
}

} // namespace spl
