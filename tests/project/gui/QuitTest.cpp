// The question before quitting: its frame and Escape answer as Cancel does.

#include "project/gui/Quit.h"
#include "project/ProjectDocument.h"

#include <QTest>
#include <gtest/gtest.h>

// Closed by its frame or by Escape, it hides and keeps the program, which stays
// open when its main window is closed from then on.
TEST(Quit, TheFrameAndEscapeCancel)
{
    Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    languages.ApplyLanguage(languageId::English);
    for (const bool escape : {false, true}) {
        CapturingSink sink;
        ProjectDocument doc(sink);
        int ended = 0;
        Quit q(
            doc, languages, [&ended] { ++ended; }, nullptr);
        q.show();
        if (escape)
            QTest::keyClick(&q, Qt::Key_Escape);
        else
            q.close();
        EXPECT_TRUE(doc.state().ProgCancel && !q.isVisible() && ended == 0) << escape;
    }
}
