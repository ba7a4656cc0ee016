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
    /// Types over a field's text and leaves it with Tab, as a user does; then
    /// Undo and Redo, which bring back `before` and what the edit showed.
    void typeUndoRedo(const char* field, const QString& text, const std::array<QImage, 3>& before)
    {
        QLineEdit* edit = focus(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        ASSERT_TRUE(main().history().stack().canUndo());
        const auto edited = screen();
        ASSERT_NE(edited, before);
        trigger("Undo");
        EXPECT_EQ(screen(), before);
        trigger("Redo");
        EXPECT_EQ(screen(), edited);
    }
};

} // namespace

// File > New with a fresh wizard, its wizard cancelled, clears the surfaces; an edit after it
// undoes to them.
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
    typeUndoRedo("Text13", "7", cleared);
}

TEST_F(UndoPicturesTest, AMapShownBeforeAnEditComesBackWithItsLevels)
{
    focus("Text1"); // before the map: leaving the height redraws the side view
    ASSERT_TRUE(windows.document().requestSplWindow());
    windows.splWindow().frequencia = 1000;
    windows.calculateMap();
    const auto map = main().shownPicture().map();
    ASSERT_TRUE(map);
    typeUndoRedo("Text1", "4", screen());
    EXPECT_FALSE(main().shownPicture().map());
    trigger("Undo");
    EXPECT_EQ(main().shownPicture().map(), map); // the probe reads it again
}
