// The live map on the extreme project (sixteen curved TS250 boxes, 10 kHz,
// 0.1 m): from an edit applied to the document (a splay angle chosen, which
// redraws the side view) to the map repainted on the three surfaces by the
// live map, its calculation on a worker thread, with the classic and the
// box-by-box model. Target: within 60 ms on two cores. Wall and process CPU
// time are both reported.

#include "Timing.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/gui/LiveMap.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

/// The extreme project with a map calculated once and the live map on.
struct LiveExtreme
{
    HeadlessProject loaded;
    std::unique_ptr<picture::ShownPicture> shown;
    std::unique_ptr<spl::LiveMap> live;
    bool painted = false;

    explicit LiveExtreme(spl::LevelModelKind kind)
        : loaded(loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/extreme.ini"), QLocale::c()))
    {
        if (!loaded.document || !doc().requestSplWindow())
            std::abort();
        shown = std::make_unique<picture::ShownPicture>(doc());
        doc().setCalculationSettings(
            {10000, QStringLiteral("0.1"), spl::MapStyle::Distribution, kind});
        if (!spl::runCalculation(doc(), *shown))
            std::abort();
        live = std::make_unique<spl::LiveMap>(doc(), *shown);
        QObject::connect(live.get(), &spl::LiveMap::painted, [this] { painted = true; });
        live->mapCalculated();
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

LiveExtreme& liveExtreme(spl::LevelModelKind kind)
{
    if (kind == spl::LevelModelKind::Coherent) {
        static LiveExtreme c(kind);
        return c;
    }
    static LiveExtreme c(kind);
    return c;
}

void liveMapAfterAnEdit(benchmark::State& bench, spl::LevelModelKind kind)
{
    LiveExtreme& c = liveExtreme(kind);
    // Box 5's splay angle, back and forth between two of its items.
    const Control list = angleList(4);
    const int first = std::max(0, c.doc().selectedIndex(list));
    int turn = 0;
    for (auto _ : bench) {
        c.doc().choose(list, (turn++ % 2) ? first : first + 1);
        c.waitForMap();
    }
}
// Both models, five repetitions each, with their minimum beside the median.
const bool registered = [] {
    for (const auto& [name, model] : {std::pair{"classic", spl::LevelModelKind::Classic},
                                      std::pair{"coherent", spl::LevelModelKind::Coherent}})
        benchmark::RegisterBenchmark((std::string("liveMapAfterAnEdit/") + name).c_str(),
                                     liveMapAfterAnEdit, model)
            ->Apply(wallAndCpuTimes);
    return true;
}();

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
