#pragma once

#include <cmath>

namespace spl {

/// How a point lies from one box of the box-by-box model: its distance r from
/// the box's centre, 1 / r (1 at the centre itself), |aim x (P - centre)| (r
/// times the sine of the angle off the aim) and the obliquity factor
/// (1 + cos phi) / 2, which is 1 at the centre itself, where the point is
/// taken to lie on the axis. Every pass of the model works these out by this
/// one function, so that they agree to the last bit whatever they go on to do.
struct BoxGeometry
{
    double r, inv, cross, oblique;
};

/// The geometry of the point at (dx, dy) from a box's centre, the box aimed
/// along the unit vector (ax, ay). Inline, for the vectorised passes.
inline BoxGeometry boxGeometry(double dx, double dy, double ax, double ay)
{
    const double r = std::sqrt(dx * dx + dy * dy);
    const bool centre = r == 0;
    const double inv = 1.0 / (centre ? 1.0 : r);
    return {r, inv, std::abs(ax * dy - ay * dx),
            centre ? 1.0 : 0.5 + 0.5 * (ax * dx + ay * dy) * inv};
}

} // namespace spl
