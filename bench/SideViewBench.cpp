// The side view is redrawn completely after every edit, with no caching, so a
// redraw must stay far below what a user could notice (well under a millisecond).

#include "project/Editing.h"
#include "sideview/SideView.h"

#include <benchmark/benchmark.h>

namespace {

/// Sixteen boxes with progressive angles over three areas: the largest redraw.
void fullRedraw(benchmark::State& bench)
{
    const QLocale locale = QLocale::c();
    ProjectState state;
    sideview::Inputs in;
    in.H = 12;
    const double area[3][4] = {{2, 20, 0, 1}, {22, 10, 1.5, 4}, {32, 12, 4.5, 8}};
    for (int n = 1; n <= 3; ++n) {
        in.dist[n] = area[n - 1][0];
        in.len[n] = area[n - 1][1];
        in.z1[n] = area[n - 1][2];
        in.z2[n] = area[n - 1][3];
    }
    for (int k = 1; k <= 16; ++k) {
        in.angle[k] = k == 1 ? 4 : 0.5 * (k / 3);
        editing::applySplayAngle(state, k, in.angle[k], QStringLiteral("4"), locale);
    }
    state.numcaixes = 15;
    state.seleccio = 2;
    for (auto _ : bench) {
        sideview::Redraw r = sideview::DibuixarGeneral(in, state, locale);
        benchmark::DoNotOptimize(r.ops.data());
    }
}
BENCHMARK(fullRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
