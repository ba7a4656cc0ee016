#include "platform/Numbers.h"
#include "sideview/SideView.h"

#include <algorithm>

#include <cmath>

// Precision: the area fields arrive as singles and every stored result (view
// coordinates, line descriptions) is a single; the arithmetic between them runs
// in double and is rounded once, where a stored value receives it.

namespace sideview {

int areasInUse(float seleccio)
{
    if (seleccio == 0.0f || seleccio == 1.0f || seleccio == 2.0f)
        return static_cast<int>(seleccio) + 1;
    return 0;
}

int areasTested(float seleccio)
{
    if (!(seleccio >= 0.0f)) // also a NaN
        return 0;
    return seleccio >= 2.0f ? 3 : static_cast<int>(seleccio) + 1;
}

int boxesInUse(int numcaixes)
{
    return std::clamp(numcaixes + 1, 0, 16);
}

namespace {

struct AreaInput
{
    float d, l, z1, z2;
};

AreaInput areaInput(const Inputs& in, int n)
{
    return {static_cast<float>(in.dist[n]), static_cast<float>(in.len[n]),
            static_cast<float>(in.z1[n]), static_cast<float>(in.z2[n])};
}

AreaLine describe(const AreaLine& old, const AreaInput& a)
{
    AreaLine line = old;
    const double d = a.d;
    const float end = a.d + a.l;
    if (end == a.d) {
        line.areax = a.d;
        line.areavertical = true;
        line.areahoritzontal = false;
    } else if (a.z1 == a.z2) {
        line.areaz = a.z2;
        line.areavertical = false;
        line.areahoritzontal = true;
    } else {
        // The run (d + l) - d is taken in double, so it is the length itself.
        line.areapendent = static_cast<float>((static_cast<double>(a.z2) - a.z1) / ((d + a.l) - d));
        line.areaorigen = static_cast<float>(a.z1 - static_cast<double>(line.areapendent) * d);
        line.areavertical = false;
        line.areahoritzontal = false;
    }
    return line;
}

// The captions of the axis scale. Each derived label is read back from the
// text of the one it depends on, so the rounding to two decimals carries on.
void writeAxisLabels(const ProjectState& state, const QLocale& locale, Redraw& out)
{
    auto& c = out.captions;
    const QString l35 = numbers::generalSingle(state.offsetmax, locale);
    const QString l36 = numbers::formatFixed2(static_cast<double>(state.alturamax) + 1.0, locale);
    c.insert(QStringLiteral("Label35"), l35);
    c.insert(QStringLiteral("Label36"), l36);

    const QString l37 = numbers::formatFixed2(numbers::toDouble(l35, locale) / 5.0, locale);
    c.insert(QStringLiteral("Label37"), l37);
    const double x = numbers::toDouble(l37, locale);
    c.insert(QStringLiteral("Label38"), numbers::formatFixed2(x * 2.0, locale));
    c.insert(QStringLiteral("Label39"), numbers::formatFixed2(x * 3.0, locale));
    c.insert(QStringLiteral("Label40"), numbers::formatFixed2(x * 4.0, locale));

    const QString l42 = numbers::formatFixed2(numbers::toDouble(l36, locale) / 5.0, locale);
    c.insert(QStringLiteral("Label42"), l42);
    const double y = numbers::toDouble(l42, locale);
    c.insert(QStringLiteral("Label41"), numbers::formatFixed2(y * 2.0, locale));
    c.insert(QStringLiteral("Label48"), numbers::formatFixed2(y * 3.0, locale));
    c.insert(QStringLiteral("Label49"), numbers::formatFixed2(y * 4.0, locale));
}

} // namespace

void PintarAreas(const Inputs& in, ProjectState& state, const QLocale& locale, Redraw& out)
{
    const int count = areasInUse(state.seleccio);
    OneBased<AreaInput, 3> area;
    for (int n = 1; n <= count; ++n)
        area[n] = areaInput(in, n);

    for (int n = 1; n <= count; ++n) {
        if (area[n].z1 > area[n].z2) {
            out.messages.append(QStringLiteral("Z1Z2"));
            break;
        }
    }

    out.ops.push_back(draw::clear(Picture1));
    out.ops.push_back(draw::clear(Picture33));
    out.ops.push_back(draw::clear(Picture44));
    // With no areas selected the view is only cleared: no lines, labels or line descriptions.
    if (count == 0)
        return;

    const double SW1 = in.SW1, SH1 = in.SH1, SH44 = in.SH44;
    const double offsetmax = state.offsetmax;
    const double height = static_cast<double>(state.alturamax) + 1.0;
    for (int n = 1; n <= count; ++n) {
        const AreaInput& a = area[n];
        AreaView& v = state.areaView[n];
        if (offsetmax == 0.0) {
            v.X1 = 0;
            v.X2 = 0;
        } else {
            v.X1 = static_cast<float>(SW1 * a.d / offsetmax);
            v.X2 = static_cast<float>(SW1 * (static_cast<double>(a.d) + a.l) / offsetmax);
        }
        // An area on the floor is lifted by one unit so that its line stays visible.
        if (a.z2 == 0.0f) {
            v.Y1 = static_cast<float>(SH44 - 1.0);
            v.Y2 = v.Y1;
        } else {
            v.Y1 = static_cast<float>(SH44 - SH1 * a.z1 / height);
            v.Y2 = static_cast<float>(SH44 - SH1 * a.z2 / height);
        }
        state.areaLine[n] = describe(state.areaLine[n], a);
    }

    out.ops.push_back(draw::lineWidth(Picture1, 2));
    out.ops.push_back(draw::lineWidth(Picture33, 2));
    out.ops.push_back(draw::lineWidth(Picture44, 2));
    for (int n = count; n >= 1; --n) {
        const AreaView& v = state.areaView[n];
        out.ops.push_back(draw::line(Picture33, v.X1, v.Y1, v.X2, v.Y2, rgb::Black));
        out.ops.push_back(draw::line(Picture44, v.X1, v.Y1, v.X2, v.Y2, rgb::Black));
    }

    writeAxisLabels(state, locale, out);
}

} // namespace sideview
