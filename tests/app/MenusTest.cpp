// The main window's menus through the whole program: the ways of leaving, Info,
// and the language the program starts in.

#include "Harness.h"

#include <QAction>
#include <QFileDialog>
#include <QTimer>
#include <functional>

namespace {

class MenusTest : public DemoWindowTest
{
protected:
    MenusTest()
    {
        windows.setEndProgram([this] { ++ended; });
        QObject::connect(&doc(), &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    QAction* item(const char* name) { return main().findChild<QAction*>(name); }

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

    int ended = 0;
    int redraws = 0;
};

} // namespace

// Ctrl+Q, Exit and closing the window ask the question, and Info opens its
// window. Cancel keeps everything (after the window's own close, and Info's
// Close, the view is redrawn); Save runs the file dialog and asks again; Ok ends.
TEST_F(MenusTest, EveryWayOfLeavingAsksTheQuestionAndInfoOpensItsWindow)
{
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    const std::function<void()> close = [this] { main().close(); };
    QWidget* quit = &windows.quitWindow();
    const std::tuple<std::function<void()>, QWidget*, const char*, int> ways[] = {
        {[this] { QTest::keyClick(&main(), Qt::Key_Q, Qt::ControlModifier); }, quit, "Command2", 0},
        {[this] { item("Exit")->trigger(); }, quit, "Command2", 0},
        {close, quit, "Command2", 1},
        {[this] { item("Info")->trigger(); }, &windows.inforWindow(), "Command1", 1}};
    for (const auto& [open, window, button, redrawn] : ways) {
        const int before = redraws;
        bool shown = false;
        EXPECT_TRUE(whileModal(open, [&] {
            shown = window->isVisible();
            window->findChild<QPushButton*>(button)->click();
        }));
        EXPECT_TRUE(shown && main().isVisible() && !window->isVisible()) << button;
        EXPECT_EQ(redraws, before + redrawn) << button;
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
        windows.quitWindow().findChild<QPushButton*>("Command3")->click();
        stillAsking = windows.quitWindow().isVisible();
        windows.quitWindow().findChild<QPushButton*>("Command2")->click();
    }));
    EXPECT_TRUE(dialogShown && stillAsking);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(whileModal(
        close, [this] { windows.quitWindow().findChild<QPushButton*>("Command1")->click(); }));
    EXPECT_EQ(ended, 1);
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
