#include "spl/Decorations.h"

#include "spl/MapPainting.h"

#include <cmath>

namespace spl {

DrawList arrayPicture(double width, double height)
{
    DrawList ops{draw::clear(0), draw::lineWidth(0, 1)};
    constexpr int kBoxes = 5;
    const double boxHeight = (height - 4) / kBoxes;
    const double depth = boxHeight * 1.6;
    // The bar, then each box's outline turned a little more than the one above.
    double x = 4, y = 2, tilt = 0;
    ops.push_back(draw::line(0, x - 2, y, x + depth + 2, y, rgb::Black));
    for (int b = 0; b < kBoxes; ++b) {
        const double c = std::cos(tilt), s = std::sin(tilt);
        const double fx = x + boxHeight * s, fy = y + boxHeight * c; // bottom front corner
        const double bx = x + depth * c, by = y - depth * s;         // top rear corner
        const double rx = bx + 0.7 * boxHeight * s, ry = by + 0.7 * boxHeight * c;
        ops.push_back(draw::line(0, x, y, fx, fy, rgb::Black));
        ops.push_back(draw::line(0, x, y, bx, by, rgb::Black));
        ops.push_back(draw::line(0, bx, by, rx, ry, rgb::Black));
        ops.push_back(draw::line(0, rx, ry, fx, fy, rgb::Black));
        x = fx;
        y = fy;
        tilt += 0.12 + 0.05 * b;
    }
    // Wave fronts in front of the array, loudest nearest.
    const double cx = 2, cy = height / 2;
    for (int k = 1; k <= kClasses; ++k) {
        const double r = depth + 6 + k * (width - depth - 10) / kClasses;
        const double half = 0.45;
        for (int step = 0; step < 8; ++step) {
            const double a0 = -half + 2 * half * step / 8, a1 = -half + 2 * half * (step + 1) / 8;
            ops.push_back(draw::line(0, cx + r * std::cos(a0), cy + r * std::sin(a0),
                                     cx + r * std::cos(a1), cy + r * std::sin(a1),
                                     classColour(k, 0)));
        }
    }
    return ops;
}

DrawList rampPicture(double width, double height)
{
    DrawList ops{draw::clear(0)};
    constexpr int kSteps = 32;
    const double segment = width / kClasses;
    for (int k = 1; k <= kClasses; ++k) {
        for (int i = 0; i < kSteps; ++i) {
            const double x = (k - 1) * segment + i * segment / kSteps;
            ops.push_back(
                draw::box(0, x, 0, x + segment / kSteps, height, classColour(k, i * 256 / kSteps)));
        }
    }
    return ops;
}

} // namespace spl
