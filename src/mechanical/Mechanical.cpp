#include "mechanical/Mechanical.h"

#include "project/data/BoxModel.h"

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

int boxCount(const ProjectInputs& project)
{
    return std::clamp(project.numcaixes + 1, 0, 16);
}

void computeCorners(const ProjectInputs& project, BoxCorners& corners, const QLocale& locale)
{
    const double h = project.alturaunacaixa;
    const double d = project.ampladaunacaixa;
    const double t = project.traseraunacaixa;
    const double w = project.angleunacaixa;

    // Every corner is stored as a single before the next one is computed from it.
    for (int k = 1; k <= 16; ++k) {
        if (k == 1) {
            corners.x1[1] = kHangX;
            corners.y1[1] = kHangY;
        } else {
            corners.x1[k] = corners.x2[k - 1];
            corners.y1[k] = corners.y2[k - 1];
        }
        const double theta = project.box[k].toDouble(locale);
        const double tilt = radians(theta);
        const double wedge = radians(theta + w);
        corners.x2[k] = static_cast<float>(corners.x1[k] - h * std::sin(tilt));
        corners.y2[k] = static_cast<float>(corners.y1[k] + h * std::cos(tilt));
        corners.x3[k] = static_cast<float>(corners.x2[k] - d * std::cos(wedge));
        corners.y3[k] = static_cast<float>(corners.y2[k] - d * std::sin(wedge));
        corners.x4[k] = static_cast<float>(corners.x3[k] + t * std::sin(tilt));
        corners.y4[k] = static_cast<float>(corners.y3[k] - t * std::cos(tilt));
    }
}

View PintarMecanic(const QStringList& angleTexts, const ProjectInputs& project, BoxCorners& corners,
                   const QLocale& locale)
{
    View view;
    view.ops.push_back(draw::clear(kSurface));

    const int n = boxCount(project);
    for (int i = 0; i < n; ++i)
        view.rows.push_back({angleTexts.value(i), project.box[i + 1].toStoredText(locale)});

    computeCorners(project, corners, locale);

    for (int k = 1; k <= n; ++k) {
        const double x[] = {corners.x1[k], corners.x2[k], corners.x3[k], corners.x4[k]};
        const double y[] = {corners.y1[k], corners.y2[k], corners.y3[k], corners.y4[k]};
        // Front, bottom, rear, top.
        for (int c = 0; c < 4; ++c)
            view.ops.push_back(draw::line(kSurface, x[c], y[c], x[(c + 1) % 4], y[(c + 1) % 4]));
    }

    if (project.modelcaixa == 0 || project.modelcaixa == 1)
        view.modelKey = boxModel(project.modelcaixa).key;
    return view;
}

} // namespace mechanical
