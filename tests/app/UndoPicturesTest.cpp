// Undo and redo bring back the pictures that were on the screen before and
// after a change: cleared surfaces, a side view, a map over it.

#include "Harness.h"
#include "project/gui/UndoHistory.h"

#include <QAction>
#include <QLineEdit>
#include <QTimer>

namespace {

class UndoPicturesTest : public DemoWindowTest
{
protected:
    /// What the three surfaces of the window show.
    std::array<QImage, 3> screen()
    {
        return {canvas(sideview::Picture1).image(), canvas(sideview::Picture33).image(),
                canvas(sideview::Picture44).image()};
    }
    void trigger(const char* action) { main().findChild<QAction*>(action)->trigger(); }
    /// Types over a field's text and leaves it with Tab, as a user does; then
    /// Undo and Redo, which bring back `before` and what the edit showed.
    void typeUndoRedo(const char* field, const QString& text, const std::array<QImage, 3>& before)
    {
        auto* edit = main().findChild<QLineEdit*>(field);
        main().activateWindow();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
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
    calculate({1000, "0.3"});
    const auto map = main().shownPicture().map();
    typeUndoRedo("Text1", "4", screen());
    EXPECT_FALSE(main().shownPicture().map());
    trigger("Undo");
    EXPECT_EQ(main().shownPicture().map(), map); // the probe reads it again
}
