// Undo and redo bring back the pictures that were on the screen before and
// after a change: cleared surfaces, a side view, a map over it.

#include "Harness.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "project/gui/UndoHistory.h"
#include "sideview/SideView.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class UndoPicturesTest : public ProgramTest
{
protected:
    UndoPicturesTest()
    {
        main().show();
        main().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main()));
        EXPECT_TRUE(main().loadProject(demo));
    }
    Principal& main() { return windows.principal(); }
    /// What the three surfaces of the window show.
    std::array<QImage, 3> screen()
    {
        return {main().picture(sideview::Picture1)->canvas().image(),
                main().picture(sideview::Picture33)->canvas().image(),
                main().picture(sideview::Picture44)->canvas().image()};
    }
    void trigger(const char* action) { main().findChild<QAction*>(action)->trigger(); }
    QLineEdit* focus(const char* field)
    {
        auto* edit = main().findChild<QLineEdit*>(field);
        main().activateWindow();
        edit->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
        return edit;
    }
    /// Types into a field and leaves it with Tab, as a user does.
    void type(const char* field, const QString& text)
    {
        QLineEdit* edit = focus(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
};

} // namespace

// File > New with a fresh wizard, Cancel, a height typed, then Undo and Redo.
TEST_F(UndoPicturesTest, ANewProjectCancelledThenEditedUndoesToTheClearedSurfaces)
{
    QTimer::singleShot(0, [&] { windows.wizard()->close(); }); // its frame destroys it
    trigger("New");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(windows.wizard());
    QTimer::singleShot(0, [&] {
        windows.wizard()->findChild<QPushButton*>("Command2")->click(); // Cancel
    });
    trigger("New");
    const auto cleared = screen();
    for (const QImage& surface : cleared) {
        QImage white(surface.size(), surface.format());
        white.fill(Qt::white);
        EXPECT_EQ(surface, white);
    }
    const QString height = windows.document().text(Control::Text13);

    type("Text13", "7");
    ASSERT_TRUE(main().history().stack().canUndo());
    const auto edited = screen();
    trigger("Undo");
    EXPECT_EQ(screen(), cleared);
    EXPECT_EQ(windows.document().text(Control::Text13), height);
    trigger("Redo");
    EXPECT_EQ(screen(), edited);
    EXPECT_EQ(windows.document().text(Control::Text13), "7");
}

TEST_F(UndoPicturesTest, AMapShownBeforeAnEditComesBackWithItsLevels)
{
    focus("Text1"); // before the map: leaving the height redraws the side view
    ASSERT_TRUE(windows.document().requestSplWindow());
    windows.splWindow().frequencia = 1000;
    windows.calculateMap();
    const auto map = main().shownPicture().map();
    ASSERT_TRUE(map);
    const auto withMap = screen();

    type("Text1", "4");
    ASSERT_FALSE(main().shownPicture().map());
    const auto edited = screen();
    ASSERT_NE(edited, withMap);
    trigger("Undo");
    EXPECT_EQ(screen(), withMap);
    EXPECT_EQ(main().shownPicture().map(), map); // the probe reads it again
    trigger("Redo");
    EXPECT_EQ(screen(), edited);
    EXPECT_FALSE(main().shownPicture().map());
}
