// The level along the audience areas follows every edit while its window is
// open. Case: three 60 m areas at 0.1 m steps (1803 points) in front of the
// demo array at 1000 Hz, and of the extreme curved array at 10 kHz. Target:
// at most 2 ms each.

#include "project/ProjectDocument.h"
#include "analysis/AreaLevels.h"
#include "analysis/RequestFromProject.h"

#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

spl::Request requestFor(const char* file, int16_t hz, spl::LevelModelKind kind)
{
    const QString path = QStringLiteral(SPLMAP_EXAMPLES_DIR "/") + QString::fromLatin1(file);
    const HeadlessProject loaded = loadHeadless(path, QLocale::c());
    if (!loaded.document)
        std::abort();
    return spl::requestFromDocument(*loaded.document,
                                    {hz, QStringLiteral("0.3"), spl::MapStyle::Distribution, kind});
}

void threeAreas(benchmark::State& s, const char* file, int16_t hz,
                spl::LevelModelKind kind = spl::LevelModelKind::Classic)
{
    const spl::Request request = requestFor(file, hz, kind);
    const spl::AreaSegment areas[] = {{1, 2, 60, 0, 3}, {2, 62, 60, 3, 8}, {3, 122, 60, 8, 8}};
    for (auto _ : s) {
        const spl::AreaLevels levels = spl::areaLevels(request, areas, 1.2);
        benchmark::DoNotOptimize(levels.overall.deviation);
    }
    s.counters["points"] = 3 * 601;
}

BENCHMARK_CAPTURE(threeAreas, demo_1kHz, "demo.ini", 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(threeAreas, extreme_10kHz, "extreme.ini", 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(threeAreas, demo_1kHz_coherent, "demo.ini", 1000, spl::LevelModelKind::Coherent)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(threeAreas, extreme_10kHz_coherent, "extreme.ini", 10000,
                  spl::LevelModelKind::Coherent)
    ->Unit(benchmark::kMillisecond);

} // namespace
