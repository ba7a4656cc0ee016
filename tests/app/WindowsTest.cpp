// The main window's other windows through the whole program: the mechanical
// view and the project wizard, made, shown, kept and destroyed.

#include "Harness.h"
#include "project/gui/UndoHistory.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <functional>

namespace {

class WindowsTest : public DemoWindowTest
{
protected:
    void pressMechanicalView() { main().findChild<QPushButton*>("Command1")->click(); }
    /// Triggers the menu item; `inside` runs in the modal window it opens.
    void whileOpen(const char* item, const std::function<void()>& inside)
    {
        QTimer::singleShot(0, inside);
        main().findChild<QAction*>(item)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

// The mechanical view, made hidden at start-up, opens modeless on the current
// project, follows a load while open, and its Close destroys it.
TEST_F(WindowsTest, TheMechanicalViewShowsTheCurrentProjectWhenOpened)
{
    ASSERT_TRUE(windows.mechanicalView() && !windows.mechanicalView()->isVisible());
    doc().choose(Control::Combo2, 2);
    pressMechanicalView();
    QPointer<Mecanic> view = windows.mechanicalView();
    ASSERT_TRUE(view && view->isVisible() && !view->isModal());
    EXPECT_FALSE(view->splayField(3)->isEnabled());

    ASSERT_TRUE(
        doc().load(QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/sixteen-boxes-two-areas-ts250.ini")));
    EXPECT_TRUE(view->splayField(15)->isEnabled());
    view->setModelText("x"); // pressed again: the same window, its model key rewritten
    pressMechanicalView();
    EXPECT_EQ(windows.mechanicalView(), view);
    EXPECT_EQ(view->modelText(), "TS250");

    int redraws = 0; // Close redraws the side view
    QObject::connect(&doc(), &ProjectDocument::redrawn, [&] { ++redraws; });
    view->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(redraws, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    pressMechanicalView();
    EXPECT_NE(windows.mechanicalView(), nullptr);
}

// File > New shows the wizard modally; its Cancel empties the project, the
// open mechanical table and the history. The window is kept until its frame
// closes it, which changes nothing. Made again for its captions, it leaves the
// project as it is: the reset of its creation waits for File > New, once.
TEST_F(WindowsTest, FileNewShowsTheWizardKeptUntilItsFrameClosesIt)
{
    pressMechanicalView();
    doc().choose(Control::Combo1, 2); // an edit to undo
    ASSERT_TRUE(main().history().stack().canUndo());

    QPointer<Dades> first;
    whileOpen("New", [&] {
        first = windows.wizard();
        ASSERT_TRUE(first && first->isVisible() && first->isModal());
        first->findChild<QPushButton*>("Command2")->click();
    });
    ASSERT_TRUE(first && !first->isVisible());
    EXPECT_EQ(windows.mechanicalView()->splayField(1)->text(), "0");
    EXPECT_EQ(doc().text(Control::Text13), "3");
    EXPECT_FALSE(main().history().stack().canUndo());

    doc().setText(Control::Text13, "10");
    whileOpen("New", [&] {
        EXPECT_EQ(windows.wizard(), first);
        first->close();
    });
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(doc().text(Control::Text13), "10");

    whileOpen("MenuLanguage", [&] {
        windows.languageWindow().findChild<QComboBox*>("cboLanguage")->setCurrentIndex(1);
        windows.languageWindow().findChild<QPushButton*>("Command1")->click();
    });
    ASSERT_NE(windows.wizard(), nullptr);
    EXPECT_EQ(doc().text(Control::Text13), "10");
    whileOpen("New", [&] {
        EXPECT_EQ(doc().text(Control::Text13), "-");
        doc().setText(Control::Text13, "9");
        windows.wizard()->hide();
    });
    whileOpen("New", [&] { windows.wizard()->hide(); });
    EXPECT_EQ(doc().text(Control::Text13), "9");
}
