// What the user's keys, clicks and wheel do to the main window; the rules are the document's.

#include "platform/gui/Surface.h"
#include "project/gui/MainWindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QWheelEvent>

using PrincipalTest = MainWindowTest;

// The window starts locked as the document does, with the height's text
// selected; no free text takes what a project file cannot hold, and its tip
// says so.
TEST_F(PrincipalTest, StartsWithTheHeightSelectedAndFreeTextsTakeOnlyWhatAFileHolds)
{
    EXPECT_FALSE(angle(0)->isEnabled() || text(1)->isEnabled());
    showWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->selectedText() == QStringLiteral("3"); }));
    for (int n : {15, 16}) {
        focus(text(n));
        QTest::keyClicks(text(n), "Hall [A]");
        EXPECT_EQ(text(n)->text(), "Hall A]");
        EXPECT_TRUE(text(n)->toolTip().contains("[")) << n;
    }
    EXPECT_EQ(doc.text(Control::Text16), "Hall A]");
}

TEST_F(PrincipalTest, ARefusedFieldKeepsTheFocusHoweverItIsLeft)
{
    showWindow();
    choose(combo("Combo1"), 1);
    focus(text(5));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text(5)->selectedText() == QStringLiteral("0"); })); // entering selects all
    text(5)->setText("abc");
    QTest::keyClick(text(5), Qt::Key_Tab);
    EXPECT_TRUE(text(5)->hasFocus());

    // The focus moved otherwise, or a click on the side view; then a move to
    // another bad field, which is not checked.
    text(6)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    QTest::mouseClick(window.picture(sideview::Picture1), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    text(6)->setText("xyz");
    text(6)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(text(5)->hasFocus());
    EXPECT_EQ(doc.raisedMessages(), QStringList(4, "Value"));

    // A number is taken (no range check) and the focus moves on to the length.
    text(5)->setText("-2");
    QTest::keyClick(text(5), Qt::Key_Tab);
    EXPECT_EQ(doc.raisedMessages().size(), 4);
    EXPECT_TRUE(text(8)->hasFocus());
}

TEST_F(PrincipalTest, TheWheelTurnsOnlyAFocusedList)
{
    enter(Control::Text13, "9");
    showWindow();
    QSignalSpy redrawn(&doc, &ProjectDocument::redrawn);
    const auto wheel = [](QComboBox* c) {
        const QPointF at(c->width() / 2.0, c->height() / 2.0);
        QWheelEvent e(at, c->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(c, &e);
    };
    wheel(angle(0));
    EXPECT_EQ(std::pair(angle(0)->currentIndex(), int(redrawn.count())), std::pair(-1, 0));
    focus(angle(0));
    redrawn.clear(); // leaving the height redrew
    wheel(angle(0));
    EXPECT_EQ(std::pair(angle(0)->currentIndex(), int(redrawn.count())), std::pair(0, 1));
}

// Without an area reaching past the array, the SPL button says so and opens nothing.
TEST_F(PrincipalTest, TheSplButtonOpensNothingWithoutAnAudience)
{
    QSignalSpy opened(&window, &Principal::splWindowRequested);
    window.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Audience"}));
}

// The mouse over either view shows the document's readout of that view.
TEST_F(PrincipalTest, MouseOverTheViewsShowsTheirCoordinates)
{
    ASSERT_TRUE(loadDemo());
    const auto label = [this](const char* name) { return window.findChild<QLabel*>(name)->text(); };
    for (int id : {sideview::Picture1, sideview::Picture44}) {
        emit window.picture(id)->mouseMoved(60.5, 18);
        EXPECT_EQ(std::pair(label("Label46"), label("Label47")), doc.readout(id, 60.5, 18)) << id;
    }
}
