#include "i18n/Language.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

// Every shipped language holds each (Section, Tag) the windows and messages ask for.
TEST(ShippedLanguages, HoldEveryLabelTheProgramAsksFor)
{
    QStringList principal = {"Label43", "Label57", "Command1", "Command2", "NameTip"};
    for (int i = 1; i <= 10; ++i)
        principal << QString("Frame%1").arg(i);
    for (int i = 1; i <= 33; ++i)
        principal << QString("Label%1").arg(i);
    const std::vector<std::pair<QString, QStringList>> required = {
        {"Generic", {"OK", "Cancel"}},
        {"MainMenu",
         {"File", "New", "LoadData", "SaveData", "SaveImage", "PrintData", "Exit", "Options",
          "MenuLanguage", "Help", "Info", "Edit", "Undo", "Redo", "LiveMap", "ExportReport",
          "AreaLevels"}},
        {"Principal", principal},
        {"Feat", {"Frame1", "Frame2", "Label1", "Label2", "Label3", "Label4"}},
        {"Mecanic", {"Command1", "Command2"}},
        {"SPL", {"Label1", "Label10", "Label11", "Label50", "Command1"}},
        {"Language", {"Label1"}},
        {"Quit", {"Label1", "Command3"}},
        {"MsgBox",
         {"Z1Z2", "Value", "Small", "High", "Audience", "ValHi", "ValNeg", "ValSma", "Floor"}},
    };

    clsLanguage lang(SPLMAP_LANGUAGES_DIR);
    for (int32_t id : {languageId::English, languageId::Spanish, languageId::German}) {
        lang.LoadLanguageFile(id);
        for (const auto& [section, tags] : required)
            for (const QString& tag : tags)
                EXPECT_FALSE(lang.GetLabel(section, tag).isEmpty())
                    << id << " " << section.toStdString() << "/" << tag.toStdString();
    }
}
