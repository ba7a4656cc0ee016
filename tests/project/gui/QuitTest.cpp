// The question before quitting: each of its ways out.

#include "project/gui/Quit.h"
#include "project/ProjectDocument.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class QuitTest : public ::testing::Test
{
protected:
    QuitTest()
        : quit(
              doc, languages, [this] { ++ended; }, nullptr)
    {
        quit.show();
    }
    static Languages& english()
    {
        static Languages l(QStringLiteral(SPLMAP_LANGUAGES_DIR));
        l.ApplyLanguage(languageId::English);
        return l;
    }
    void press(const char* name) { quit.findChild<QPushButton*>(name)->click(); }

    CapturingSink messages;
    ProjectDocument doc{messages};
    Languages& languages = english();
    int ended = 0;
    Quit quit;
};

} // namespace

TEST_F(QuitTest, OkEndsTheProgramAndCancelsNothing)
{
    press("Command1");
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(doc.state().ProgCancel);
}

TEST_F(QuitTest, SaveAsksForTheSaveAndStaysOpen)
{
    QSignalSpy save(&quit, &Quit::saveRequested);
    press("Command3");
    EXPECT_EQ(save.count(), 1);
    EXPECT_TRUE(quit.isVisible());
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(doc.state().ProgCancel);
}

TEST_F(QuitTest, CancelTheFrameAndEscapeAllCancel)
{
    const std::pair<const char*, std::function<void(Quit&)>> ways[] = {
        {"Cancel", [](Quit& q) { q.findChild<QPushButton*>("Command2")->click(); }},
        {"frame", [](Quit& q) { q.close(); }},
        {"Escape", [](Quit& q) { QTest::keyClick(&q, Qt::Key_Escape); }}};
    for (const auto& [way, act] : ways) {
        CapturingSink sink;
        ProjectDocument fresh(sink);
        Quit q(
            fresh, languages, [this] { ++ended; }, nullptr);
        q.show();
        act(q);
        EXPECT_TRUE(fresh.state().ProgCancel) << way;
        EXPECT_FALSE(q.isVisible()) << way;
    }
    EXPECT_EQ(ended, 0);
}

TEST_F(QuitTest, TakesItsCaptionsButKeepsOk)
{
    languages.ApplyLanguage(languageId::German);
    quit.relabel();
    EXPECT_EQ(quit.findChild<QPushButton*>("Command3")->text(), "Speichern");
    EXPECT_EQ(quit.findChild<QPushButton*>("Command2")->text(), "Abbrechen");
    EXPECT_EQ(quit.findChild<QPushButton*>("Command1")->text(), "Ok");
    EXPECT_EQ(quit.windowTitle(), "Exit");
    languages.ApplyLanguage(languageId::English);
}
