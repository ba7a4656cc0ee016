#include "analysis/RequestFromProject.h"

#include "platform/Numbers.h"
#include "project/ProjectDocument.h"
#include "spl/MapPainting.h"

#include <algorithm>

namespace spl {

Request requestFromProject(const ProjectFields& fields, const ProjectState& state,
                           const QLocale& locale, const CalculationSettings& settings)
{
    const int16_t frequencia = settings.frequencia;
    Request r;
    r.N = std::clamp(state.numcaixes + 1, 0, 16);
    for (std::size_t k = 1; k <= 16; ++k)
        r.angle[k] = numbers::toDouble(fields.Combo3[k], locale);
    r.modelcaixa = state.modelcaixa;
    r.pot = potFor(state.modelcaixa);
    r.alturaunacaixa = state.alturaunacaixa;
    r.ampladaunacaixa = state.ampladaunacaixa;
    r.T = numbers::toDouble(fields.Text[13], locale);
    r.pi = state.pi;
    r.frequencia = frequencia;
    r.landamig = landamigFor(r.velso, frequencia);
    r.resolucioy = numbers::toSingle(settings.resolutionText, locale);
    r.model = settings.model;
    r.bands = settings.bands;
    r.alturamax = state.alturamax;
    r.offsetmax = state.offsetmax;
    r.turn = rotationAngle(fields.Combo3[1], fields.Label59, locale);
    return r;
}

Request requestFromDocument(const ProjectDocument& doc, const CalculationSettings& settings)
{
    Request r = requestFromProject(doc.fields(), doc.state(), doc.locale(), settings);
    const sideview::Inputs& s = doc.scales();
    r.SW1 = s.SW1;
    r.SH1 = s.SH1;
    r.SW44 = s.SW44;
    r.SW33 = s.SW33;
    r.SH44 = s.SH44;
    return r;
}

} // namespace spl
