#include "Harness.h"
#include "project/gui/Principal.h"
#include "project/gui/UndoHistory.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class WindowsTest : public ProgramTest
{
protected:
    WindowsTest()
    {
        QObject::connect(&windows.document(), &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    ProjectDocument& doc() { return windows.document(); }
    void pressMechanicalView() { windows.principal().findChild<QPushButton*>("Command1")->click(); }
    QAction* item(const char* name) { return windows.principal().findChild<QAction*>(name); }
    /// Triggers the menu item; `inside` runs in the modal window it opens.
    static void whileOpen(QAction* open, const std::function<void()>& inside)
    {
        QTimer::singleShot(0, inside);
        open->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int redraws = 0;
};

} // namespace

// The mechanical view, made hidden at start-up, opens modeless on the current
// project, follows a load while open, and its Close destroys it.
TEST_F(WindowsTest, TheMechanicalViewShowsTheCurrentProjectWhenOpened)
{
    ASSERT_TRUE(windows.mechanicalView() && !windows.mechanicalView()->isVisible());
    ASSERT_TRUE(windows.principal().loadProject(demo));
    windows.principal().show();
    doc().choose(Control::Combo2, 2);
    pressMechanicalView();
    QPointer<Mecanic> view = windows.mechanicalView();
    ASSERT_TRUE(view && view->isVisible() && !view->isModal());
    EXPECT_EQ(view->splayField(2)->text(), "1");
    EXPECT_FALSE(view->splayField(3)->isEnabled());

    ASSERT_TRUE(
        doc().load(QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/sixteen-boxes-two-areas-ts250.ini")));
    EXPECT_TRUE(view->splayField(15)->isEnabled());
    view->setModelText("x"); // pressed again: the same window, its model key rewritten
    pressMechanicalView();
    EXPECT_EQ(windows.mechanicalView(), view);
    EXPECT_EQ(view->modelText(), "TS250");

    const int before = redraws; // Close redraws the side view
    view->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(redraws, before + 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    pressMechanicalView();
    EXPECT_NE(windows.mechanicalView(), nullptr);
}

// File > New shows the wizard modally; its Cancel empties the project, the
// open mechanical table and the history. The window is kept until its frame
// closes it, which changes nothing.
TEST_F(WindowsTest, FileNewShowsTheWizardKeptUntilItsFrameClosesIt)
{
    ASSERT_TRUE(windows.principal().loadProject(demo));
    windows.principal().show();
    pressMechanicalView();
    auto* areas = windows.principal().findChild<QComboBox*>("Combo1"); // an edit to undo
    areas->setCurrentIndex(2);
    emit areas->activated(2);
    ASSERT_TRUE(windows.principal().history().stack().canUndo());

    QPointer<Dades> first;
    whileOpen(item("New"), [&] {
        first = windows.wizard();
        ASSERT_TRUE(first && first->isVisible() && first->isModal());
        first->findChild<QPushButton*>("Command2")->click();
    });
    ASSERT_TRUE(first && !first->isVisible());
    EXPECT_EQ(windows.mechanicalView()->splayField(1)->text(), "0");
    EXPECT_EQ(doc().text(Control::Text13), "3");
    EXPECT_FALSE(windows.principal().history().stack().canUndo());

    whileOpen(item("New"), [&] {
        EXPECT_EQ(windows.wizard(), first);
        first->close();
    });
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(doc().text(Control::Text13), "3");
}

// The wizard closed by its frame is made again when the captions change; that
// leaves the project as it is, and the reset of its creation waits for File >
// New, once.
TEST_F(WindowsTest, AWizardMadeForItsCaptionsLeavesTheProjectUntilFileNew)
{
    windows.principal().show();
    ASSERT_TRUE(windows.principal().loadProject(demo));
    whileOpen(item("New"), [&] { QTest::keyClick(windows.wizard(), Qt::Key_Escape); });
    ASSERT_EQ(windows.wizard(), nullptr);
    whileOpen(item("MenuLanguage"), [&] {
        windows.languageWindow().findChild<QComboBox*>("cboLanguage")->setCurrentIndex(1);
        windows.languageWindow().findChild<QPushButton*>("Command1")->click();
    });
    ASSERT_NE(windows.wizard(), nullptr);
    EXPECT_EQ(doc().text(Control::Text13), "10");
    EXPECT_TRUE(doc().isEnabled(Control::Command2));

    whileOpen(item("New"), [&] {
        EXPECT_EQ(doc().text(Control::Text13), "-");
        doc().setText(Control::Text13, "9");
        windows.wizard()->hide();
    });
    whileOpen(item("New"), [&] { windows.wizard()->hide(); });
    EXPECT_EQ(doc().text(Control::Text13), "9");
}
