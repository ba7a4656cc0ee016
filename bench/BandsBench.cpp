// A band-averaged map: the extreme project (sixteen curved TS250 boxes) with
// all 21 bands averaged, at 0.1 m and at 0.3 m (what the live map uses while
// an edit is made), for both models on two threads, keeping no cells.
// Targets: 0.1 m within 250 ms (classic) and 600 ms (box by box); 0.3 m
// within 40 ms and 100 ms. The spectrum at a point (21 bands) within 1 ms.

#include "Timing.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/BandResponse.h"
#include "spl/LevelModel.h"

#include <QLocale>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

spl::Request extremeBands(const char* res, spl::LevelModelKind kind)
{
    const HeadlessProject loaded =
        loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c());
    if (!loaded.document)
        std::abort();
    CalculationSettings settings{10000, QString::fromLatin1(res), spl::MapStyle::Distribution,
                                 kind};
    settings.bands = spl::BandRange{100, 10000, spl::Weighting::A};
    spl::Request r = spl::requestFromDocument(*loaded.document, settings);
    r.keepCells = false;
    return r;
}

void allBands(benchmark::State& s, const char* res, spl::LevelModelKind kind)
{
    const auto model = spl::levelModel(extremeBands(res, kind));
    for (auto _ : s)
        benchmark::DoNotOptimize(model->grid(2));
}

void spectrum(benchmark::State& s, spl::LevelModelKind kind)
{
    const spl::Request r = extremeBands("0.3", kind);
    for (auto _ : s)
        benchmark::DoNotOptimize(spl::bandResponseAt(r, 23.4, 3.1));
}

} // namespace

BENCHMARK_CAPTURE(allBands, extreme_0_1m_classic, "0.1", spl::LevelModelKind::Classic)
    ->Apply(wallAndCpuTimes);
BENCHMARK_CAPTURE(allBands, extreme_0_1m_coherent, "0.1", spl::LevelModelKind::Coherent)
    ->Apply(wallAndCpuTimes);
BENCHMARK_CAPTURE(allBands, extreme_0_3m_classic, "0.3", spl::LevelModelKind::Classic)
    ->Apply(wallAndCpuTimes);
BENCHMARK_CAPTURE(allBands, extreme_0_3m_coherent, "0.3", spl::LevelModelKind::Coherent)
    ->Apply(wallAndCpuTimes);
BENCHMARK_CAPTURE(spectrum, classic, spl::LevelModelKind::Classic)->Apply(wallAndCpuTimes);
BENCHMARK_CAPTURE(spectrum, coherent, spl::LevelModelKind::Coherent)->Apply(wallAndCpuTimes);
