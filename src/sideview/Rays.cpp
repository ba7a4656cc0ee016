#include "sideview/SideView.h"

#include <cmath>
#include <optional>

// Precision: the running values of the ray construction (the tilt, the half-box
// steps and their sums, the middle of the face, the drop, the ray's end and
// start) are singles, and the comparisons between them are made in single
// precision. Each of them is computed in double from its operands and rounded
// once when it is assigned; sines, cosines and tangents are taken in double of
// the single tilt. The height stays the field's number in double, as in the
// array drawing. The area fields are read as singles; every stored result is a
// single.

namespace sideview {

namespace {

using D = double;

struct AreaInput
{
    float d, l, z1, z2, end;
};

struct Crossing
{
    float x, y;
};

// Where the line of a ray meets the line of an area. None when the lines are
// parallel (both vertical, both level or equal slopes) or the crossing is too
// far away to be represented: such a ray cannot meet the area.
std::optional<Crossing> crossing(const RayLine& r, const AreaLine& a)
{
    Crossing c{};
    if (r.raigvertical) {
        if (a.areavertical)
            return std::nullopt;
        c.x = r.raigx;
        c.y = a.areahoritzontal ? a.areaz
                                : static_cast<float>(D(a.areapendent) * r.raigx + a.areaorigen);
    } else if (r.raighoritzontal) {
        if (a.areahoritzontal)
            return std::nullopt;
        c.y = r.raigz;
        if (a.areavertical) {
            c.x = a.areax;
        } else {
            if (a.areapendent == 0.0f)
                return std::nullopt;
            c.x = static_cast<float>((D(r.raigz) - a.areaorigen) / a.areapendent);
        }
    } else if (a.areavertical) {
        c.x = a.areax;
        c.y = static_cast<float>(D(r.raigpendent) * a.areax + r.raigorigen);
    } else if (a.areahoritzontal) {
        if (r.raigpendent == 0.0f)
            return std::nullopt;
        c.x = static_cast<float>((D(a.areaz) - r.raigorigen) / r.raigpendent);
        c.y = a.areaz;
    } else {
        if (a.areapendent == r.raigpendent)
            return std::nullopt;
        c.x = static_cast<float>((D(r.raigorigen) - a.areaorigen) /
                                 (D(a.areapendent) - r.raigpendent));
        c.y = static_cast<float>(D(c.x) * a.areapendent + a.areaorigen);
    }
    if (!std::isfinite(c.x) || !std::isfinite(c.y))
        return std::nullopt;
    return c;
}

bool isZero(double sum)
{
    return static_cast<float>(sum) == 0.0f;
}

} // namespace

void PintarRaig(const Inputs& in, ProjectState& state, Redraw& out)
{
    const double H = in.H;
    const double h = state.alturaunacaixa;
    const double pi = state.pi;
    const double offsetmax = state.offsetmax;
    const double height = static_cast<double>(state.alturamax) + 1.0;
    const double SW1 = in.SW1, SH1 = in.SH1, SH44 = in.SH44;
    const int N = boxesInUse(state.numcaixes);
    const int areas = areasTested(state.seleccio);

    // Overlay coordinates of a point in metres.
    auto Xr = [&](double x) {
        return offsetmax == 0.0 ? 0.0f : static_cast<float>(SW1 * x / offsetmax);
    };
    auto Yr = [&](double y) { return static_cast<float>(SH44 - SH1 * y / height); };

    OneBased<AreaInput, 3> area;
    for (int a = 1; a <= 3; ++a) {
        AreaInput& v = area[a];
        v.d = static_cast<float>(in.dist[a]);
        v.l = static_cast<float>(in.len[a]);
        v.z1 = static_cast<float>(in.z1[a]);
        v.z2 = static_cast<float>(in.z2[a]);
        v.end = v.d + v.l;
    }

    auto allSurfaces = [&](int width) {
        out.ops.push_back(draw::lineWidth(Picture1, width));
        out.ops.push_back(draw::lineWidth(Picture33, width));
        out.ops.push_back(draw::lineWidth(Picture44, width));
    };
    auto drawRay = [&](int k) {
        for (int s : {Picture33, Picture44})
            out.ops.push_back(draw::line(s, state.x1raig[k], state.y1raig[k], state.x2raig[k],
                                         state.y2raig[k], rgb::Red));
    };

    // Pass 1: the straight ray of each box, from the middle of its face.
    allSurfaces(1);
    float tilt = 0;       // degrees, the sum of the splay angles so far
    float SX = 0, SY = 0; // how far the face has run back and down from the top
    for (int k = 1; k <= N; ++k) {
        tilt = static_cast<float>(D(tilt) + in.angle[k]);
        float theta = tilt;
        double rad = D(theta) * pi / 180.0;
        const float hx = static_cast<float>(h / 2.0 * std::sin(rad));
        const float hy = static_cast<float>(h / 2.0 * std::cos(rad));
        SY = static_cast<float>(D(SY) + hy);
        SX = static_cast<float>(D(SX) + hx);
        const float yc = static_cast<float>(H - SY);
        const float drop = static_cast<float>((D(SX) + offsetmax) * std::tan(rad));

        float xe = 0, ye = 0;
        if (yc >= drop) {
            xe = state.offsetmax;
            ye = static_cast<float>(D(yc) - drop);
            state.x2raig[k] = in.SW1;
            state.y2raig[k] = Yr(ye);
        } else if (H != 0.0) {
            // A level ray below the floor is given a slight tilt to reach it.
            if (theta == 0.0f) {
                theta = 0.1f;
                rad = D(theta) * pi / 180.0;
            }
            const float xf = static_cast<float>(D(yc) / std::tan(rad) - SX);
            xe = xf;
            ye = 0;
            state.x2raig[k] = Xr(xf);
            state.y2raig[k] = static_cast<float>(SH44);
        }
        // With H = 0 the end of the previous redraw stays, and the line below is vertical.

        const float ys = static_cast<float>(D(yc) - D(SX) * std::tan(rad));
        state.x1raig[k] = 0;
        state.y1raig[k] = Yr(ys);
        SY = static_cast<float>(D(SY) + hy);
        SX = static_cast<float>(D(SX) + hx);

        RayLine& r = state.rayLine[k];
        if (xe == 0.0f) {
            r.raigvertical = true;
            r.raighoritzontal = false;
            r.raigx = 0;
        } else if (ye == ys) {
            r.raighoritzontal = true;
            r.raigvertical = false;
            r.raigz = ye;
        } else {
            r.raigpendent = static_cast<float>((D(ye) - ys) / xe);
            r.raigorigen = ys;
            r.raigvertical = false;
            r.raighoritzontal = false;
        }
    }

    // Pass 2: with every elevation at 0 the first box and the first area are
    // left out of the area tests, and the first ray is drawn as it is.
    double zsum = 0;
    for (int a = 1; a <= 3; ++a)
        zsum += D(area[a].z1) + area[a].z2;
    if (zsum == 0.0) {
        state.primerraig = 2;
        drawRay(1);
    } else {
        state.primerraig = 1;
    }

    // Pass 3: the crossings with the areas, the dots and the rays.
    const bool degenerate = isZero(D(area[1].end) + area[2].end + area[3].end) ||
                            area[1].end == 0.0f || isZero(D(area[1].end) + area[2].end);
    for (int k = state.primerraig; k <= N; ++k) {
        RayLine& r = state.rayLine[k];
        for (int a = state.primerraig; a <= areas; ++a) {
            const AreaInput& z = area[a];
            bool hit = false;
            if (const auto c = crossing(r, state.areaLine[a])) {
                r.tallx = c->x;
                r.tally = c->y;
                hit = z.d <= r.tallx && r.tallx <= z.end && z.z1 <= r.tally && r.tally <= z.z2 &&
                      0.0f <= r.tallx;
            }
            if (hit) {
                state.x2raig[k] = Xr(r.tallx);
                state.y2raig[k] = Yr(r.tally);
            }

            // A ray that goes on below a nearer area it has met ends on that area.
            auto cutBackTo1 = [&] {
                if (r.tally <= state.y2raigintermig2 && area[1].z2 > r.tally &&
                    state.x2raig[k] > state.x2raigintermig && state.Heentrat) {
                    state.x2raig[k] = state.x2raigintermig;
                    state.y2raig[k] = state.y2raigintermig;
                }
            };
            if (a == 1 && hit) {
                state.x2raigintermig = state.x2raig[k];
                state.y2raigintermig = state.y2raig[k];
                state.y2raigintermig2 = r.tally;
                state.Heentrat = true;
            } else if (a == 2) {
                if (hit)
                    cutBackTo1();
                state.x2raigintermig3 = state.x2raig[k];
                state.y2raigintermig3 = state.y2raig[k];
                state.y2raigintermig4 = r.tally;
                state.Heentratarea2 = true;
            } else if (a == 3 && hit) {
                if (r.tally <= state.y2raigintermig4 && area[2].z2 > r.tally &&
                    state.x2raig[k] > state.x2raigintermig3 && state.Heentratarea2) {
                    state.x2raig[k] = state.x2raigintermig3;
                    state.y2raig[k] = state.y2raigintermig3;
                }
                cutBackTo1();
            }
        }

        allSurfaces(5);
        if (state.x2raig[k] != in.SW1) {
            // Areas that end at the array plane put the end of the ray on it.
            if (degenerate)
                state.x2raig[k] = 0;
            out.ops.push_back(draw::point(Picture33, state.x2raig[k], state.y2raig[k], rgb::Red));
            out.ops.push_back(draw::point(Picture44, state.x2raig[k], state.y2raig[k], rgb::Red));
        }
        allSurfaces(1);
        drawRay(k);
        state.Heentrat = false;
    }
}

} // namespace sideview
