// The live map: a map repainted after each edit from a calculation off the
// window's thread, where only the newest edit's map ever reaches the surfaces.

#include "spl/gui/LiveMap.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/gui/MainWindowFixture.h"
#include "sideview/SideView.h"
#include "support/FailingResources.h"

#include <QSignalSpy>

namespace {

class LiveMapTest : public MainWindowTest
{
protected:
    LiveMapTest()
    {
        doc.setCalculationSettings({1000, QStringLiteral("0.3"), spl::MapStyle::Distribution});
    }

    /// The demo project with a map calculated by CALCULATE.
    void calculateDemo()
    {
        ASSERT_TRUE(loadDemo());
        ASSERT_TRUE(doc.requestSplWindow());
        ASSERT_TRUE(spl::runCalculation(doc, window.shownPicture()));
        live.mapCalculated();
    }
    /// Lets every calculation started so far end and deliver its result.
    void settle()
    {
        QCoreApplication::processEvents();
        live.waitForCalculations();
        QCoreApplication::processEvents();
    }

    spl::LiveMap live{doc, window.shownPicture()};
    QSignalSpy painted{&live, &spl::LiveMap::painted};
};

} // namespace

TEST_F(LiveMapTest, OnlyTheNewestEditsMapIsPaintedWithOrWithoutThreads)
{
    calculateDemo();
    live.setEnabled(true); // brings the map up to date at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted.count() == 1; }));

    // The first edit's calculation runs to its end and its result waits to
    // be delivered when the second edit comes.
    enter(Control::Text1, "4");
    QCoreApplication::processEvents(); // starts its calculation
    live.waitForCalculations();
    enter(Control::Text1, "12");
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted.count() == 2; }));
    settle();
    EXPECT_EQ(painted.count(), 2);
    // What was painted is the newest edit's map, as CALCULATE paints it.
    const QImage shown = window.picture(sideview::Picture33)->canvas().image();
    live.setEnabled(false);
    doc.DibuixarGeneral();
    ASSERT_TRUE(spl::runCalculation(doc, window.shownPicture()));
    EXPECT_EQ(window.picture(sideview::Picture33)->canvas().image(), shown);

    // With no thread (or no memory) to be had, an edit still gets its map,
    // calculated on the window's thread, or keeps the picture it has; nothing
    // waits for ever.
    live.setEnabled(true);
    settle();
    painted.clear();
    {
        failing::Refusal threads(true, false);
        enter(Control::Text1, "4");
        settle();
    }
    EXPECT_EQ(painted.count(), 1);
    {
        failing::Refusal memory(false, true); // for the large grids of a fine resolution
        doc.setCalculationSettings({1000, QStringLiteral("0.1"), spl::MapStyle::Distribution});
        enter(Control::Text1, "5");
        settle();
    }
    EXPECT_EQ(painted.count(), 1);
    EXPECT_FALSE(window.shownPicture().map());
}

TEST_F(LiveMapTest, NothingIsPaintedWhenOffBeforeAMapOrWithoutAnAudience)
{
    live.setEnabled(true);
    ASSERT_TRUE(loadDemo());
    enter(Control::Text1, "4");
    settle();
    EXPECT_EQ(painted.count(), 0); // no map calculated yet

    live.setEnabled(false);
    calculateDemo();
    enter(Control::Text1, "5");
    settle();
    EXPECT_EQ(painted.count(), 0); // off

    // A field refused (the SPL button off) maps nothing.
    live.setEnabled(true);
    settle();
    painted.clear();
    doc.setText(Control::Text2, "x");
    ASSERT_FALSE(doc.validateField(Control::Text2));
    doc.DibuixarGeneral();
    settle();
    EXPECT_EQ(painted.count(), 0);

    // A new CALCULATE drops a live map still to come.
    enter(Control::Text2, "1");
    live.mapCalculated();
    settle();
    EXPECT_EQ(painted.count(), 0);
}
