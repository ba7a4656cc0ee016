#include "spl/RequestFromProject.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace spl {

Request requestFromProject(const ProjectFields& fields, const ProjectState& state,
                           const QLocale& locale, int16_t frequencia, const QString& resolutionText)
{
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
    r.resolucioy = numbers::toSingle(resolutionText, locale);
    r.alturamax = state.alturamax;
    r.offsetmax = state.offsetmax;
    return r;
}

} // namespace spl
