#include "sideview/SideView.h"

#include <cmath>

namespace sideview {

float GetMaximX(float a, float b, float c, float d)
{
    if (a >= b && a >= c && a >= d)
        return a;
    if (b >= a && b >= c && b >= d)
        return b;
    if (c >= a && c >= b && c >= d)
        return c;
    if (d >= a && d >= b)
        return d;
    return 0.0f; // only reached when a NaN slipped through
}

QString computeExtents(const Inputs& in, const ProjectInputs& p, SideViewResults& view)
{
    const float H = static_cast<float>(in.H);
    view.alturamax = GetMaximX(H, static_cast<float>(in.z2[1]), static_cast<float>(in.z2[2]),
                               static_cast<float>(in.z2[3]));

    OneBased<float, 3> end;
    for (int n = 1; n <= 3; ++n)
        end[n] = static_cast<float>(in.dist[n]) + static_cast<float>(in.len[n]);

    float offset = view.offsetmax; // kept when no areas are selected
    switch (areasInUse(p.seleccio)) {
    case 1:
        offset = GetMaximX(end[1], 0, 0, 0);
        break;
    case 2:
        offset = GetMaximX(end[1], end[2], 0, 0);
        break;
    case 3:
        offset = GetMaximX(end[1], end[2], end[3], 0);
        break;
    default:
        break;
    }
    view.offsetmax = (offset == 0.0f) ? 0.001f : offset;

    double angle = std::atan((static_cast<double>(H) - p.alturaunacaixa / 2.0) /
                             static_cast<double>(view.offsetmax)) *
                   180.0 / static_cast<double>(p.pi);
    if (!(angle > 0.0))
        angle = 0.0;
    return QString::number(static_cast<long long>(std::trunc(angle)));
}

void Pintareixos(const Inputs& in, const ProjectInputs& state, DrawList& ops)
{
    const double x0 = state.IniciEixX;
    const double y0 = state.IniciEixY;
    const double stepX = (in.SW1 - x0) / 5.0;
    for (int i = 1; i <= 5; ++i)
        ops.push_back(draw::line(Picture1, x0 + i * stepX, y0 - 1, x0 + i * stepX, y0 + 1));
    const double stepY = y0 / 5.0;
    for (int i = 1; i <= 5; ++i)
        ops.push_back(draw::line(Picture1, x0 - 1, y0 - i * stepY, x0 + 1, y0 - i * stepY));
    ops.push_back(draw::line(Picture1, x0, 0, x0, in.SH1));
    ops.push_back(draw::line(Picture1, 0, y0, in.SW1, y0));
}

Redraw DibuixarGeneral(const Inputs& in, ProjectState& state, const QLocale& locale)
{
    Redraw out;
    out.captions.insert(QStringLiteral("Label59"), computeExtents(in, state, state));
    PintarAreas(in, state, locale, out);
    PintarCaixa(in, state, locale, out);
    Pintareixos(in, state, out.ops);
    return out;
}

Readout readoutPicture1(double X, double Y, const Inputs& in, const ProjectInputs& project,
                        const SideViewResults& view)
{
    Readout r;
    r.x = (X - project.IniciEixX) * view.offsetmax / (in.SW1 - project.IniciEixX);
    r.y = (project.IniciEixY - Y) * (view.alturamax + 1.0) / project.IniciEixY;
    return r;
}

Readout readoutPicture44(double X, double Y, const Inputs& in, const ProjectInputs&,
                         const SideViewResults& view)
{
    Readout r;
    r.x = view.offsetmax * X / in.SW1;
    r.y = (view.alturamax + 1.0) * 1.8 - (view.alturamax + 1.0) * Y / in.SH1;
    return r;
}

} // namespace sideview
