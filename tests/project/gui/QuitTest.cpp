// The question before quitting: each of its ways out.

#include "project/gui/Quit.h"
#include "project/ProjectDocument.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// OK ends; Save asks for saving and stays open; Cancel, the frame and Escape cancel.
TEST(Quit, OkEndsSaveStaysOpenAndCancelFrameOrEscapeCancel)
{
    Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    languages.ApplyLanguage(languageId::English);
    for (const std::string way : {"Command1", "Command3", "Command2", "frame", "Escape"}) {
        CapturingSink sink;
        ProjectDocument doc(sink);
        int ended = 0;
        Quit q(
            doc, languages, [&ended] { ++ended; }, nullptr);
        QSignalSpy save(&q, &Quit::saveRequested);
        q.show();
        if (way == "frame")
            q.close();
        else if (way == "Escape")
            QTest::keyClick(&q, Qt::Key_Escape);
        else
            q.findChild<QPushButton*>(way.c_str())->click();
        const bool ok = way == "Command1", saving = way == "Command3";
        EXPECT_EQ(ended, ok ? 1 : 0) << way;
        EXPECT_EQ(save.count(), saving ? 1 : 0) << way;
        EXPECT_EQ(doc.state().ProgCancel, !ok && !saving) << way;
        EXPECT_TRUE(ok || q.isVisible() == saving) << way;
    }
}
