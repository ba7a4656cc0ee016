#pragma once

#include "sideview/SideView.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <initializer_list>

// A project laid out by hand for the side-view tests: the array at 3 m, the
// areas and the surfaces, with the box angles kept as the window keeps them.
struct Layout
{
    ProjectState state;
    sideview::Inputs in;
    QLocale locale{QLocale::English, QLocale::UnitedStates};

    Layout(std::initializer_list<double> splay = {}, int boxes = 1)
    {
        in.H = 3;
        angles(splay);
        state.numcaixes = static_cast<int16_t>(boxes - 1);
    }
    // Splay angles of boxes 1, 2, ... (the rest 0), in the list texts and as cumulative angles.
    void angles(std::initializer_list<double> splay)
    {
        double sum = 0;
        int k = 1;
        for (double a : splay)
            in.angle[k++] = a;
        for (int j = 1; j <= 16; ++j)
            state.box[j] = BoxValue::number(sum += in.angle[j]);
    }
    void area(int n, double d, double len, double z1, double z2)
    {
        in.dist[n] = d;
        in.len[n] = len;
        in.z1[n] = z1;
        in.z2[n] = z2;
        state.seleccio = std::max(state.seleccio, static_cast<float>(n - 1));
    }
    sideview::Redraw redraw() { return sideview::DibuixarGeneral(in, state, locale); }

    // Overlay coordinates of a point in metres, as the surfaces place it.
    double Xr(double x) const { return in.SW1 * x / state.offsetmax; }
    double Yr(double y) const { return in.SH44 - in.SH1 * y / (state.alturamax + 1.0); }
};

inline int countOps(const DrawList& ops, DrawOp::Kind kind, int surface)
{
    return static_cast<int>(std::count_if(ops.begin(), ops.end(), [&](const DrawOp& op) {
        return op.kind == kind && op.surface == surface;
    }));
}
