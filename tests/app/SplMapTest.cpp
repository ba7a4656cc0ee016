// The SPL map through the real windows: the main window's SPL button, the SPL
// window's frequency list and CALCULATE, the map on the overlays, the level
// probe over it, the live map, and the level along the areas.

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
#include "spl/MapPainting.h"
#include "spl/gui/AreaLevelsWindow.h"
#include "support/FailingResources.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QFile>
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

/// Whether the colour is one of the ramps of the level classes.
bool inRamp(QRgb colour)
{
    for (int k = 0; k < spl::kClasses; ++k)
        for (int i = 0; i < spl::kRampSteps; ++i)
            if (spl::classColour(k, i) == (colour & 0xFFFFFFu))
                return true;
    return false;
}

Outcome render(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runRender(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
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

    /// Presses the main window's SPL button. While the SPL window is open,
    /// `inside` runs in it; the window is closed afterwards if it is still
    /// open. Returns whether the SPL window was shown.
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

    /// Chooses an item of the frequency list with the keyboard, as a user would.
    void chooseFrequency(int steps)
    {
        auto* combo4 = splWindow().findChild<QComboBox*>("Combo4");
        splWindow().activateWindow();
        combo4->setFocus();
        if (!QTest::qWaitFor([&] { return combo4->hasFocus(); }))
            ADD_FAILURE() << "the frequency list did not take the focus";
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(combo4, Qt::Key_Down);
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

    /// Where the centre of cell (r, c) of the turned map lies on Picture44, in
    /// widget pixels: placed as the map places rows and columns on Picture33,
    /// then carried by the turn of the map onto the parallelogram of its corners.
    QPoint cellOnScreen(const spl::ShownMap& map, int r, int c)
    {
        const spl::MapPlacement& p = map.placement;
        const double X = map.result.MatriuX(r, c), Y = map.result.MatriuY(r, c);
        const spl::OverlayPixels& t = p.turned; // Picture33, at its own scale
        const double sx = X * p.view.SW1 / p.view.offsetmax / t.scaleWidth;
        const double sy = (p.view.SH44 - p.view.SH1 * Y / (p.view.alturamax + 1)) / t.scaleHeight;
        const auto& P = *p.corners;
        const double px = P[0].x + sx * (P[1].x - P[0].x) + sy * (P[2].x - P[0].x);
        const double py = P[0].y + sx * (P[1].y - P[0].y) + sy * (P[2].y - P[0].y);
        return picture44().contentsRect().topLeft() +
               QPoint(int(std::floor(px)), int(std::floor(py)));
    }
};

} // namespace

TEST_F(SplMapTest, CalculateThroughTheWindowsPaintsTheMapOnBothOverlays)
{
    const QImage sideView = canvas(sideview::Picture33).image();
    std::optional<spl::Result> expected;
    ASSERT_TRUE(pressSplButton([&] {
        chooseFrequency(10); // 100 Hz -> 1000 Hz
        // What the calculation must find, from the project as the button left it.
        expected = spl::calculate(spl::requestFromDocument(doc(), splWindow().settings()));
        splWindow().findChild<QPushButton*>("Command1")->click();
        EXPECT_FALSE(splWindow().isVisible());
    }));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(splWindow().frequencia, 1000);
    ASSERT_TRUE(expected);
    const auto& shown = main().shownPicture().map(); // what the report tells of the map shown
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->settings, doc().calculationSettings());
    EXPECT_EQ(shown->settings.frequencia, 1000);
    EXPECT_EQ(shown->settings.resolutionText, splWindow().resolutionText());
    EXPECT_EQ(canvas(sideview::Picture44).scaleHeight(), 212.4f);
    EXPECT_EQ(doc().scales().SH44, 212.4f); // the map's scale stays

    // The map shown is the one of the project and band, painted over the side
    // view on both overlays (pixel by pixel the painting is checked elsewhere).
    EXPECT_EQ(shown->result.spl, expected->spl);
    for (int id : {sideview::Picture33, sideview::Picture44}) {
        const QImage& p = canvas(id).image();
        int samples = 0, inRamps = 0;
        for (int y = 4; y < p.height(); y += 16)
            for (int x = 4; x < p.width(); x += 16, ++samples)
                inRamps += inRamp(p.pixel(x, y));
        EXPECT_GE(inRamps, samples / 2) << "Picture" << id;
    }
    const QImage map33 = canvas(sideview::Picture33).image();
    EXPECT_NE(map33, sideView);

    // The SPL window keeps its fields; the map stays until the side view is redrawn.
    ASSERT_TRUE(pressSplButton([&] {
        EXPECT_EQ(splWindow().frequencia, 1000);
        splWindow().findChild<QPushButton*>("Command2")->click(); // Close
    }));
    // The button's redraw cleared the map; nothing was calculated.
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
        EXPECT_EQ(messages.shown[0].tag, tag);
        EXPECT_EQ(messages.shown[0].text, languages.GetLabel("MsgBox", tag));
        EXPECT_EQ(canvas(sideview::Picture33).image(), before);
        EXPECT_EQ(doc().scales().SH44, 212.3f);
        EXPECT_FALSE(main().shownPicture().map());
    }
}

TEST_F(SplMapTest, TheLiveMapRepaintsWithTheLastCalculatesSettings)
{
    auto* item = main().findChild<QAction*>("LiveMap");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(windows.liveMap().isEnabled()); // off by default
    item->trigger();
    EXPECT_TRUE(windows.liveMap().isEnabled());
    ASSERT_TRUE(pressSplButton([&] {
        chooseFrequency(3); // 200 Hz
        splWindow().findChild<QPushButton*>("Command1")->click();
    }));
    ASSERT_TRUE(windows.liveMap().hasMap());
    EXPECT_EQ(doc().calculationSettings().frequencia, 200);

    QSignalSpy painted(&windows.liveMap(), &spl::LiveMap::painted);
    doc().setText(Control::Text4, "30");
    doc().leaveField(Control::Text4);
    QTRY_COMPARE(painted.count(), 1);
    windows.liveMap().waitForCalculations();
    const QImage live = canvas(sideview::Picture33).image();
    item->trigger();
    EXPECT_FALSE(windows.liveMap().isEnabled());
    windows.calculateMap(); // the same settings: the same picture
    EXPECT_EQ(canvas(sideview::Picture33).image(), live);
}

// Over a shown map (turned by the tilt of the demo's top box) the coordinates
// frame shows the level of the cell under the mouse, its true level to one
// decimal; a redraw of the side view wipes the map and the value.
TEST_F(SplMapTest, TheProbeShowsTheLevelOfTheCellUnderTheMouse)
{
    EXPECT_EQ(probeText(), "");
    calculate(1000, spl::MapStyle::Distribution);
    const auto& map = main().shownPicture().map();
    ASSERT_TRUE(map);
    ASSERT_TRUE(map->placement.corners); // the demo's map is turned
    // The level model places the map where the window painted it.
    const spl::Request request =
        spl::requestFromDocument(doc(), {1000, splWindow().resolutionText()});
    spl::MapPlacement placed = spl::levelModel(request)->placement();
    EXPECT_FLOAT_EQ(placed.turned.scaleWidth, map->placement.turned.scaleWidth); // a single
    placed.turned.scaleWidth = map->placement.turned.scaleWidth;
    EXPECT_EQ(placed, map->placement);
    const spl::Result& g = map->result;
    const std::pair<int, int> cells[] = {
        {g.FilesSobre - 4, 30}, {g.FilesSobre + 10, 120}, {g.FilesSobre + 2, 180}};
    for (const auto& [r, c] : cells) {
        const QPoint at = cellOnScreen(*map, r, c);
        ASSERT_TRUE(picture44().contentsRect().contains(at)) << at.x() << "," << at.y();
        QTest::mouseMove(&picture44(), at);
        EXPECT_EQ(probeText(), QLocale().toString(double(g.MatriuSPL(r, c)), 'f', 1))
            << r << "," << c;
    }
    EXPECT_NE(g.MatriuSPL(cells[0].first, cells[0].second),
              g.MatriuSPL(cells[1].first, cells[1].second));

    // After a redraw the map is gone: nothing to read under the mouse.
    const QPoint beside = cellOnScreen(*map, cells[0].first, cells[0].second) + QPoint(1, 0);
    doc().DibuixarGeneral();
    EXPECT_EQ(probeText(), "");
    EXPECT_FALSE(main().shownPicture().map());
    QTest::mouseMove(&picture44(), beside);
    EXPECT_EQ(probeText(), "");
}

// CALCULATE in the "Cells" style and `render --style cells` paint the same
// surfaces, unlike the distribution; an unknown style is refused.
TEST_F(SplMapTest, CellsStyleFromTheWindowAndFromRender)
{
    QComboBox* combo = splWindow().findChild<QComboBox*>("Combo5");
    EXPECT_EQ(combo->currentText(), "Distribution");
    calculate(2500, spl::MapStyle::Cells);
    EXPECT_EQ(combo->currentText(), "Cells");

    QTemporaryDir dir;
    const QString cells = dir.filePath("cells.png"), dist = dir.filePath("dist.png");
    for (const auto& [path, style] : {std::pair{cells, "cells"}, {dist, "distribution"}}) {
        const Outcome r = render(
            {demo, "--freq", "2500", "--style", style, "--surface", "Picture44", "--out", path});
        ASSERT_EQ(r.code, 0) << r.err.constData();
    }
    const QImage window = picture44().canvas().image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QImage(cells).convertToFormat(QImage::Format_RGB32), window);
    EXPECT_NE(QImage(dist).convertToFormat(QImage::Format_RGB32), window);

    const Outcome bad = render({demo, "--style", "Cells", "--out", dir.filePath("x.png")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.contains("no map style Cells")) << bad.err.constData();
}

// "Box by box" chosen in the SPL window: CALCULATE paints an unturned map
// whose cells, probe, level along the areas and render are those of
// `splmap grid --model coherent`.
TEST_F(SplMapTest, TheBoxByBoxModelThroughTheWindowsIsTheGridCommands)
{
    main().findChild<QAction*>("AreaLevels")->trigger();
    auto* plot = main().findChild<spl::AreaLevelsWindow*>("AreaLevels");
    ASSERT_NE(plot, nullptr);
    const float classicPoint = plot->levels().areas[0].points[40].level;
    ASSERT_TRUE(pressSplButton([&] {
        chooseFrequency(10); // 1000 Hz
        auto* combo6 = splWindow().findChild<QComboBox*>("Combo6");
        EXPECT_EQ(combo6->currentText(), "Classic");
        combo6->setFocus();
        QTest::keyClick(combo6, Qt::Key_Down);
        EXPECT_EQ(combo6->currentText(), "Box by box");
        splWindow().findChild<QPushButton*>("Command1")->click();
    }));
    EXPECT_EQ(doc().calculationSettings().model, spl::LevelModelKind::Coherent);
    const auto& map = main().shownPicture().map();
    ASSERT_TRUE(map);
    EXPECT_FALSE(map->placement.corners); // painted where its cells are
    EXPECT_NE(plot->levels().areas[0].points[40].level, classicPoint); // the plot followed
    plot->hide();                                                      // off the map, for the probe

    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const Outcome grid = captured([&](QIODevice& out, QIODevice& err) {
        return runGrid({demo, "--freq", "1000", "--model", "coherent", "--cells", csv}, out, err,
                       QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
    ASSERT_EQ(grid.code, 0) << grid.err.constData();
    EXPECT_TRUE(grid.out.startsWith(R"({"model":"coherent",)")) << grid.out.constData();
    QFile cells(csv);
    ASSERT_TRUE(cells.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = cells.readAll().split('\n');
    const spl::Result& g = map->result;
    ASSERT_EQ(lines.size(), 2 + qsizetype(g.PartYFarField) * g.ParticionsXmapa);
    const spl::MapPlacement& p = map->placement;
    for (const auto& [r, c] : {std::pair{g.FilesSobre + 10, 120}, {g.FilesSobre + 2, 180}}) {
        const QList<QByteArray> f = lines[1 + qsizetype(g.cell(r, c))].split(',');
        ASSERT_EQ(f.size(), 9);
        EXPECT_EQ(f.mid(4, 4), QList<QByteArray>({"0", "0", "0", "0"}));
        const float level = f[8].toFloat();
        EXPECT_EQ(g.MatriuSPL(r, c), level) << r << "," << c;
        // The probe over the cell's centre.
        const double x44 = g.MatriuX(r, c) * p.view.SW1 / p.view.offsetmax;
        const double y44 = p.view.SH44 - p.view.SH1 * g.MatriuY(r, c) / (p.view.alturamax + 1);
        const Canvas& surface = picture44().canvas();
        QTest::mouseMove(
            &picture44(),
            picture44().contentsRect().topLeft() +
                QPoint(qRound(x44 * surface.image().width() / surface.scaleWidth()),
                       qRound(y44 * surface.image().height() / surface.scaleHeight())));
        const QString shown = QLocale().toString(double(level), 'f', 1);
        // The move is delivered through the event queue.
        EXPECT_TRUE(QTest::qWaitFor([&] { return probeText() == shown; }))
            << r << "," << c << ": " << probeText().toStdString() << " for " << level;
        // The level along an area through the cell's centre.
        const spl::AreaSegment through{1, g.MatriuX(r, c), 0, g.MatriuY(r, c), g.MatriuY(r, c)};
        const spl::AreaLevels at = spl::areaLevels(
            spl::requestFromDocument(doc(), doc().calculationSettings()), {&through, 1}, 0);
        EXPECT_NEAR(at.areas[0].points[0].level, level, 0.01) << r << "," << c;
    }
    const QString png = dir.filePath("map.png");
    const Outcome r = render(
        {demo, "--freq", "1000", "--model", "coherent", "--surface", "Picture44", "--out", png});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              picture44().canvas().image().convertToFormat(QImage::Format_RGB32));
    const Outcome bad = render({demo, "--model", "exact", "--out", png});
    EXPECT_TRUE(bad.code == 2 && bad.err.contains("no level model exact")) << bad.err.constData();

    // The live map recalculates an edited project with the same model.
    main().findChild<QAction*>("LiveMap")->trigger();
    QSignalSpy painted(&windows.liveMap(), &spl::LiveMap::painted);
    doc().setText(Control::Text4, "30");
    doc().leaveField(Control::Text4);
    QTRY_COMPARE(painted.count(), 1);
    const auto& live = main().shownPicture().map();
    ASSERT_TRUE(live);
    EXPECT_EQ(live->result.model, spl::LevelModelKind::Coherent);
    EXPECT_FALSE(live->placement.corners);
}

// Options > Level along the areas plots every area in use and its statistics,
// and follows the band of the map, the listening height and every edit.
TEST_F(SplMapTest, TheAreaLevelsWindowFollowsTheProject)
{
    QAction* item = main().findChild<QAction*>("AreaLevels");
    ASSERT_NE(item, nullptr);
    item->trigger();
    auto* w = main().findChild<spl::AreaLevelsWindow*>("AreaLevels");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    auto* chart = w->findChild<QChartView*>("Chart")->chart();
    auto* table = w->findChild<QTableWidget*>("Table1");
    const auto seriesOf = [chart](int area) -> QLineSeries* {
        for (QAbstractSeries* s : chart->series())
            if (s->objectName() == QStringLiteral("Area%1").arg(area))
                return static_cast<QLineSeries*>(s);
        return nullptr;
    };
    const auto band = [w] { return w->findChild<QLabel*>("LabelBand")->text(); };

    // The demo: area 1 from 3 m over 27 m, area 2 from 30 m over 10 m.
    ASSERT_EQ(chart->series().size(), 2);
    ASSERT_NE(seriesOf(1), nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "All areas");
    const spl::AreaCurve& area1 = w->levels().areas[0];
    EXPECT_EQ(seriesOf(1)->at(10), QPointF(area1.points[10].distance, area1.points[10].level));
    EXPECT_EQ(table->item(0, 0)->text(), QLocale().toString(area1.stats.max, 'f', 1));
    EXPECT_EQ(band(), "100 Hz");

    // The band of the map calculated: one band for the plot and the map.
    calculate(1000, spl::MapStyle::Distribution);
    EXPECT_EQ(band(), "1000 Hz");
    const float at1000 = w->levels().areas[0].points[50].level;

    // The listening height: 0 puts the points on the area line.
    QLineEdit* height = w->findChild<QLineEdit*>("Text1");
    height->clear();
    QTest::keyClicks(height, "0");
    EXPECT_EQ(w->listeningHeight(), 0);
    EXPECT_FLOAT_EQ(w->levels().areas[0].points[0].height, 0.0f);
    EXPECT_NE(w->levels().areas[0].points[50].level, at1000);

    // An edit: three areas, the third from 40 m over 5 m.
    doc().setText(Control::Text9, "40");
    doc().setText(Control::Text12, "5");
    doc().choose(Control::Combo1, 2);
    ASSERT_EQ(chart->series().size(), 3);
    EXPECT_NE(seriesOf(3), nullptr);
    EXPECT_EQ(table->rowCount(), 4);

    // The values under the mouse: every area lying at that distance.
    w->showValuesAt(35.0);
    const QString under = w->findChild<QLabel*>("Label4")->text();
    EXPECT_TRUE(under.startsWith("35.0 m")) << under.toStdString();
    EXPECT_TRUE(under.contains("Area 2: ")) << under.toStdString();
    EXPECT_FALSE(under.contains("Area 1")) << under.toStdString();
}
