#include "Harness.h"
#include "app/RenderCommand.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "spl/LevelModel.h"
#include "spl/RequestFromProject.h"
#include "spl/gui/AreaLevelsWindow.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class LevelViewsTest : public ProgramTest
{
protected:
    LevelViewsTest()
    {
        windows.principal().show();
        EXPECT_TRUE(windows.principal().loadProject(demo));
    }

    /// The SPL window's CALCULATE at a band, in a style.
    void calculate(int16_t hz, spl::MapStyle style)
    {
        ASSERT_TRUE(windows.document().requestSplWindow());
        windows.splWindow().frequencia = hz;
        windows.splWindow().setMapStyle(style);
        windows.calculateMap();
        ASSERT_TRUE(messages.shown.empty());
    }

    Surface& picture44() { return *windows.principal().picture(sideview::Picture44); }
    QString probeText()
    {
        return windows.principal().findChild<QLabel*>("LabelLevelValue")->text();
    }

    /// Where the centre of cell (r, c) of the turned map lies on Picture44, in
    /// widget pixels: placed as the map places rows and columns on Picture33,
    /// then carried by the turn of the map onto the parallelogram of its corners.
    QPoint cellOnScreen(const spl::ShownMap& map, int r, int c)
    {
        const spl::MapPlacement& p = map.placement;
        const double X = map.result.MatriuX(r, c), Y = map.result.MatriuY(r, c);
        const spl::OverlayPixels& t = p.turned; // Picture33, at its own scale
        const double sx = X * p.view.SW1 / p.view.offsetmax * t.width / t.scaleWidth;
        const double sy =
            (p.view.SH44 - p.view.SH1 * Y / (p.view.alturamax + 1)) * t.height / t.scaleHeight;
        const auto& P = *p.corners;
        const double px =
            P[0].x + sx / t.width * (P[1].x - P[0].x) + sy / t.height * (P[2].x - P[0].x);
        const double py =
            P[0].y + sx / t.width * (P[1].y - P[0].y) + sy / t.height * (P[2].y - P[0].y);
        return picture44().contentsRect().topLeft() +
               QPoint(int(std::floor(px)), int(std::floor(py)));
    }
};

Outcome render(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runRender(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

} // namespace

// Over a shown map (turned by the tilt of the demo's top box) the coordinates
// frame shows the level of the cell under the mouse, its true level to one
// decimal; a redraw of the side view wipes the map and the value.
TEST_F(LevelViewsTest, TheProbeShowsTheLevelOfTheCellUnderTheMouse)
{
    EXPECT_EQ(probeText(), "");
    calculate(1000, spl::MapStyle::Distribution);
    const auto& map = windows.principal().shownPicture().map();
    ASSERT_TRUE(map);
    ASSERT_TRUE(map->placement.corners); // the demo's map is turned
    // The level model places the map where the window painted it.
    const spl::Request request =
        spl::requestFromDocument(windows.document(), 1000, windows.splWindow().resolutionText());
    spl::MapPlacement placed = spl::levelModel(request)->placement();
    EXPECT_FLOAT_EQ(placed.turned.scaleWidth, map->placement.turned.scaleWidth); // a single
    placed.turned.scaleWidth = map->placement.turned.scaleWidth;
    EXPECT_EQ(placed, map->placement);
    const spl::Result& g = map->result;
    const struct
    {
        int r, c;
    } cells[] = {{g.FilesSobre - 4, 30}, {g.FilesSobre + 10, 120}, {g.FilesSobre + 2, 180}};
    for (const auto& cell : cells) {
        const QPoint at = cellOnScreen(*map, cell.r, cell.c);
        ASSERT_TRUE(picture44().contentsRect().contains(at)) << at.x() << "," << at.y();
        QTest::mouseMove(&picture44(), at);
        EXPECT_EQ(probeText(), QLocale().toString(double(g.MatriuSPL(cell.r, cell.c)), 'f', 1))
            << cell.r << "," << cell.c;
    }
    EXPECT_NE(g.MatriuSPL(cells[0].r, cells[0].c), g.MatriuSPL(cells[1].r, cells[1].c));

    // After a redraw the map is gone: nothing to read under the mouse.
    const QPoint beside = cellOnScreen(*map, cells[0].r, cells[0].c) + QPoint(1, 0);
    windows.document().DibuixarGeneral();
    EXPECT_EQ(probeText(), "");
    EXPECT_FALSE(windows.principal().shownPicture().map());
    QTest::mouseMove(&picture44(), beside);
    EXPECT_EQ(probeText(), "");
}

// CALCULATE in the "Cells" style and `render --style cells` paint the same
// surfaces, unlike the distribution; an unknown style is refused.
TEST_F(LevelViewsTest, CellsStyleFromTheWindowAndFromRender)
{
    QComboBox* combo = windows.splWindow().findChild<QComboBox*>("Combo5");
    ASSERT_NE(combo, nullptr);
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

// Options > Level along the areas plots every area in use and its statistics,
// and follows the SPL window's band, the listening height and every edit.
TEST_F(LevelViewsTest, TheAreaLevelsWindowFollowsTheProject)
{
    QAction* item = windows.principal().findChild<QAction*>("AreaLevels");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Level along the &Areas");
    item->trigger();
    auto* w = windows.principal().findChild<spl::AreaLevelsWindow*>("AreaLevels");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    auto* chart = w->findChild<QChartView*>("Chart")->chart();
    auto* table = w->findChild<QTableWidget*>("Table1");

    const auto seriesOf = [chart](int area) {
        for (QAbstractSeries* s : chart->series())
            if (s->objectName() == QStringLiteral("Area%1").arg(area))
                return static_cast<QLineSeries*>(s);
        return static_cast<QLineSeries*>(nullptr);
    };
    // The demo: area 1 from 3 m over 27 m, area 2 from 30 m over 10 m.
    ASSERT_EQ(chart->series().size(), 2);
    ASSERT_NE(seriesOf(1), nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "All areas");
    const spl::AreaCurve& area1 = w->levels().areas[0];
    EXPECT_EQ(seriesOf(1)->at(10), QPointF(area1.points[10].distance, area1.points[10].level));
    EXPECT_EQ(table->item(0, 0)->text(), QLocale().toString(area1.stats.max, 'f', 1));
    EXPECT_EQ(w->findChild<QLabel*>("LabelBand")->text(), "100 Hz");

    // The band of the map calculated: one band for the plot and the map.
    calculate(1000, spl::MapStyle::Distribution);
    EXPECT_EQ(w->findChild<QLabel*>("LabelBand")->text(), "1000 Hz");
    const float at1000 = w->levels().areas[0].points[50].level;

    // The listening height: 0 puts the points on the area line.
    QLineEdit* height = w->findChild<QLineEdit*>("Text1");
    height->clear();
    QTest::keyClicks(height, "0");
    EXPECT_EQ(w->listeningHeight(), 0);
    EXPECT_FLOAT_EQ(w->levels().areas[0].points[0].height, 0.0f);
    EXPECT_NE(w->levels().areas[0].points[50].level, at1000);

    // An edit: three areas, the third from 40 m over 5 m.
    ProjectDocument& doc = windows.document();
    doc.setText(Control::Text9, "40");
    doc.setText(Control::Text12, "5");
    doc.choose(Control::Combo1, 2);
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
