#pragma once

#include "spl/CellMap.h"

#include <array>

/// The point of the plane (m) where the turned map shows the point (X, Y) of
/// the unturned one: its pixel of the turned picture (at that picture's
/// scale) carried onto the parallelogram of the turn's corners, as the
/// painting copies the picture, then read at Picture44's scale.
inline std::array<double, 2> shownAt(const spl::MapPlacement& p, double X, double Y)
{
    const spl::MapView& v = p.view;
    const spl::OverlayPixels &o = p.overlay, &t = p.turned;
    const double sx = X * v.SW1 / v.offsetmax * t.width / t.scaleWidth;
    const double sy = (v.SH44 - v.SH1 * Y / (v.alturamax + 1)) * t.height / t.scaleHeight;
    const auto& P = *p.corners;
    const double px = P[0].x + sx / t.width * (P[1].x - P[0].x) + sy / t.height * (P[2].x - P[0].x);
    const double py = P[0].y + sx / t.width * (P[1].y - P[0].y) + sy / t.height * (P[2].y - P[0].y);
    const double x44 = px * o.scaleWidth / o.width, y44 = py * o.scaleHeight / o.height;
    return {x44 * v.offsetmax / v.SW1, (v.SH44 - y44) * (v.alturamax + 1) / v.SH1};
}
