// The automatic splay over 250 Hz - 8 kHz. Cases: the extreme project's
// 16 curved boxes before three areas, and the same project cut to its top
// 8 boxes. Targets: at most 2 s (16 boxes) and 0.5 s (8 boxes) on two
// cores. Time is wall-clock time; CPU is the whole process's.

#include "Timing.h"
#include "analysis/Autosplay.h"
#include "analysis/AutosplayEvaluator.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/Bands.h"

#include <QLocale>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

spl::Request extremeWith(int boxes)
{
    const HeadlessProject loaded =
        loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c());
    if (!loaded.document)
        std::abort();
    loaded.document->requestSplWindow();
    spl::Request r = spl::requestFromDocument(
        *loaded.document,
        {1000, QStringLiteral("0.3"), spl::MapStyle::Distribution, spl::LevelModelKind::Coherent});
    r.N = boxes;
    return r;
}

/// A floor from 5 to 60 m, a balcony and a gallery above it: 1151 points.
const spl::AreaSegment kThreeAreas[] = {{1, 5, 55, 0, 0}, {2, 15, 30, 4, 7}, {3, 25, 25, 8, 11}};

void autosplayOf(benchmark::State& s, int boxes)
{
    const spl::Request request = extremeWith(boxes);
    long long evaluated = 0;
    double before = 0, after = 0;
    for (auto _ : s) {
        const auto proposal = spl::autosplay(request, kThreeAreas, {});
        if (!proposal)
            std::abort();
        evaluated = proposal->evaluated;
        before = proposal->Jbefore;
        after = proposal->Jafter;
    }
    s.counters["sets"] = double(evaluated);
    s.counters["J_before"] = before;
    s.counters["J_after"] = after;
}

/// One set of the 16 boxes scored whole on one thread: the work of the
/// search's steps, in box terms (1151 points, 16 bands, 16 boxes).
void scoreOneSet(benchmark::State& s)
{
    const spl::Request request = extremeWith(16);
    std::vector<double> X, Y;
    for (const spl::AreaSegment& area : kThreeAreas)
        for (const spl::AreaPoint& p : spl::areaPoints(area, 1.2)) {
            X.push_back(p.distance);
            Y.push_back(p.height);
        }
    const std::vector<int16_t> bands = spl::bandsOf({250, 8000, spl::Weighting::Flat});
    const std::vector<double> weights(bands.size(), 0.0);
    const spl::AutosplayEvaluator eval(request, X, Y, spl::targetLevels(X, 0), bands, weights);
    std::vector<double> angles(request.angle.begin(), request.angle.begin() + 16);
    auto scratch = eval.scratch();
    for (auto _ : s)
        benchmark::DoNotOptimize(eval.score(angles, 1, scratch));
    s.counters["terms"] = benchmark::Counter(double(X.size()) * double(bands.size()) * 16,
                                             benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(scoreOneSet)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(autosplayOf, boxes16, 16)->Apply(wallAndCpuTimes)->Iterations(1);
BENCHMARK_CAPTURE(autosplayOf, boxes8, 8)->Apply(wallAndCpuTimes)->Iterations(1);

} // namespace
