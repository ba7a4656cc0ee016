#include "sideview/SideView.h"

#include <cmath>

// Precision: the height and the box angles are doubles, as is every step of the
// arithmetic (the height is the field's number in double here; only the extents
// of the view read it as a single); the corner positions are stored as singles and read back as
// such by the next box, so the chain accumulates in single precision.

namespace sideview {

namespace {

// The view scale of Picture1, metres to view units.
struct ViewScale
{
    double x0, y0, width, offsetmax, height;

    double Xv(double x) const { return x0 + (width - x0) * x / offsetmax; }
    double Yv(double y) const { return y0 - y0 * y / height; }
};

} // namespace

void PintarCaixa(const Inputs& in, ProjectState& state, const QLocale& locale, Redraw& out)
{
    const double H = in.H;
    const double h = state.alturaunacaixa;
    const double pi = state.pi;
    OneBased<double, 16> a;
    for (int j = 1; j <= 16; ++j)
        a[j] = state.box[j].toDouble(locale) * pi / 180.0;

    const ViewScale view{static_cast<double>(state.IniciEixX), static_cast<double>(state.IniciEixY),
                         static_cast<double>(in.SW1), static_cast<double>(state.offsetmax),
                         static_cast<double>(state.alturamax) + 1.0};

    state.xdaltm[1] = 0;
    state.xbaixm[1] = static_cast<float>(-h * std::sin(a[1]));
    state.ybaixm[1] = static_cast<float>(H - h * std::cos(a[1]));
    state.ydalt[1] = static_cast<float>(view.Yv(H));
    state.ybaix[1] = static_cast<float>(view.Yv(state.ybaixm[1]));

    // Compared as the single that the extents step stores for an empty view.
    if (state.offsetmax > 0.001f) {
        state.xdalt[1] = static_cast<float>(view.Xv(state.xdaltm[1]));
        state.xbaix[1] = static_cast<float>(view.Xv(state.xbaixm[1]));
        for (int j = 2; j <= 16; ++j) {
            state.xbaixm[j] = static_cast<float>(state.xbaixm[j - 1] - h * std::sin(a[j]));
            state.xdalt[j] = state.xbaix[j - 1];
            state.xbaix[j] = static_cast<float>(view.Xv(state.xbaixm[j]));
            state.ybaixm[j] = static_cast<float>(state.ybaixm[j - 1] - h * std::cos(a[j]));
            state.ydalt[j] = state.ybaix[j - 1];
            state.ybaix[j] = static_cast<float>(view.Yv(state.ybaixm[j]));
        }
    } else {
        // No area lies beyond the array plane: a vertical stack on the axis.
        const float axis = static_cast<float>(state.IniciEixX);
        for (int j = 1; j <= 16; ++j) {
            state.xdalt[j] = axis;
            state.xbaix[j] = axis;
        }
        for (int j = 2; j <= 16; ++j) {
            state.ybaixm[j] = static_cast<float>(state.ybaixm[j - 1] - h * std::cos(a[j]));
            state.ydalt[j] = state.ybaix[j - 1];
            state.ybaix[j] = static_cast<float>(view.Yv(state.ybaixm[j]));
        }
    }

    const int N = boxesInUse(state.numcaixes);
    out.ops.push_back(draw::lineWidth(Picture1, 1));
    for (int first : {1, 2}) {
        const uint32_t colour = first == 1 ? rgb::Red : rgb::Blue;
        for (int k = first; k <= N; k += 2) {
            out.ops.push_back(draw::lineWidth(Picture1, 2));
            out.ops.push_back(draw::line(Picture1, state.xdalt[k], state.ydalt[k], state.xbaix[k],
                                         state.ybaix[k], colour));
        }
    }

    PintarRaig(in, state, out);
}

} // namespace sideview
