// CALCULATE as the SPL window runs it, on the extreme project (sixteen curved
// TS250 boxes, 10 kHz, 0.1 m: 1,131,156 cells in 234 rows): the request
// from the document, the calculation on every core, the map painted on both
// overlays, turned, and the areas and rays drawn over it, on the canvases of
// the main window's surfaces. Targets: the whole sequence within 30 ms, its
// painting part (ramps, turn, areas and rays) within 8 ms. With the box-by-box
// model (no turn) the whole sequence within 40 ms.

#include "picture/CalculationSequence.h"
#include "picture/MapRender.h"
#include "picture/ShownPicture.h"
#include "platform/paint/Canvas.h"
#include "project/ProjectDocument.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"
#include "analysis/RequestFromProject.h"

#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int16_t kHz = 10000;
const char kResolution[] = "0.1";

/// The extreme project loaded, after the SPL button's redraw, with the side
/// view's picture showing it. One calculation has run, so the scales are the
/// map's, as for every calculation after the first.
struct ExtremeCase
{
    HeadlessProject loaded;
    std::unique_ptr<picture::ShownPicture> shown;

    ExtremeCase()
        : loaded(loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c()))
    {
        if (!loaded.document || !doc().requestSplWindow())
            std::abort();
        shown = std::make_unique<picture::ShownPicture>(doc());
        doc().setCalculationSettings({kHz, kResolution, spl::MapStyle::Distribution});
        if (!spl::runCalculation(doc(), *shown))
            std::abort();
        doc().requestSplWindow();
    }
    ProjectDocument& doc() { return *loaded.document; }
};

ExtremeCase& extreme()
{
    static ExtremeCase c;
    return c;
}

// The whole sequence after the button: request, calculation, painting.
void wholeCalculate(benchmark::State& bench, spl::LevelModelKind kind)
{
    ExtremeCase& c = extreme();
    c.doc().setCalculationSettings({kHz, kResolution, spl::MapStyle::Distribution, kind});
    int rows = 0;
    for (auto _ : bench) {
        auto map = spl::runCalculation(c.doc(), *c.shown);
        rows = map ? map->result.PartYFarField : -1;
        benchmark::DoNotOptimize(map);
    }
    bench.counters["rows"] = rows;
}
BENCHMARK_CAPTURE(wholeCalculate, classic, spl::LevelModelKind::Classic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(wholeCalculate, coherent, spl::LevelModelKind::Coherent)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The painting part alone, on the extreme project's own class counts: ramps on
// both overlays, the turn into Picture44, the areas and rays over both.
void paintingOfTheExtremeMap(benchmark::State& bench)
{
    ExtremeCase& c = extreme();
    const spl::Request request = spl::requestFromDocument(c.doc(), {kHz, kResolution});
    const std::optional<spl::Result> result = spl::levelModel(request)->grid();
    const spl::DistributionRows rows = spl::distributionRows(*result);
    const auto angle = spl::mapTurn(request);
    const float T = 12.0f;
    Canvas picture1 = c.shown->value().picture1;
    Canvas picture33 = c.shown->value().picture33;
    Canvas picture44 = c.shown->value().picture44;
    for (auto _ : bench) {
        spl::paintMap(picture1, picture33, picture44, rows, c.doc().state(), T, angle);
        benchmark::DoNotOptimize(picture44.image().constBits());
    }
    bench.counters["rows"] = rows.rows;
}
BENCHMARK(paintingOfTheExtremeMap)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
