#include "app/Windows.h"
#include "project/gui/Principal.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

class OutputMenu : public ::testing::Test
{
protected:
    OutputMenu()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          windows(languages, messages, languageId::English)
    {
        EXPECT_TRUE(
            windows.principal().loadProject(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    }

    QAction* action(const char* name)
    {
        return windows.principal().findChild<QAction*>(QString::fromLatin1(name));
    }

    Languages languages;
    CapturingSink messages;
    Windows windows;
};

} // namespace

TEST_F(OutputMenu, TheFileMenuOffersTheReportExportInTheUsersLanguage)
{
    QAction* exportReport = action("ExportReport");
    ASSERT_NE(exportReport, nullptr);
    const auto* file = windows.principal().findChild<QMenu*>("File");
    const QList<QAction*> items = file->actions();
    // Beside printing, before the exit.
    EXPECT_EQ(items.indexOf(exportReport), items.indexOf(action("PrintData")) + 1);
    EXPECT_LT(items.indexOf(exportReport), items.indexOf(action("Exit")));
    for (int id : {languageId::English, languageId::Spanish, languageId::German}) {
        languages.ApplyLanguage(id);
        const QString caption = languages.GetLabel("MainMenu", "ExportReport");
        EXPECT_FALSE(caption.isEmpty()) << id;
        EXPECT_EQ(exportReport->text(), caption);
    }
}

TEST_F(OutputMenu, TheMapCountsAsShownFromCalculateToTheNextRedraw)
{
    EXPECT_FALSE(windows.shownMap());
    windows.splWindow().frequencia = 1000;
    windows.calculateMap();
    ASSERT_TRUE(windows.shownMap());
    EXPECT_EQ(windows.shownMap()->frequency, 1000);
    EXPECT_EQ(windows.shownMap()->resolution, windows.splWindow().resolutionText());

    windows.document().DibuixarGeneral(); // the side view painted over the map
    EXPECT_FALSE(windows.shownMap());
}
