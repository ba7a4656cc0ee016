// The SPL map through the real windows: the SPL button and window, the map on
// the overlays, the probe over it, the live map and the level along the areas.

#include "Harness.h"
#include "analysis/RequestFromProject.h"
#include "app/RenderCommand.h"
#include "files/Ini.h"
#include "spl/Calculation.h"
#include "spl/MapTurn.h"
#include "spl/gui/AreaLevelsWindow.h"
#include "support/FailingResources.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

/// Picture44 as `splmap render` draws it for the demo with these options.
QImage rendered(const QStringList& options)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png");
    const Outcome r = captured([&](QIODevice& out, QIODevice& err) {
        return runRender(QStringList{demo, "--surface", "Picture44", "--out", png} + options, out,
                         err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
    EXPECT_EQ(r.code, 0) << r.err.constData();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

class SplMapTest : public DemoWindowTest
{
protected:
    SPL& splWindow() { return windows.splWindow(); }
    QString probeText() { return main().findChild<QLabel*>("LabelLevelValue")->text(); }

    /// Presses the main window's SPL button, runs `inside` in the SPL window and
    /// closes it. Returns whether the SPL window was shown.
    bool pressSplButton(const std::function<void()>& inside)
    {
        bool shown = false;
        QTimer::singleShot(0, &splWindow(), [&] {
            shown = splWindow().isVisible();
            if (shown && inside)
                inside();
            splWindow().hide();
        });
        main().findChild<QPushButton*>("Command2")->click();
        // Without a modal loop the timer has not run yet; it must find no window.
        QTest::qWait(0);
        return shown;
    }

    /// Where the centre of cell (r, c) shows on Picture44, in widget pixels:
    /// carried by the map's turn when it is turned.
    QPoint cellOnScreen(const spl::ShownMap& map, int r, int c)
    {
        const spl::MapPlacement& p = map.placement;
        std::array<double, 2> at{map.result.MatriuX(r, c), map.result.MatriuY(r, c)};
        if (p.corners)
            at = shownAt(p, at[0], at[1]);
        const spl::MapView& v = p.view;
        const QPointF pixel = picture44().canvas().toPixels(
            at[0] * v.SW1 / v.offsetmax, v.SH44 - v.SH1 * at[1] / (v.alturamax + 1));
        return picture44().contentsRect().topLeft() + pixel.toPoint();
    }

    /// Moves the mouse over cell (r, c): the probe must show its level to one decimal.
    void expectProbe(const spl::ShownMap& map, int r, int c)
    {
        const QPoint at = cellOnScreen(map, r, c);
        ASSERT_TRUE(picture44().contentsRect().contains(at)) << at.x() << "," << at.y();
        QTest::mouseMove(&picture44(), at);
        const QString level = QLocale().toString(double(map.result.MatriuSPL(r, c)), 'f', 1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return probeText() == level; }))
            << r << "," << c << ": " << probeText().toStdString() << " for " << level.toStdString();
    }
};

} // namespace

// A grid too large, or one the system has no memory for, is refused with its
// message; the side view and its scales stay as they were. The SPL button's
// window calculates the project's map with its settings, which become the
// document's, and paints it over the side view; the window keeps its fields,
// and its Close redraws the side view without the map.
TEST_F(SplMapTest, CalculateThroughTheWindowsPaintsTheMapOrIsRefused)
{
    QTemporaryDir dir;
    const QString tall = dir.filePath("tall.ini");
    ASSERT_TRUE(QFile::copy(demo, tall));
    INIwrite(tall, "Default", "Text13", "3000"); // a view thousands of metres high
    for (const auto& [project, tag, memory] :
         {std::tuple{tall, "Grid", false}, std::tuple{demo, "Memory", true}}) {
        ASSERT_TRUE(main().loadProject(project));
        ASSERT_TRUE(doc().requestSplWindow());
        messages.shown.clear();
        const QImage before = canvas(sideview::Picture33).image().copy();
        const float sh44 = doc().scales().SH44;
        std::optional<failing::Refusal> refusal;
        if (memory)
            refusal.emplace(false, true);
        splWindow().showSettings({1000, "0.1"});
        windows.calculateMap();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, languages.GetLabel("MsgBox", tag));
        EXPECT_EQ(canvas(sideview::Picture33).image(), before);
        EXPECT_EQ(doc().scales().SH44, sh44);
        EXPECT_FALSE(main().shownPicture().map());
    }

    messages.shown.clear();
    const QImage sideView = canvas(sideview::Picture33).image();
    std::optional<spl::Result> expected;
    ASSERT_TRUE(pressSplButton([&] {
        auto* band = splWindow().findChild<QComboBox*>("Combo4");
        band->setCurrentIndex(10); // 100 Hz -> 1000 Hz
        emit band->activated(10);
        splWindow().findChild<QLineEdit*>("Text1")->setText("0.3"); // was 0.1
        expected = spl::calculate(spl::requestFromDocument(doc(), splWindow().settings()));
        splWindow().findChild<QPushButton*>("Command1")->click();
        EXPECT_FALSE(splWindow().isVisible());
    }));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(expected);
    const auto& shown = main().shownPicture().map(); // what the report tells of the map shown
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->settings, doc().calculationSettings());
    EXPECT_EQ(std::pair(shown->settings.frequencia, shown->settings.resolutionText),
              std::pair(int16_t(1000), QString("0.3")));
    EXPECT_EQ(shown->result.spl, expected->spl);
    EXPECT_EQ(canvas(sideview::Picture44).scaleHeight(), 212.4f); // the map's own height
    const QImage map33 = canvas(sideview::Picture33).image();
    EXPECT_NE(map33, sideView);

    ASSERT_TRUE(pressSplButton([&] {
        EXPECT_EQ(splWindow().frequencia, 1000);
        splWindow().findChild<QPushButton*>("Command2")->click(); // Close
    }));
    EXPECT_NE(canvas(sideview::Picture33).image(), map33);
    EXPECT_FALSE(main().shownPicture().map());
}

// A map in the "Cells" style, as `render --style cells` paints it, turned by the
// tilt of the demo's top box: the probe shows the level of the cell under the
// mouse, until a redraw of the side view wipes the map.
TEST_F(SplMapTest, TheProbeOverACellsMapAsRenderPaintsIt)
{
    calculate({2500, "0.3", spl::MapStyle::Cells});
    const QImage window = picture44().canvas().image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(rendered({"--freq", "2500", "--style", "cells"}), window);
    EXPECT_NE(rendered({"--freq", "2500", "--style", "distribution"}), window);

    const auto map = main().shownPicture().map();
    ASSERT_TRUE(map->placement.corners);
    const spl::Result& g = map->result;
    expectProbe(*map, g.FilesSobre - 4, 30);

    doc().DibuixarGeneral();
    EXPECT_EQ(probeText(), "");
    QTest::mouseMove(&picture44(), cellOnScreen(*map, g.FilesSobre - 4, 30) + QPoint(1, 0));
    EXPECT_EQ(probeText(), "");
}

// Options > Level along the areas plots every area in use and its statistics,
// and follows the band and model of the map and every edit. The "Box by box"
// model paints an unturned map whose probe, render and live map keep that model.
TEST_F(SplMapTest, TheLevelAlongTheAreasAndTheBoxByBoxModelThroughTheWindows)
{
    main().findChild<QAction*>("AreaLevels")->trigger();
    auto* w = main().findChild<spl::AreaLevelsWindow*>("AreaLevels");
    ASSERT_NE(w, nullptr);
    auto* chart = w->findChild<QChartView*>("Chart")->chart();
    auto* table = w->findChild<QTableWidget*>("Table1");
    const auto band = [w] { return w->findChild<QLabel*>("LabelBand")->text(); };
    const auto level50 = [w] { return w->levels().areas[0].points[50].level; };

    // The demo: area 1 from 3 m over 27 m, area 2 from 30 m over 10 m.
    ASSERT_EQ(chart->series().size(), 2);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 0)->text(),
              QLocale().toString(w->levels().areas[0].stats.max, 'f', 1));
    EXPECT_EQ(band(), "100 Hz");

    const float classic = level50();
    auto* live = main().findChild<QAction*>("LiveMap");
    live->trigger(); // on before the map it will follow
    calculate({1000, "0.3", spl::MapStyle::Distribution, spl::LevelModelKind::Coherent});
    EXPECT_EQ(band(), "1000 Hz"); // one band for the plot and the map
    const auto& map = main().shownPicture().map();
    EXPECT_FALSE(map->placement.corners); // painted where its cells are
    EXPECT_NE(level50(), classic);

    w->hide(); // off the map, for the probe
    expectProbe(*map, map->result.FilesSobre + 10, 120);
    EXPECT_EQ(rendered({"--freq", "1000", "--model", "coherent"}),
              picture44().canvas().image().convertToFormat(QImage::Format_RGB32));

    w->show();

    // The live map paints an edited project as CALCULATE would, with its settings.
    QSignalSpy painted(&windows.liveMap(), &spl::LiveMap::painted);
    doc().setText(Control::Text4, "30");
    doc().leaveField(Control::Text4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted.count() == 1; }));
    windows.liveMap().waitForCalculations();
    const QImage edited = canvas(sideview::Picture33).image();
    live->trigger();
    windows.calculateMap();
    EXPECT_EQ(canvas(sideview::Picture33).image(), edited);

    // A third area, from 40 m over 5 m; the values under the mouse name every
    // area lying at that distance.
    doc().setText(Control::Text9, "40");
    doc().setText(Control::Text12, "5");
    doc().choose(Control::Combo1, 2);
    ASSERT_EQ(chart->series().size(), 3);
    EXPECT_EQ(table->rowCount(), 4);
    w->showValuesAt(35.0);
    const QString under = w->findChild<QLabel*>("Label4")->text();
    EXPECT_TRUE(under.startsWith("35.0 m") && under.contains("Area 2: ") &&
                !under.contains("Area 1"))
        << under.toStdString();
}
