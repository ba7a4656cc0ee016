// Painting a calculated map over the side view: the class ramps of every row
// on both overlays, the rotation and the black areas and rays, for the
// finest grid under the highest view (about 3800 rows). Target: 8 ms together.

#include "picture/MapRender.h"
#include "platform/paint/Canvas.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int kRows = 3800;
constexpr float kResolution = 0.1f;
constexpr float kAlturamax = 210; // the overlays span 1.8 * 211 = 379.8 m: 3800 rows of 0.1 m

// A synthetic distribution: loud near the array at its height, quieter above
// and below, the far field filling the rest of 300 m; no two rows alike.
spl::DistributionRows syntheticRows()
{
    spl::DistributionRows d;
    d.rows = kRows;
    d.resolucioy = kResolution;
    d.PasHoritzontal = kResolution * 488.0f / 786.0f;
    const int columns = static_cast<int>(std::lround(300.0 / d.PasHoritzontal));
    for (int r = 0; r < kRows; ++r) {
        const float y = static_cast<float>(379.75 - double(kResolution) * r);
        d.rowY.push_back(y);
        const double near = 0.2 + 0.8 * std::max(0.0, 1.0 - std::abs(y - 12.0) / 380.0);
        const std::array<double, 6> share = {0.02 * near, 0.05 * near, 0.08 * near,
                                             0.1 * near,  0.15,        0};
        int used = 0;
        for (int k = 0; k < 5; ++k) {
            const int n = static_cast<int>(share[static_cast<size_t>(k)] * columns);
            d.counts.push_back(static_cast<float>(n));
            used += n;
        }
        d.counts.push_back(static_cast<float>(columns - used));
    }
    return d;
}

ProjectState syntheticState()
{
    ProjectState state;
    state.alturamax = kAlturamax;
    state.offsetmax = 60;
    state.seleccio = 2;
    for (size_t n = 1; n <= 3; ++n)
        state.areaView[n] = {float(10 * n), 200.0f, float(40 * n), 190.0f};
    state.numcaixes = 15;
    state.primerraig = 1;
    for (size_t k = 1; k <= 16; ++k) {
        state.x1raig[k] = 0;
        state.y1raig[k] = 140.0f + float(k) * 0.2f;
        state.x2raig[k] = 121.06f;
        state.y2raig[k] = 150.0f + float(k) * 3.0f;
    }
    return state;
}

// With an angle Picture44 receives Picture33 turned; without one (Label59 = 0)
// both overlays are painted and nothing is turned.
void paintBothOverlaysRotateAndRedraw(benchmark::State& bench)
{
    const std::optional<double> angle =
        bench.range(0) ? std::optional<double>(0.2) : std::optional<double>();
    const spl::DistributionRows rows = syntheticRows();
    const ProjectState state = syntheticState();
    Canvas picture1(QSize(633, 289), 121.06, 118);
    Canvas picture33(QSize(782, 484), 177.45, 212.3);
    Canvas picture44(QSize(782, 484), 178.0, 212.3);
    for (auto _ : bench) {
        spl::paintMap(picture1, picture33, picture44, rows, state, 20.0f, angle);
        benchmark::DoNotOptimize(picture44.image().constBits());
    }
}
BENCHMARK(paintBothOverlaysRotateAndRedraw)
    ->ArgName("turned")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// The pixels of one overlay alone, from the segments of every row.
void pixelsOfOneOverlay(benchmark::State& bench)
{
    const spl::DistributionRows rows = syntheticRows();
    spl::MapView view;
    view.alturamax = kAlturamax;
    view.offsetmax = 60;
    const std::vector<spl::MapSegment> segments = spl::FerDistribucionsSPL(rows, view);
    for (auto _ : bench) {
        uint32_t sum = 0;
        spl::mapLines(segments, {782, 484, 178.0},
                      [&sum](int, std::span<const uint32_t> line, bool) { sum += line[400]; });
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(pixelsOfOneOverlay)->Unit(benchmark::kMillisecond);

} // namespace
