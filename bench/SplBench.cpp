// The SPL calculation is the product: a map should follow every edit. Two
// cases: the demo project at 1000 Hz and 0.3 m (about 106,000 cells), and an
// extreme one, sixteen curved TS250 boxes at 10 kHz and 0.1 m (1,131,156
// cells, 12 arc terms each). Each is timed for the literal one-thread model
// that the tests check against, and for the program's calculation on one
// thread and on every core. Targets: one thread at least 30 times faster than
// the literal model; extreme within 20 ms and the demo within 1.5 ms on two cores.
// The box-by-box model is timed beside it on the same grids (16 sources per
// cell on the extreme case), with its own literal transcription: extreme
// within 30 ms (aim 20), demo within 2 ms on two cores.

#include "Timing.h"
#include "analysis/CoherentLiteral.h" // from the tests
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/LevelModel.h"
#include "spl/LiteralModel.h" // from the tests

#include <QLocale>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

/// The request the SPL window would make for a project file after loading it.
spl::Request requestFor(const char* file, int16_t hz, const char* res)
{
    const QString path = QStringLiteral(SPLMAP_EXAMPLES_DIR "/") + QString::fromLatin1(file);
    const HeadlessProject loaded = loadHeadless(path, QLocale::c());
    if (!loaded.document)
        std::abort();
    return spl::requestFromDocument(*loaded.document, {hz, QString::fromLatin1(res)});
}

const spl::Request& demoCase()
{
    static const spl::Request r = [] {
        spl::Request q = requestFor("demo.ini", 1000, "0.3");
        q.keepCells = false;
        return q;
    }();
    return r;
}

const spl::Request& extremeCase()
{
    static const spl::Request r = [] {
        spl::Request q = requestFor("extreme.ini", 10000, "0.1");
        q.keepCells = false;
        return q;
    }();
    return r;
}

int allCores()
{
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

void literal(benchmark::State& s, const spl::Request& (*which)())
{
    for (auto _ : s)
        benchmark::DoNotOptimize(literalCalculation(which()));
}

void fast(benchmark::State& s, const spl::Request& (*which)(), int threads, bool cells,
          spl::LevelModelKind kind = spl::LevelModelKind::Classic)
{
    spl::Request r = which();
    r.keepCells = cells;
    r.model = kind;
    const auto model = spl::levelModel(r);
    for (auto _ : s)
        benchmark::DoNotOptimize(model->grid(threads == 0 ? allCores() : threads));
    s.counters["threads"] = threads == 0 ? allCores() : threads;
}

/// The box-by-box model's literal transcription over every cell of its grid.
void literalCoherent(benchmark::State& s, const spl::Request& (*which)())
{
    spl::Request r = which();
    r.model = spl::LevelModelKind::Coherent;
    const std::optional<spl::Result> g = spl::levelModel(r)->grid(1);
    for (auto _ : s) {
        double sum = 0;
        for (const float Y : g->rowY)
            for (const float X : g->columnX)
                sum += literalCoherentLevel(r, X, Y);
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

#define SPL_CASE(name, which, literalReps, fastReps)                                               \
    BENCHMARK_CAPTURE(literal, name, which)                                                        \
        ->Apply([](auto* b) { wallAndCpuTimesOver(b, literalReps); })                              \
        ->Iterations(1);                                                                           \
    BENCHMARK_CAPTURE(fast, name##_1thread, which, 1, false)->Apply([](auto* b) {                  \
        wallAndCpuTimesOver(b, fastReps);                                                          \
    });                                                                                            \
    BENCHMARK_CAPTURE(fast, name##_allthreads, which, 0, false)->Apply([](auto* b) {               \
        wallAndCpuTimesOver(b, fastReps);                                                          \
    });                                                                                            \
    BENCHMARK_CAPTURE(fast, name##_allthreads_cells, which, 0, true)->Apply([](auto* b) {          \
        wallAndCpuTimesOver(b, fastReps);                                                          \
    });                                                                                            \
    BENCHMARK_CAPTURE(literalCoherent, name, which)                                                \
        ->Apply([](auto* b) { wallAndCpuTimesOver(b, 1); })                                        \
        ->Iterations(1);                                                                           \
    BENCHMARK_CAPTURE(fast, name##_coherent_1thread, which, 1, false,                              \
                      spl::LevelModelKind::Coherent)                                               \
        ->Apply([](auto* b) { wallAndCpuTimesOver(b, fastReps); });                                \
    BENCHMARK_CAPTURE(fast, name##_coherent_allthreads, which, 0, false,                           \
                      spl::LevelModelKind::Coherent)                                               \
        ->Apply([](auto* b) { wallAndCpuTimesOver(b, fastReps); });                                \
    BENCHMARK_CAPTURE(fast, name##_coherent_allthreads_cells, which, 0, true,                      \
                      spl::LevelModelKind::Coherent)                                               \
        ->Apply([](auto* b) { wallAndCpuTimesOver(b, fastReps); })

SPL_CASE(demo, demoCase, 5, 20);
SPL_CASE(extreme, extremeCase, 3, 10);
