// The question before quitting: each of its ways out.

#include "project/gui/Quit.h"
#include "project/ProjectDocument.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

TEST(Quit, OkEndsSaveStaysOpenAndCancelFrameOrEscapeCancel)
{
    Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    languages.ApplyLanguage(languageId::English);
    const std::pair<const char*, std::function<void(Quit&)>> ways[] = {
        {"Command1", [](Quit& q) { q.findChild<QPushButton*>("Command1")->click(); }},
        {"Command3", [](Quit& q) { q.findChild<QPushButton*>("Command3")->click(); }},
        {"Command2", [](Quit& q) { q.findChild<QPushButton*>("Command2")->click(); }},
        {"frame", [](Quit& q) { q.close(); }},
        {"Escape", [](Quit& q) { QTest::keyClick(&q, Qt::Key_Escape); }}};
    for (const auto& [way, act] : ways) {
        CapturingSink sink;
        ProjectDocument doc(sink);
        int ended = 0;
        Quit q(
            doc, languages, [&ended] { ++ended; }, nullptr);
        QSignalSpy save(&q, &Quit::saveRequested);
        q.show();
        act(q);
        const bool ok = way == std::string("Command1"), saving = way == std::string("Command3");
        EXPECT_EQ(ended, ok ? 1 : 0) << way;
        EXPECT_EQ(save.count(), saving ? 1 : 0) << way;
        EXPECT_EQ(doc.state().ProgCancel, !ok && !saving) << way;
        if (!ok) {
            EXPECT_EQ(q.isVisible(), saving) << way;
        }
    }
}
