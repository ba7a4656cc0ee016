// The SPL map through the real windows: the main window's SPL button, the SPL
// window's frequency list and CALCULATE, and the map on the overlays.

#include "app/Windows.h"
#include "files/Ini.h"
#include "platform/Numbers.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "spl/Calculation.h"
#include "spl/MapPainting.h"
#include "spl/RequestFromProject.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

/// Whether the colour is one of the 256 of the ramp of class k.
bool inRamp(QRgb colour, int k)
{
    for (int i = 0; i < spl::kRampSteps; ++i)
        if (spl::classColour(k, i) == (colour & 0xFFFFFFu))
            return true;
    return false;
}

class SplMapTest : public ::testing::Test
{
protected:
    SplMapTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          windows(languages, messages, languageId::English)
    {
    }

    ProjectDocument& doc() { return windows.document(); }
    Principal& main() { return windows.principal(); }
    SPL& splWindow() { return windows.splWindow(); }
    const Canvas& canvas(int id) { return main().picture(id)->canvas(); }

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

    Languages languages;
    CapturingSink messages;
    Windows windows;
};

} // namespace

TEST_F(SplMapTest, CalculateThroughTheWindowsPaintsTheMapOnBothOverlays)
{
    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    ASSERT_TRUE(main().loadProject(demo));
    const QImage sideView = canvas(sideview::Picture33).image();

    std::optional<spl::Result> expected;
    ASSERT_TRUE(pressSplButton([&] {
        chooseFrequency(10); // 100 Hz -> 1000 Hz
        // What the calculation must find, from the project as the button left it.
        expected = spl::calculate(
            spl::requestFromDocument(doc(), splWindow().frequencia, splWindow().resolutionText()));
        splWindow().findChild<QPushButton*>("Command1")->click();
        EXPECT_FALSE(splWindow().isVisible());
    }));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(splWindow().frequencia, 1000);
    ASSERT_TRUE(expected);
    EXPECT_EQ(canvas(sideview::Picture44).scaleHeight(), 212.4f);
    EXPECT_EQ(doc().scales().SH44, 212.4f); // the map's scale stays

    // Every class segment of the rows above the array (no area or ray crosses
    // them) shows its class's ramp in its middle on Picture33, and at the same
    // point turned by the tilt of the top box on Picture44.
    const ProjectState& state = doc().state();
    spl::MapView view;
    view.alturamax = state.alturamax;
    view.offsetmax = state.offsetmax;
    view.SH44 = spl::kOverlayScaleHeight;
    const auto segments = spl::FerDistribucionsSPL(spl::distributionRows(*expected), view);
    const QImage& p33 = canvas(sideview::Picture33).image();
    const QImage& p44 = canvas(sideview::Picture44).image();
    const int W = p33.width(), H = p33.height();
    const double fx = W / 177.45, fy = H / double(spl::kOverlayScaleHeight);
    const float T = numbers::toSingle(doc().text(Control::Text13), doc().locale());
    const auto heightAt = [&](double py) { // metres above the floor of pixel row py
        return (spl::kOverlayScaleHeight - py / fy) * (state.alturamax + 1) / 118.0;
    };
    const auto angle =
        spl::rotationAngle(doc().text(angleList(0)), doc().text(Control::Label59), doc().locale());
    ASSERT_TRUE(angle);
    spl::RotationInputs in{W, H, T, state.alturaunacaixa, state.alturamax};
    in.SH44 = spl::kOverlayScaleHeight;
    const auto P = spl::rotationCorners(in, *angle);

    int checked33 = 0, checked44 = 0;
    for (const spl::MapSegment& s : segments) {
        const double top = s.y1 * fy, bottom = s.y2 * fy;
        const double left = s.x1 * fx, right = std::min<double>(s.xEnd * fx, W - 1);
        if (bottom - top < 5 || right - left < 8 || heightAt(bottom) < T + 0.5)
            continue;
        const int px = int((left + right) / 2), py = int((top + bottom) / 2);
        EXPECT_TRUE(inRamp(p33.pixel(px, py), s.k))
            << "Picture33 row " << s.row << " class " << s.k << " at " << px << "," << py;
        EXPECT_NE(p33.pixel(px, py), sideView.pixel(px, py));
        ++checked33;

        const double u = (px + 0.5) / W, v = (py + 0.5) / H;
        const double qx = P[0].x + u * (P[1].x - P[0].x) + v * (P[2].x - P[0].x);
        const double qy = P[0].y + u * (P[1].y - P[0].y) + v * (P[2].y - P[0].y);
        if (qx < 0 || qy < 0 || qx >= W || qy >= H || heightAt(qy + 1) < T + 0.5)
            continue;
        EXPECT_TRUE(inRamp(p44.pixel(int(qx), int(qy)), s.k))
            << "Picture44 row " << s.row << " class " << s.k << " at " << qx << "," << qy;
        ++checked44;
    }
    EXPECT_GE(checked33, 40);
    EXPECT_GE(checked44, 20);

    // The SPL window keeps its fields; the map stays until the side view is redrawn.
    const QImage map33 = p33.copy();
    ASSERT_TRUE(pressSplButton([&] {
        EXPECT_EQ(splWindow().frequencia, 1000);
        splWindow().findChild<QPushButton*>("Command2")->click(); // Close
    }));
    // The button's redraw cleared the map; nothing was calculated.
    EXPECT_NE(canvas(sideview::Picture33).image(), map33);
    EXPECT_EQ(canvas(sideview::Picture33).image().pixel(700, 20), qRgb(255, 255, 255));
}

TEST_F(SplMapTest, AGridTooLargeIsRefusedAndLeavesTheSideView)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tall.ini");
    ASSERT_TRUE(QFile::copy(demo, path));
    INIwrite(path, "Default", "Text13", "3000"); // a view thousands of metres high
    main().show();
    ASSERT_TRUE(main().loadProject(path));
    messages.shown.clear();
    QImage before;
    ASSERT_TRUE(pressSplButton([&] {
        before = canvas(sideview::Picture33).image().copy();
        splWindow().findChild<QLineEdit*>("Text1")->setText("0.1");
        splWindow().findChild<QPushButton*>("Command1")->click();
    }));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].tag, "Grid");
    EXPECT_TRUE(messages.shown[0].text.contains("too large"));
    EXPECT_EQ(canvas(sideview::Picture33).image(), before);
    EXPECT_EQ(doc().scales().SH44, 212.3f);
}

TEST_F(SplMapTest, TheLiveMapRepaintsWithTheLastCalculatesSettings)
{
    auto* item = main().findChild<QAction*>("LiveMap");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked()); // off by default
    item->trigger();
    EXPECT_TRUE(windows.liveMap().isEnabled());

    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    ASSERT_TRUE(main().loadProject(demo));
    ASSERT_TRUE(pressSplButton([&] {
        chooseFrequency(3); // 200 Hz
        splWindow().findChild<QPushButton*>("Command1")->click();
    }));
    ASSERT_TRUE(windows.liveMap().settings());
    EXPECT_EQ(windows.liveMap().settings()->frequencia, 200);

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
