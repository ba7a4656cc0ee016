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
#include <vector>

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
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_FALSE(view->isModal());
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
    QAction* fileNew = windows.principal().findChild<QAction*>("New");
    auto* areas = windows.principal().findChild<QComboBox*>("Combo1"); // an edit to undo
    areas->setCurrentIndex(2);
    emit areas->activated(2);
    ASSERT_TRUE(windows.principal().history().stack().canUndo());

    QPointer<Dades> first;
    QTimer::singleShot(0, [&] {
        first = windows.wizard();
        ASSERT_TRUE(first && first->isVisible() && first->isModal());
        first->findChild<QPushButton*>("Command2")->click();
    });
    fileNew->trigger();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(windows.mechanicalView()->splayField(1)->text(), "0");
    EXPECT_EQ(doc().text(Control::Text13), "3");
    EXPECT_FALSE(windows.principal().history().stack().canUndo());

    QTimer::singleShot(0, [&] {
        EXPECT_EQ(windows.wizard(), first);
        first->close();
    });
    fileNew->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(doc().text(Control::Text13), "3");
}

// The wizard closed by its frame is made again when the captions change (a
// choice in the language window, or its load when opened again after OK or
// Cancel); that leaves the project as it is, and the reset of its creation
// waits for File > New, once.
TEST(WizardMadeForItsCaptions, LeavesTheProjectUntilFileNew)
{
    const auto press = [](const char* button) {
        return [button](Language& w) { w.findChild<QPushButton*>(button)->click(); };
    };
    const auto chooseSpanish = [](Language& w) {
        w.findChild<QComboBox*>("cboLanguage")->setCurrentIndex(1);
        w.findChild<QPushButton*>("Command1")->click();
    };
    const std::pair<const char*, std::vector<std::function<void(Language&)>>> ways[] = {
        {"Spanish chosen", {chooseSpanish}},
        {"opened again after OK", {press("Command1"), press("Command1")}},
        {"opened again after Cancel", {press("Command2"), press("Command1")}},
    };
    for (const auto& [way, openings] : ways) {
        Program program;
        Windows& windows = program.windows;
        ProjectDocument& doc = windows.document();
        windows.principal().show();
        ASSERT_TRUE(windows.principal().loadProject(demo));
        QAction* fileNew = windows.principal().findChild<QAction*>("New");
        const auto newProject = [&](const std::function<void()>& inside) {
            QTimer::singleShot(0, inside);
            fileNew->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        newProject([&] { QTest::keyClick(windows.wizard(), Qt::Key_Escape); });
        ASSERT_EQ(windows.wizard(), nullptr) << way;
        for (const auto& inside : openings) {
            QTimer::singleShot(0, [&] { inside(windows.languageWindow()); });
            windows.principal().findChild<QAction*>("MenuLanguage")->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ASSERT_NE(windows.wizard(), nullptr) << way;
        EXPECT_EQ(doc.text(Control::Text13), "10") << way;
        EXPECT_TRUE(doc.isEnabled(Control::Command2)) << way;

        newProject([&] {
            EXPECT_EQ(doc.text(Control::Text13), "-") << way;
            doc.setText(Control::Text13, "9");
            windows.wizard()->hide();
        });
        newProject([&] { windows.wizard()->hide(); });
        EXPECT_EQ(doc.text(Control::Text13), "9") << way;
    }
}
