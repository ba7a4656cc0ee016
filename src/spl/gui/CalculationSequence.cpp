#include "spl/gui/CalculationSequence.h"

#include "platform/Numbers.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/Surface.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/Calculation.h"
#include "spl/MapPainting.h"
#include "spl/RequestFromProject.h"
#include "spl/gui/MapRender.h"

namespace spl {

std::optional<Result> runCalculation(ProjectDocument& doc, int16_t frequencia,
                                     const QString& resolutionText, Canvas& picture1,
                                     Canvas& picture33, Canvas& picture44, int threads,
                                     MapStyle style, MapPlacement* placement)
{
    const Request request = requestFromDocument(doc, frequencia, resolutionText);
    std::optional<Result> result = calculate(request, threads);
    if (!result)
        return result;

    const QLocale& locale = doc.locale();
    const float T = numbers::toSingle(doc.text(Control::Text13), locale);
    const std::optional<double> angle =
        rotationAngle(doc.text(angleList(0)), doc.text(Control::Label59), locale);
    const MapPlacement placed =
        paintMap(picture1, picture33, picture44, *result, style, doc.state(), T, angle);
    if (placement)
        *placement = placed;

    // The map leaves the surfaces at its own scale heights, and they stay. (A
    // window follows each change of the document's scales on all three of its
    // surfaces, so the heights are read before the first one is set.)
    const double SH1 = picture1.scaleHeight();
    const double SH33 = picture33.scaleHeight();
    const double SH44 = picture44.scaleHeight();
    doc.setScaleHeight(sideview::Picture1, SH1);
    doc.setScaleHeight(sideview::Picture33, SH33);
    doc.setScaleHeight(sideview::Picture44, SH44);
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
