#include "mechanical/Mechanical.h"

#include "project/BoxModel.h"

#include <algorithm>
#include <cmath>

namespace mechanical {

namespace {

// Degrees to radians, with pi as this view has always taken it.
double radians(double degrees)
{
    return degrees * 3.1416 / 180.0;
}

} // namespace

int boxCount(const ProjectState& state)
{
    return std::clamp(state.numcaixes + 1, 0, 16);
}

void computeCorners(ProjectState& state, const QLocale& locale)
{
    const double h = state.alturaunacaixa;
    const double d = state.ampladaunacaixa;
    const double t = state.traseraunacaixa;
    const double w = state.angleunacaixa;

    // Every corner is stored as a single before the next one is computed from it.
    for (int k = 1; k <= 16; ++k) {
        if (k == 1) {
            state.x1[1] = kHangX;
            state.y1[1] = kHangY;
        } else {
            state.x1[k] = state.x2[k - 1];
            state.y1[k] = state.y2[k - 1];
        }
        const double theta = state.box[k].toDouble(locale);
        const double tilt = radians(theta);
        const double wedge = radians(theta + w);
        state.x2[k] = static_cast<float>(state.x1[k] - h * std::sin(tilt));
        state.y2[k] = static_cast<float>(state.y1[k] + h * std::cos(tilt));
        state.x3[k] = static_cast<float>(state.x2[k] - d * std::cos(wedge));
        state.y3[k] = static_cast<float>(state.y2[k] - d * std::sin(wedge));
        state.x4[k] = static_cast<float>(state.x3[k] + t * std::sin(tilt));
        state.y4[k] = static_cast<float>(state.y3[k] - t * std::cos(tilt));
    }
}

View PintarMecanic(const QStringList& angleTexts, ProjectState& state, const QLocale& locale)
{
    View view;
    view.ops.push_back(draw::clear(kSurface));

    const int n = boxCount(state);
    for (int i = 0; i < n; ++i)
        view.rows.push_back({angleTexts.value(i), state.box[i + 1].toStoredText(locale)});

    computeCorners(state, locale);

    for (int k = 1; k <= n; ++k) {
        const double x[] = {state.x1[k], state.x2[k], state.x3[k], state.x4[k]};
        const double y[] = {state.y1[k], state.y2[k], state.y3[k], state.y4[k]};
        // Front, bottom, rear, top.
        for (int c = 0; c < 4; ++c)
            view.ops.push_back(draw::line(kSurface, x[c], y[c], x[(c + 1) % 4], y[(c + 1) % 4]));
    }

    if (state.modelcaixa == 0 || state.modelcaixa == 1)
        view.modelKey = boxModel(state.modelcaixa).key;
    return view;
}

} // namespace mechanical
