// The spectrum at points of the map and the calculation's progress, through
// the real windows: clicks on the map, pins and their marks, Cancel.

#include "Harness.h"
#include "analysis/RequestFromProject.h"
#include "spl/Bands.h"
#include "spl/gui/AreaLevelsWindow.h"

#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressDialog>
#include <QTimer>

namespace {

class ResponseWindowTest : public DemoWindowTest
{
protected:
    spl::ResponseWindow& spectrum() { return windows.responseWindow(); }

    /// Clicks Picture44 at a share of its width and height; the point in scale units.
    QPointF click(double fx, double fy)
    {
        const QRect inner = picture44().contentsRect();
        const QPoint at =
            inner.topLeft() + QPoint(int(fx * inner.width()), int(fy * inner.height()));
        QTest::mouseClick(&picture44(), Qt::LeftButton, {}, at);
        return picture44().canvas().toScale(QPointF(at - inner.topLeft()));
    }

    /// The window's points read against the spectrum the core gives at each.
    void expectSpectraOfTheDocument()
    {
        const spl::Request request = spl::requestFromDocument(doc(), doc().calculationSettings());
        for (const auto& p : spectrum().points()) {
            const spl::BandResponse s = spl::bandResponseAt(request, p.spectrum.X, p.spectrum.Y);
            EXPECT_EQ(p.spectrum.levels, s.levels) << p.spectrum.X << ", " << p.spectrum.Y;
            EXPECT_EQ(p.spectrum.averageFlat, s.averageFlat);
            EXPECT_EQ(p.spectrum.averageA, s.averageA);
        }
    }
};

} // namespace

// A click on the map reads the core's spectrum at the point clicked and plots
// it. Pinned points stay, each in a colour of its own, marked on the screen
// where they were clicked (not in the map's picture), and follow the model.
TEST_F(ResponseWindowTest, ClicksOnTheMapReadPinAndMarkTheSpectrum)
{
    calculate({1000, "0.3"});
    const auto& map = main().shownPicture().map();
    const QImage picture = picture44().canvas().image().copy();
    const auto& points = spectrum().points();
    std::vector<QPointF> clicked;
    for (const QPointF& share : {QPointF(0.3, 0.5), QPointF(0.55, 0.75), QPointF(0.85, 0.35)}) {
        if (!points.empty())
            spectrum().pin(); // the point before, all but the last one
        clicked.push_back(click(share.x(), share.y()));
        ASSERT_TRUE(spectrum().isVisible());
        ASSERT_EQ(points.size(), clicked.size());
        const auto& p = points.back();
        EXPECT_TRUE(!p.pinned && p.colour == QColor(Qt::black));
        const auto [X, Y] =
            spl::viewPoint(map->placement.view, clicked.back().x(), clicked.back().y());
        EXPECT_EQ(std::pair(p.spectrum.X, p.spectrum.Y), std::pair(X, Y));
    }
    expectSpectraOfTheDocument();
    // Each point's 21 levels plotted, the current one's last, and its flat average.
    const auto plotted = spectrum().findChild<QChartView*>("Chart")->chart()->series();
    ASSERT_EQ(plotted.size(), qsizetype(points.size()));
    const auto* series = static_cast<const QLineSeries*>(plotted.back());
    ASSERT_EQ(series->count(), 21);
    EXPECT_EQ(series->at(10), QPointF(spl::kFrequencies[10], points.back().spectrum.levels[10]));
    const QString average = QLocale().toString(points.back().spectrum.averageFlat, 'f', 1);
    EXPECT_TRUE(spectrum().findChild<QLabel*>("LabelAverage")->text().contains(average));
    EXPECT_EQ(picture44().canvas().image(), picture);

    // Each mark where its point was clicked, each pin in a colour of its own.
    const QList<Surface::Mark> marks = picture44().marks();
    ASSERT_EQ(marks.size(), qsizetype(clicked.size()));
    QSet<QRgb> colours;
    for (std::size_t i = 0; i < clicked.size(); ++i) {
        EXPECT_NEAR(QLineF(marks[qsizetype(i)].at, clicked[i]).length(), 0, 1e-6);
        EXPECT_EQ(marks[qsizetype(i)].colour, points[i].colour);
        colours.insert(points[i].colour.rgb());
    }
    EXPECT_EQ(colours.size(), qsizetype(clicked.size()));
    EXPECT_EQ(spectrum().findChild<QListWidget*>("ListPoints")->count(), int(clicked.size()) - 1);

    // Another model: every point is read again, the pins stay.
    const spl::BandResponse before = points[0].spectrum;
    doc().setCalculationSettings(
        {1000, "0.3", spl::MapStyle::Distribution, spl::LevelModelKind::Coherent});
    ASSERT_EQ(points.size(), clicked.size());
    EXPECT_NE(points[0].spectrum.levels, before.levels);
    expectSpectraOfTheDocument();

    // The first pin goes; the second keeps its colour, and a new pin does not take it.
    const QColor second = points[1].colour;
    spectrum().unpin(0);
    ASSERT_EQ(points.size(), clicked.size() - 1);
    EXPECT_EQ(points[0].colour, second);
    spectrum().pin();
    EXPECT_NE(points.back().colour, second);
    spectrum().hide();
    EXPECT_TRUE(picture44().marks().isEmpty());
}

// A click on a curve of the level along the areas reads the spectrum at that
// point of the area: its level in the map's band is the curve's. The curves
// say their band, or their band average.
TEST_F(ResponseWindowTest, AClickOnACurveOfTheAreasReadsTheSpectrumThere)
{
    calculate({2000, "0.3"});
    spl::AreaLevelsWindow& areas = windows.openAreaLevels();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&areas));
    QChartView* view = areas.findChild<QChartView*>("Chart");
    const spl::AreaPoint& p = areas.levels().areas[1].points[10];
    const QPointF inChart = view->chart()->mapToPosition(QPointF(p.distance, p.level));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->mapFromScene(view->chart()->mapToScene(inChart)));
    ASSERT_TRUE(spectrum().isVisible());
    const auto& s = spectrum().points().back().spectrum;
    const std::optional<spl::AreaPoint> chosen = areas.pointAt(s.X, p.level);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(std::pair(s.X, s.Y), std::pair(double(chosen->distance), double(chosen->height)));
    EXPECT_EQ(s.levels[*spl::bandIndex(2000)], chosen->level);

    const auto band = [&] { return areas.findChild<QLabel*>("LabelBand")->text(); };
    doc().setCalculationSettings({2000, "0.3", spl::MapStyle::Distribution,
                                  spl::LevelModelKind::Classic,
                                  spl::BandRange{250, 4000, spl::Weighting::A}});
    EXPECT_TRUE(band().contains("250") && band().contains("4000") &&
                band().contains(languages.GetLabel("SPL", "AWeighted")))
        << band().toStdString();
}

// A calculation that takes a while shows its progress; Cancel leaves the map,
// its picture and the document's settings exactly as they were.
TEST_F(ResponseWindowTest, CancelLeavesThePreviousMapAndSettings)
{
    calculate({1000, "0.3"});
    const auto before = main().shownPicture().map();
    const QImage p33 = canvas(sideview::Picture33).image().copy();
    const QImage p44 = picture44().canvas().image().copy();
    const CalculationSettings settings = doc().calculationSettings();
    windows.mapCalculation().setShowAfter(std::chrono::milliseconds(0));

    for (const bool cancel : {true, false}) {
        // The heaviest calculation, to cancel; a light one, to finish.
        const CalculationSettings asked =
            cancel ? CalculationSettings{100, "0.1", spl::MapStyle::Distribution,
                                         spl::LevelModelKind::Coherent,
                                         spl::BandRange{100, 10000, spl::Weighting::A}}
                   : CalculationSettings{1000, "0.5"};
        windows.splWindow().showSettings(asked);
        bool seen = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* bar = main().findChild<QProgressDialog*>("CalculationProgress");
            if (!bar || !bar->isVisible() || seen)
                return;
            seen = true;
            if (cancel)
                bar->findChild<QPushButton*>()->click();
        });
        watch.start(5);
        windows.calculateMap();
        watch.stop();
        EXPECT_TRUE(seen || !cancel);
        if (cancel) {
            EXPECT_EQ(main().shownPicture().map(), before);
            EXPECT_EQ(doc().calculationSettings(), settings);
            EXPECT_EQ(canvas(sideview::Picture33).image(), p33);
            EXPECT_EQ(picture44().canvas().image(), p44);
        } else {
            EXPECT_EQ(doc().calculationSettings(), asked);
            ASSERT_NE(main().shownPicture().map(), before);
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}
