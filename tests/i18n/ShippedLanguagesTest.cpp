#include "i18n/Language.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Every (Section, Tag) the windows and messages of the program ask for.
std::vector<std::pair<QString, QString>> requiredLabels()
{
    std::vector<std::pair<QString, QString>> pairs;
    const auto add = [&](const QString& section, const QStringList& tags) {
        for (const QString& t : tags)
            pairs.emplace_back(section, t);
    };
    add("Generic", {"OK", "Cancel"});
    add("MainMenu", {"File", "New", "LoadData", "SaveData", "SaveImage", "PrintData", "Exit",
                     "Options", "MenuLanguage", "Help", "Info"});
    QStringList principal;
    for (int i = 1; i <= 10; ++i)
        principal << QString("Frame%1").arg(i);
    for (int i = 1; i <= 33; ++i)
        principal << QString("Label%1").arg(i);
    principal << "Label43"
              << "Label57"
              << "Command1"
              << "Command2";
    add("Principal", principal);
    add("Feat", {"Frame1", "Frame2", "Label1", "Label2", "Label3", "Label4"});
    add("Mecanic", {"Command1", "Command2"});
    add("SPL", {"Label1", "Label10", "Label11", "Label50", "Command1"});
    add("Language", {"Label1"});
    add("Quit", {"Label1", "Command3"});
    add("MsgBox",
        {"Z1Z2", "Value", "Small", "High", "Audience", "ValHi", "ValNeg", "ValSma", "Floor"});
    return pairs;
}

class ShippedLanguage : public testing::TestWithParam<int32_t>
{
protected:
    void SetUp() override { lang.LoadLanguageFile(GetParam()); }
    clsLanguage lang{SPLMAP_LANGUAGES_DIR};
};

// The accelerator letter of a menu caption: the character after the one "&".
QChar accelerator(const QString& caption)
{
    const qsizetype at = caption.indexOf('&');
    if (at < 0 || at + 1 >= caption.size() || caption.indexOf('&', at + 1) >= 0)
        return {};
    return caption[at + 1].toLower();
}

} // namespace

TEST_P(ShippedLanguage, IsUtf8AndHoldsEveryLabelTheProgramAsksFor)
{
    QFile f(lang.filePath(GetParam()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "not valid UTF-8";

    for (const auto& [section, tag] : requiredLabels())
        EXPECT_FALSE(lang.GetLabel(section, tag).isEmpty())
            << section.toStdString() << "/" << tag.toStdString();
}

TEST_P(ShippedLanguage, MenusHaveOneDistinctAcceleratorPerItem)
{
    const std::vector<QStringList> menus = {
        {"File", "Options", "Help"},
        {"New", "LoadData", "SaveData", "SaveImage", "PrintData", "Exit"},
        {"MenuLanguage"},
        {"Info"}};
    for (const QStringList& menu : menus) {
        QSet<QChar> seen;
        for (const QString& tag : menu) {
            const QChar key = accelerator(lang.GetLabel("MainMenu", tag));
            EXPECT_FALSE(key.isNull()) << tag.toStdString();
            EXPECT_FALSE(seen.contains(key)) << tag.toStdString();
            seen.insert(key);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguage,
                         testing::Values(languageId::English, languageId::Spanish,
                                         languageId::German));
