// CALCULATE as the SPL window runs it, on the extreme project (sixteen curved
// TS250 boxes, 10 kHz, 0.1 m: 1,131,156 cells in 234 rows): the request
// from the document, the calculation on every core, the map painted on both
// overlays, turned, and the areas and rays drawn over it, on the canvases of
// the main window's surfaces. Targets: the whole sequence within 30 ms, its
// painting part (ramps, turn, areas and rays) within 8 ms.

#include "platform/gui/Canvas.h"
#include "project/ProjectDocument.h"
#include "spl/LevelModel.h"
#include "spl/MapPainting.h"
#include "spl/RequestFromProject.h"
#include "spl/gui/CalculationSequence.h"
#include "spl/gui/MapRender.h"

#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int16_t kHz = 10000;
const char kResolution[] = "0.1";

/// The extreme project loaded, after the SPL button's redraw, with the three
/// surfaces of the main window showing its side view. One calculation has
/// run, so the scales are the map's, as for every calculation after the first.
struct ExtremeCase
{
    HeadlessProject loaded;
    Canvas picture1{QSize(633, 289), 121.06, 118};
    Canvas picture33{QSize(782, 484), 177.45, 212.3};
    Canvas picture44{QSize(782, 484), 178.0, 212.3};

    ExtremeCase()
        : loaded(loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c()))
    {
        if (!loaded.document || !doc().requestSplWindow())
            std::abort();
        if (!spl::runCalculation(doc(), kHz, kResolution, picture1, picture33, picture44))
            std::abort();
        QObject::connect(&doc(), &ProjectDocument::redrawn, [this](const sideview::Redraw& r) {
            picture1.replay(r.ops, sideview::Picture1);
            picture33.replay(r.ops, sideview::Picture33);
            picture44.replay(r.ops, sideview::Picture44);
        });
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
void wholeCalculate(benchmark::State& bench)
{
    ExtremeCase& c = extreme();
    int rows = 0;
    for (auto _ : bench) {
        auto result =
            spl::runCalculation(c.doc(), kHz, kResolution, c.picture1, c.picture33, c.picture44);
        rows = result ? result->PartYFarField : -1;
        benchmark::DoNotOptimize(result);
    }
    bench.counters["rows"] = rows;
}
BENCHMARK(wholeCalculate)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The painting part alone, on the extreme project's own class counts: ramps on
// both overlays, the turn into Picture44, the areas and rays over both.
void paintingOfTheExtremeMap(benchmark::State& bench)
{
    ExtremeCase& c = extreme();
    const spl::Request request = spl::requestFromDocument(c.doc(), kHz, kResolution);
    const std::optional<spl::Result> result = spl::levelModel(request)->grid();
    const spl::DistributionRows rows = spl::distributionRows(*result);
    const auto angle = spl::mapTurn(request);
    const float T = 12.0f;
    for (auto _ : bench) {
        spl::paintMap(c.picture1, c.picture33, c.picture44, rows, c.doc().state(), T, angle);
        benchmark::DoNotOptimize(c.picture44.image().constBits());
    }
    bench.counters["rows"] = rows.rows;
}
BENCHMARK(paintingOfTheExtremeMap)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
