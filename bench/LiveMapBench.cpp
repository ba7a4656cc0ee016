// The live map on the extreme project (sixteen curved TS250 boxes, 10 kHz,
// 0.1 m): from an edit applied to the document (a splay angle chosen, which
// redraws the side view) to the map repainted on the three surfaces by the
// live map, its calculation on a worker thread. Target: within 60 ms on two
// cores. Wall and process CPU time are both reported.

#include "platform/gui/Surface.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/gui/CalculationSequence.h"
#include "spl/gui/LiveMap.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

const spl::MapSettings kSettings{10000, QStringLiteral("0.1")};

/// The extreme project with a map calculated once and the live map on.
struct LiveExtreme
{
    HeadlessProject loaded;
    Surface picture1{QStringLiteral("Picture1"), QSize(637, 293), 121.06, 118};
    Surface picture33{QStringLiteral("Picture33"), QSize(786, 488), 177.45, 212.3};
    Surface picture44{QStringLiteral("Picture44"), QSize(786, 488), 178.0, 212.3};
    std::unique_ptr<spl::LiveMap> live;
    bool painted = false;

    LiveExtreme()
        : loaded(loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c()))
    {
        if (!loaded.document || !doc().requestSplWindow())
            std::abort();
        QObject::connect(&doc(), &ProjectDocument::redrawn, [this](const sideview::Redraw& r) {
            picture1.replay(r.ops, sideview::Picture1);
            picture33.replay(r.ops, sideview::Picture33);
            picture44.replay(r.ops, sideview::Picture44);
        });
        if (!spl::runCalculation(doc(), kSettings.frequencia, kSettings.resolutionText, picture1,
                                 picture33, picture44))
            std::abort();
        live = std::make_unique<spl::LiveMap>(doc(), picture1, picture33, picture44);
        QObject::connect(live.get(), &spl::LiveMap::painted, [this] { painted = true; });
        live->mapCalculated(kSettings);
        live->setEnabled(true);
        waitForMap();
    }
    ProjectDocument& doc() { return *loaded.document; }
    void waitForMap()
    {
        while (!painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        painted = false;
    }
};

void liveMapAfterAnEdit(benchmark::State& bench)
{
    static LiveExtreme c;
    // Box 5's splay angle, back and forth between two of its items.
    const Control list = angleList(4);
    const int first = std::max(0, c.doc().selectedIndex(list));
    int turn = 0;
    for (auto _ : bench) {
        c.doc().choose(list, (turn++ % 2) ? first : first + 1);
        c.waitForMap();
    }
}
BENCHMARK(liveMapAfterAnEdit)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(5)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
