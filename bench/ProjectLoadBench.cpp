// The headless commands load a project into a document with no window; the
// load and its redraw are most of what such a command does.

#include "project/ProjectDocument.h"

#include <benchmark/benchmark.h>

namespace {

void headlessLoad(benchmark::State& bench)
{
    const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");
    for (auto _ : bench) {
        HeadlessProject p = loadHeadless(demo, QLocale::c());
        if (!p.document)
            bench.SkipWithError(qPrintable(p.error));
        benchmark::DoNotOptimize(p.document.get());
    }
}
BENCHMARK(headlessLoad)->Unit(benchmark::kMicrosecond);

} // namespace
