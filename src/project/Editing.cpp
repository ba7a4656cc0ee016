#include "project/Editing.h"

namespace editing {

void applySplayAngle(ProjectInputs& state, int k, double a, const QString& firstBoxText,
                     const QLocale& locale)
{
    const double old = state.LastAngle[k];
    if (a < old) {
        const double d = old - a;
        for (int j = k; j <= 16; ++j)
            state.box[j] = BoxValue::number(state.box[j].toDouble(locale) - d);
        if (k == 1)
            state.box[1] = BoxValue::text(firstBoxText);
    } else if (k > 1) {
        for (int j = k; j <= 16; ++j)
            state.box[j] = BoxValue::number(state.box[j].toDouble(locale) + (a - old));
    } else {
        const double first = state.box[1].toDouble(locale);
        for (int j = 2; j <= 16; ++j)
            state.box[j] = BoxValue::number(state.box[j].toDouble(locale) + (a - first));
        state.box[1] = BoxValue::text(firstBoxText);
    }
    state.LastAngle[k] = static_cast<float>(a);
}

double clearance(double height, const ProjectInputs& state)
{
    return height - (state.numcaixes + 1) * static_cast<double>(state.alturaunacaixa);
}

} // namespace editing
