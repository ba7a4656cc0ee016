// The language window: what choosing applies, how it closes, the order it re-labels windows in.

#include "i18n/gui/Language.h"
#include "i18n/gui/QtTranslations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

class LanguageWindowTest : public ::testing::Test
{
protected:
    /// A language window whose re-labelling records the current Cancel caption
    /// of the window at each of its turns, between two other windows.
    void open(int userLanguage)
    {
        RelabelOrder order = {
            {"Language", [](Language& self) { self.relabel(); }},
            {"A", [this](Language&) { turns << "A:" + languages.GetLabel("Generic", "Cancel"); }},
            {"Language", [](Language& self) { self.relabelCancel(); }},
            {"B", [this](Language&) { turns << "B"; }},
        };
        window = new Language(languages, userLanguage, std::move(order), &owner, &qtTexts);
    }
    QComboBox* list() { return window->findChild<QComboBox*>("cboLanguage"); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QString current() { return languages.GetLabel("Generic", "Cancel"); }

    Languages languages{QStringLiteral(SPLMAP_LANGUAGES_DIR)};
    QtTranslations qtTexts;
    QWidget owner;
    QPointer<Language> window;
    QStringList turns;
};

} // namespace

// Opened, it applies English, then the user's language, each walking the whole
// order. Choosing applies at once and OK keeps it; Cancel returns to English,
// not to the language before; Escape and the frame keep the language. Closed,
// the window is gone and re-labels nothing any more.
TEST_F(LanguageWindowTest, ChoosingAppliesAtOnceAndEachWayOfClosing)
{
    // The user's language, the entry chosen (if any) and its Cancel, the way out.
    const std::tuple<int, int, const char*, const char*, const char*> ways[] = {
        {languageId::English, 1, "Cancelar", "Command1", "Cancelar"},
        {languageId::Spanish, 2, "Abbrechen", "Command2", "Cancel"},
        {languageId::German, -1, "", "Escape", "Abbrechen"},
        {languageId::Spanish, -1, "", "frame", "Cancelar"}};
    for (const auto& [language, entry, shown, way, after] : ways) {
        open(language);
        EXPECT_EQ(turns, QStringList({"A:Cancel", "B", "A:" + current(), "B"})) << language;
        window->show();
        if (entry >= 0) {
            list()->setCurrentIndex(entry); // as the user chooses
            EXPECT_EQ(std::pair(current(), button("Command2")->text()),
                      std::pair(QString(shown), QString(shown)));
        }
        if (way == std::string("Escape"))
            QTest::keyClick(window, Qt::Key_Escape);
        else if (way == std::string("frame"))
            window->close();
        else
            button(way)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull()) << after;
        EXPECT_EQ(current(), after);
        turns.clear();
        languages.ApplyLanguage(languageId::German);
        EXPECT_TRUE(turns.isEmpty()) << after;
    }
}

// Qt's own texts follow the chosen language: a standard button shown before
// the choice takes the new text; English, or no translation, leaves Qt's own.
TEST_F(LanguageWindowTest, QtsOwnTextsFollowTheChoice)
{
    for (int32_t id : {languageId::Spanish, languageId::German})
        if (!QFile::exists(qtTexts.filePath(id)))
            GTEST_SKIP() << "Qt's translations are not installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    box.show();
    QPushButton* cancel = box.button(QDialogButtonBox::Cancel);
    open(languageId::English);
    for (const auto& [entry, text] : {std::pair{1, "Cancelar"}, {2, "Abbrechen"}, {0, "Cancel"}}) {
        list()->setCurrentIndex(entry);
        EXPECT_TRUE(QTest::qWaitFor([&] { return cancel->text() == QLatin1String(text); }))
            << cancel->text().toStdString();
    }
}
