// The SPL map through the real windows: the SPL button and window, the map on
// the overlays, the probe over it, the live map and the level along the areas.

#include "Harness.h"
#include "analysis/RequestFromProject.h"
#include "app/GridCommand.h"
#include "app/RenderCommand.h"
#include "files/Ini.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "spl/Calculation.h"
#include "spl/LevelModel.h"
#include "spl/gui/AreaLevelsWindow.h"
#include "support/FailingResources.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QImage rgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

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
    return rgb32(QImage(png));
}

/// The whole program showing the demo project.
class SplMapTest : public ProgramTest
{
protected:
    SplMapTest()
    {
        main().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main()));
        EXPECT_TRUE(main().loadProject(demo));
    }

    ProjectDocument& doc() { return windows.document(); }
    Principal& main() { return windows.principal(); }
    SPL& splWindow() { return windows.splWindow(); }
    const Canvas& canvas(int id) { return main().picture(id)->canvas(); }
    Surface& picture44() { return *main().picture(sideview::Picture44); }
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

    /// Moves `steps` down a list of the SPL window with the keyboard, as a user would.
    void choose(const char* list, int steps)
    {
        auto* combo = splWindow().findChild<QComboBox*>(list);
        splWindow().activateWindow();
        combo->setFocus();
        if (!QTest::qWaitFor([&] { return combo->hasFocus(); }))
            ADD_FAILURE() << list << " did not take the focus";
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }

    /// The SPL window's CALCULATE at a band, in a style.
    void calculate(int16_t hz, spl::MapStyle style)
    {
        ASSERT_TRUE(doc().requestSplWindow());
        splWindow().frequencia = hz;
        splWindow().setMapStyle(style);
        windows.calculateMap();
        ASSERT_TRUE(messages.shown.empty());
    }

    /// Where the centre of cell (r, c) lies on Picture44, in widget pixels: placed
    /// as on Picture33, then carried by the map's turn onto its corners if turned.
    QPoint cellOnScreen(const spl::ShownMap& map, int r, int c)
    {
        const spl::MapPlacement& p = map.placement;
        const double x = map.result.MatriuX(r, c) * p.view.SW1 / p.view.offsetmax;
        const double y =
            p.view.SH44 - p.view.SH1 * map.result.MatriuY(r, c) / (p.view.alturamax + 1);
        const QPoint origin = picture44().contentsRect().topLeft();
        if (!p.corners) {
            const Canvas& s = picture44().canvas();
            return origin + QPoint(qRound(x * s.image().width() / s.scaleWidth()),
                                   qRound(y * s.image().height() / s.scaleHeight()));
        }
        const double sx = x / p.turned.scaleWidth, sy = y / p.turned.scaleHeight;
        const auto& P = *p.corners;
        return origin +
               QPoint(int(std::floor(P[0].x + sx * (P[1].x - P[0].x) + sy * (P[2].x - P[0].x))),
                      int(std::floor(P[0].y + sx * (P[1].y - P[0].y) + sy * (P[2].y - P[0].y))));
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
TEST_F(SplMapTest, CalculateThroughTheWindowsPaintsTheMapOnBothOverlays)
{
    const QImage sideView = canvas(sideview::Picture33).image();
    std::optional<spl::Result> expected;
    ASSERT_TRUE(pressSplButton([&] {
        choose("Combo4", 10); // 100 Hz -> 1000 Hz
        expected = spl::calculate(spl::requestFromDocument(doc(), splWindow().settings()));
        splWindow().findChild<QPushButton*>("Command1")->click();
        EXPECT_FALSE(splWindow().isVisible());
    }));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(expected);
    const auto& shown = main().shownPicture().map(); // what the report tells of the map shown
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->settings, doc().calculationSettings());
    EXPECT_EQ(shown->settings.frequencia, 1000);
    EXPECT_EQ(shown->settings.resolutionText, splWindow().resolutionText());
    EXPECT_EQ(canvas(sideview::Picture44).scaleHeight(), 212.4f);
    EXPECT_EQ(shown->result.spl, expected->spl);
    // Painted over the side view (on Picture44 as render paints it, tested below).
    const QImage map33 = canvas(sideview::Picture33).image();
    EXPECT_NE(map33, sideView);

    // The SPL window keeps its fields; its button's redraw clears the map.
    ASSERT_TRUE(pressSplButton([&] {
        EXPECT_EQ(splWindow().frequencia, 1000);
        splWindow().findChild<QPushButton*>("Command2")->click(); // Close
    }));
    EXPECT_NE(canvas(sideview::Picture33).image(), map33);
    EXPECT_FALSE(main().shownPicture().map());
    EXPECT_EQ(canvas(sideview::Picture33).image().pixel(700, 20), qRgb(255, 255, 255));
}

// A grid too large, or one the system has no memory for, is refused with its
// message; the side view and its scales stay as they were.
TEST_F(SplMapTest, AGridTooLargeOrWithoutMemoryIsRefusedAndLeavesTheSideView)
{
    QTemporaryDir dir;
    const QString tall = dir.filePath("tall.ini");
    ASSERT_TRUE(QFile::copy(demo, tall));
    INIwrite(tall, "Default", "Text13", "3000"); // a view thousands of metres high
    for (const auto& [project, tag, memory] :
         {std::tuple{tall, "Grid", false}, std::tuple{demo, "Memory", true}}) {
        ASSERT_TRUE(main().loadProject(project));
        messages.shown.clear();
        QImage before;
        std::optional<failing::Refusal> refusal;
        if (memory)
            refusal.emplace(false, true);
        ASSERT_TRUE(pressSplButton([&] {
            before = canvas(sideview::Picture33).image().copy();
            splWindow().findChild<QLineEdit*>("Text1")->setText("0.1");
            splWindow().findChild<QPushButton*>("Command1")->click();
        }));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, languages.GetLabel("MsgBox", tag));
        EXPECT_EQ(canvas(sideview::Picture33).image(), before);
        EXPECT_EQ(doc().scales().SH44, 212.3f);
        EXPECT_FALSE(main().shownPicture().map());
    }
}

// A map in the "Cells" style, as `render --style cells` paints it, turned by the
// tilt of the demo's top box: the probe shows the level of the cell under the
// mouse, until a redraw of the side view wipes the map.
TEST_F(SplMapTest, TheProbeOverACellsMapAsRenderPaintsIt)
{
    calculate(2500, spl::MapStyle::Cells);
    const QImage window = rgb32(picture44().canvas().image());
    EXPECT_EQ(rendered({"--freq", "2500", "--style", "cells"}), window);
    EXPECT_NE(rendered({"--freq", "2500", "--style", "distribution"}), window);

    const auto& map = main().shownPicture().map();
    ASSERT_TRUE(map);
    ASSERT_TRUE(map->placement.corners);
    // The level model places the map where the window painted it.
    spl::MapPlacement placed =
        spl::levelModel(spl::requestFromDocument(doc(), {2500, splWindow().resolutionText()}))
            ->placement();
    EXPECT_FLOAT_EQ(placed.turned.scaleWidth, map->placement.turned.scaleWidth); // a single
    placed.turned.scaleWidth = map->placement.turned.scaleWidth;
    EXPECT_EQ(placed, map->placement);
    const spl::Result& g = map->result;
    for (const auto& [r, c] :
         {std::pair{g.FilesSobre - 4, 30}, {g.FilesSobre + 10, 120}, {g.FilesSobre + 2, 180}})
        expectProbe(*map, r, c);
    EXPECT_NE(g.MatriuSPL(g.FilesSobre - 4, 30), g.MatriuSPL(g.FilesSobre + 10, 120));

    const QPoint beside = cellOnScreen(*map, g.FilesSobre - 4, 30) + QPoint(1, 0);
    doc().DibuixarGeneral();
    EXPECT_EQ(probeText(), "");
    QTest::mouseMove(&picture44(), beside);
    EXPECT_EQ(probeText(), "");
}

// Options > Level along the areas plots every area in use and its statistics,
// and follows the band and model of the map, the listening height and every
// edit. "Box by box" chosen in the SPL window paints an unturned map whose
// probe, level along the areas, render and live map keep that model.
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
    const spl::AreaCurve& area1 = w->levels().areas[0];
    EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[0])->at(10),
              QPointF(area1.points[10].distance, area1.points[10].level));
    EXPECT_EQ(table->item(0, 0)->text(), QLocale().toString(area1.stats.max, 'f', 1));
    EXPECT_EQ(band(), "100 Hz");

    const float classic = level50();
    auto* live = main().findChild<QAction*>("LiveMap");
    live->trigger(); // on before the map it will follow
    ASSERT_TRUE(pressSplButton([&] {
        choose("Combo4", 10); // 1000 Hz
        choose("Combo6", 1);
        EXPECT_EQ(splWindow().findChild<QComboBox*>("Combo6")->currentText(), "Box by box");
        splWindow().findChild<QPushButton*>("Command1")->click();
    }));
    EXPECT_EQ(doc().calculationSettings().model, spl::LevelModelKind::Coherent);
    EXPECT_EQ(band(), "1000 Hz"); // one band for the plot and the map
    const auto& map = main().shownPicture().map();
    ASSERT_TRUE(map);
    EXPECT_FALSE(map->placement.corners); // painted where its cells are
    const float coherent = level50();
    EXPECT_NE(coherent, classic);

    w->hide(); // off the map, for the probe
    const spl::Result& g = map->result;
    for (const auto& [r, c] : {std::pair{g.FilesSobre + 10, 120}, {g.FilesSobre + 2, 180}}) {
        expectProbe(*map, r, c);
        // The level along an area through the cell's centre.
        const spl::AreaSegment through{1, g.MatriuX(r, c), 0, g.MatriuY(r, c), g.MatriuY(r, c)};
        const spl::AreaLevels at = spl::areaLevels(
            spl::requestFromDocument(doc(), doc().calculationSettings()), {&through, 1}, 0);
        EXPECT_NEAR(at.areas[0].points[0].level, g.MatriuSPL(r, c), 0.01) << r << "," << c;
    }
    EXPECT_EQ(rendered({"--freq", "1000", "--model", "coherent"}),
              rgb32(picture44().canvas().image()));
    // The grid command gives the window's rows and their class counts.
    const Outcome json = captured([](QIODevice& out, QIODevice& err) {
        return runGrid({demo, "--freq", "1000", "--model", "coherent"}, out, err,
                       QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
    ASSERT_EQ(json.code, 0) << json.err.constData();
    const QJsonArray rows =
        QJsonDocument::fromJson(json.out).object()["MatriuDistribucio"].toArray();
    ASSERT_EQ(rows.size(), g.PartYFarField);
    for (int r = 1; r <= g.PartYFarField; ++r)
        for (int k = 1; k <= 6; ++k)
            ASSERT_EQ(rows[r - 1].toArray()[k - 1].toDouble(), g.MatriuDistribucio(r, k)) << r;

    w->show();
    // A listening height of 0 puts the points on the area line.
    QLineEdit* height = w->findChild<QLineEdit*>("Text1");
    height->clear();
    QTest::keyClicks(height, "0");
    EXPECT_FLOAT_EQ(w->levels().areas[0].points[0].height, 0.0f);
    EXPECT_NE(level50(), coherent);

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
