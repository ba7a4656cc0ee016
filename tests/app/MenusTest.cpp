// The main window's menus through the whole program: the ways of leaving, Info,
// and the language the program starts in.

#include "Harness.h"
#include "project/gui/Principal.h"

#include <QAction>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

class MenusTest : public ProgramTest
{
protected:
    MenusTest()
    {
        windows.setEndProgram([this] { ++ended; });
        QObject::connect(&windows.document(), &ProjectDocument::redrawn, [this] { ++redraws; });
        principal().show();
    }

    Principal& principal() { return windows.principal(); }
    QAction* item(const char* name) { return principal().findChild<QAction*>(name); }

    /// Runs `open`, and `inside` as soon as the modal window it opens is
    /// running. Returns whether a modal window was running then.
    static bool whileModal(const std::function<void()>& open, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = QApplication::activeModalWidget() != nullptr;
            inside();
        });
        open();
        return ran;
    }
    void answerQuit(const char* button)
    {
        windows.quitWindow().findChild<QPushButton*>(button)->click();
    }

    int ended = 0;
    int redraws = 0;
};

} // namespace

// Ctrl+Q, Exit and closing the window ask the question. Cancel keeps
// everything (after the window's own close the view is redrawn); Save runs the
// file dialog and asks again; Ok ends.
TEST_F(MenusTest, EveryWayOfLeavingAsksTheQuestion)
{
    principal().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principal()));
    const std::function<void()> close = [this] { principal().close(); };
    const std::pair<std::function<void()>, int> ways[] = {
        {[this] { QTest::keyClick(&principal(), Qt::Key_Q, Qt::ControlModifier); }, 0},
        {[this] { item("Exit")->trigger(); }, 0},
        {close, 1}};
    for (const auto& [open, redrawn] : ways) {
        const int before = redraws;
        bool asked = false;
        EXPECT_TRUE(whileModal(open, [&] {
            asked = windows.quitWindow().isVisible();
            answerQuit("Command2");
        }));
        EXPECT_TRUE(asked && principal().isVisible() && !windows.quitWindow().isVisible());
        EXPECT_EQ(redraws, before + redrawn);
    }

    // Save runs the file dialog (cancelled as soon as it shows) and asks again.
    bool dialogShown = false, stillAsking = false;
    EXPECT_TRUE(whileModal(close, [&] {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialogShown = d != nullptr;
            if (d)
                d->reject();
        });
        answerQuit("Command3");
        stillAsking = windows.quitWindow().isVisible();
        answerQuit("Command2");
    }));
    EXPECT_TRUE(dialogShown && stillAsking);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(whileModal(close, [this] { answerQuit("Command1"); }));
    EXPECT_EQ(ended, 1);
}

// Info opens its window; its Close redraws the view.
TEST_F(MenusTest, InfoOpensItsWindow)
{
    const int before = redraws;
    bool shown = false;
    whileModal([&] { item("Info")->trigger(); },
               [&] {
                   shown = windows.inforWindow().isVisible();
                   windows.inforWindow().findChild<QPushButton*>("Command1")->click();
               });
    EXPECT_TRUE(shown && !windows.inforWindow().isVisible());
    EXPECT_EQ(redraws, before + 1);
}

// The program starts in the user's language.
TEST(Menus, StartInTheUsersLanguage)
{
    Languages german(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    CapturingSink sink;
    Windows program(german, sink, languageId::German);
    EXPECT_EQ(program.quitWindow().findChild<QPushButton*>("Command3")->text(), "Speichern");
    EXPECT_EQ(program.languageWindow().selectedLanguage(), languageId::German);
}
