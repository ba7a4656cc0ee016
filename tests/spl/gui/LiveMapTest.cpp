// The live map: a map repainted after each edit from a calculation off the
// window's thread, where only the newest edit's map ever reaches the surfaces.

#include "spl/gui/LiveMap.h"
#include "i18n/Languages.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LiveMapTest : public ::testing::Test
{
protected:
    LiveMapTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)), doc(messages),
          window(doc, languages, languageId::English), live(doc, window.shownPicture())
    {
        doc.setCalculationSettings({1000, QStringLiteral("0.3"), spl::MapStyle::Distribution});
    }

    Surface& surface(int id) { return *window.picture(id); }
    std::array<QImage, 3> pictures()
    {
        return {surface(sideview::Picture1).canvas().image(),
                surface(sideview::Picture33).canvas().image(),
                surface(sideview::Picture44).canvas().image()};
    }

    /// Paints what CALCULATE paints for the project as it stands now.
    bool calculate() { return spl::runCalculation(doc, window.shownPicture()) != nullptr; }

    /// The demo project with a map calculated by CALCULATE.
    void calculateDemo()
    {
        ASSERT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
        ASSERT_TRUE(doc.requestSplWindow());
        ASSERT_TRUE(calculate());
        live.mapCalculated();
    }

    void edit(Control field, const QString& text)
    {
        doc.setText(field, text);
        doc.leaveField(field);
    }

    /// Lets every calculation started so far end and deliver its result.
    void settle()
    {
        QCoreApplication::processEvents();
        live.waitForCalculations();
        QCoreApplication::processEvents();
    }

    Languages languages;
    CapturingSink messages;
    ProjectDocument doc;
    Principal window;
    spl::LiveMap live;
};

} // namespace

TEST_F(LiveMapTest, OnlyTheNewestEditsMapIsPainted)
{
    calculateDemo();
    QSignalSpy painted(&live, &spl::LiveMap::painted);
    live.setEnabled(true); // brings the map up to date at once
    QTRY_COMPARE(painted.count(), 1);

    // The first edit's calculation runs to its end and its result waits to
    // be delivered when the second edit comes.
    edit(Control::Text1, "4");
    QCoreApplication::processEvents(); // starts its calculation
    live.waitForCalculations();
    edit(Control::Text1, "12");
    QTRY_COMPARE(painted.count(), 2);
    settle();
    EXPECT_EQ(painted.count(), 2);
    const auto shown = pictures();

    live.setEnabled(false);
    doc.DibuixarGeneral();
    ASSERT_TRUE(calculate());
    EXPECT_EQ(shown, pictures());
}

TEST_F(LiveMapTest, NothingIsPaintedWhenOffBeforeAMapOrWithoutAnAudience)
{
    QSignalSpy painted(&live, &spl::LiveMap::painted);
    live.setEnabled(true);
    ASSERT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    edit(Control::Text1, "4");
    settle();
    EXPECT_EQ(painted.count(), 0); // no map calculated yet

    live.setEnabled(false);
    calculateDemo();
    edit(Control::Text1, "5");
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
    doc.setText(Control::Text2, "1");
    ASSERT_TRUE(doc.validateField(Control::Text2));
    doc.leaveField(Control::Text2);
    live.mapCalculated();
    settle();
    EXPECT_EQ(painted.count(), 0);
}
