#include "spl/Grid.h"

#include "platform/Numbers.h"
#include "spl/ArrayGeometry.h"

#include <algorithm>
#include <cmath>

namespace spl {

namespace {

/// A rounded count that fits a grid side, or -1.
long long wholeCount(double v)
{
    if (!(std::abs(v) <= 1e9))
        return -1;
    return numbers::roundHalfEven(v);
}

} // namespace

bool PintarMapa(const Request& in, Result& out)
{
    const float res = in.resolucioy;
    out.resolucioy = res;
    out.PasHoritzontal =
        static_cast<float>(double(res) * in.picture44Height / double(in.picture44Width));
    CalcularCentreArray(in, out);
    const float yc = out.ycerclefresnel;
    const float step = out.PasHoritzontal;

    const long long cols = wholeCount(in.LongitudMapa * 1.5 / step);
    const float M = static_cast<float>((double(in.alturamax) + 1) * 1.8);
    const double base = double(res) / 2 + yc;
    const long long sota = wholeCount(base / res);
    const long long sobre = wholeCount((M - base) / res);
    const bool fits = cols >= 0 && sota >= 0 && sobre >= 0 && cols <= kMaxGridSide &&
                      sota + sobre <= kMaxGridSide && (sota + sobre) * cols <= kMaxGridCells;
    if (!fits) {
        out.ParticionsXmapa = out.FilesSota = out.FilesSobre = out.PartYFarField = 0;
        return false;
    }
    out.ParticionsXmapa = static_cast<int16_t>(cols);
    out.FilesSota = static_cast<int16_t>(sota);
    out.FilesSobre = static_cast<int16_t>(sobre);
    out.PartYFarField = static_cast<int16_t>(sota + sobre);

    out.columnX.resize(std::size_t(cols));
    for (int c = 1; c <= cols; ++c) {
        const float left = static_cast<float>((c - 1) * double(step));
        out.columnX[std::size_t(c - 1)] = static_cast<float>(left + double(step) / 2);
    }
    out.rowY.resize(std::size_t(sota + sobre));
    for (int m = 0; m < sota; ++m)
        out.rowY[std::size_t(sobre + m)] = static_cast<float>(yc - m * double(res));
    for (int m = 1; m <= sobre; ++m)
        out.rowY[std::size_t(sobre - m)] = static_cast<float>(yc + m * double(res));
    return true;
}

void countClasses(const float* levels, int n, float* counts)
{
    // How many levels lie above each class's lower bound; the classes are the
    // differences. Counting comparisons lets the loop run on vectors.
    int above120 = 0, above110 = 0, above105 = 0, above100 = 0, from95 = 0;
    for (int i = 0; i < n; ++i) {
        const float L = levels[i];
        above120 += L > 120;
        above110 += L > 110;
        above105 += L > 105;
        above100 += L > 100;
        from95 += L >= 95;
    }
    const int k[kClasses] = {
        above120,          above110 - above120, above105 - above110, above100 - above105,
        from95 - above100, n - from95};
    for (int c = 0; c < kClasses; ++c)
        counts[c] += static_cast<float>(k[c]);
}

void copyCentreRowCounts(Result& r)
{
    if (r.FilesSota < 2)
        return;
    const std::size_t centre = std::size_t(r.FilesSobre) * kClasses;
    std::copy_n(r.distribucio.begin() + std::ptrdiff_t(centre + kClasses), kClasses,
                r.distribucio.begin() + std::ptrdiff_t(centre));
}

void OmplirMatriusGradient(Result& r)
{
    r.distribucio.assign(std::size_t(r.PartYFarField) * kClasses, 0.0f);
    for (int row = 1; row <= r.PartYFarField && r.ParticionsXmapa > 0; ++row)
        countClasses(&r.spl[r.cell(row, 1)], r.ParticionsXmapa,
                     &r.distribucio[std::size_t(row - 1) * kClasses]);
    copyCentreRowCounts(r);
}

} // namespace spl
