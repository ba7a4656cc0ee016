// The SPL map through the real windows: the main window's SPL button, the SPL
// window's frequency list and CALCULATE, and the map on the overlays.

#include "Harness.h"
#include "files/Ini.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
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

/// Whether the colour is one of the ramps of the level classes.
bool inRamp(QRgb colour)
{
    for (int k = 0; k < spl::kClasses; ++k)
        for (int i = 0; i < spl::kRampSteps; ++i)
            if (spl::classColour(k, i) == (colour & 0xFFFFFFu))
                return true;
    return false;
}

class SplMapTest : public ProgramTest
{
protected:
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
    const QImage& p33 = canvas(sideview::Picture33).image();
    EXPECT_NE(p33, sideView);

    // The SPL window keeps its fields; the map stays until the side view is redrawn.
    const QImage map33 = p33.copy();
    ASSERT_TRUE(pressSplButton([&] {
        EXPECT_EQ(splWindow().frequencia, 1000);
        splWindow().findChild<QPushButton*>("Command2")->click(); // Close
    }));
    // The button's redraw cleared the map; nothing was calculated.
    EXPECT_NE(canvas(sideview::Picture33).image(), map33);
    EXPECT_FALSE(main().shownPicture().map());
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
    EXPECT_FALSE(windows.liveMap().isEnabled()); // off by default
    item->trigger();
    EXPECT_TRUE(windows.liveMap().isEnabled());

    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    ASSERT_TRUE(main().loadProject(demo));
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
