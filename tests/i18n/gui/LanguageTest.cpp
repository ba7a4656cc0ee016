// The language window: its list, what choosing applies, how it closes, and the
// order it re-labels the windows in.

#include "i18n/gui/Language.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LanguageWindowTest : public ::testing::Test
{
protected:
    /// A language window whose re-labelling records the current Cancel caption
    /// of the window at each of its turns, between two other windows.
    Language* open(int userLanguage)
    {
        RelabelOrder order = {
            {"Language", [](Language& self) { self.relabel(); }},
            {"A", [this](Language&) { turns << "A:" + languages.GetLabel("Generic", "Cancel"); }},
            {"Language", [](Language& self) { self.relabelCancel(); }},
            {"B", [this](Language&) { turns << "B"; }},
        };
        window = new Language(languages, userLanguage, std::move(order), &owner);
        return window;
    }
    QComboBox* list() { return window->findChild<QComboBox*>("cboLanguage"); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QString current() { return languages.GetLabel("Generic", "Cancel"); }
    static void destroyed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    Languages languages{QStringLiteral(SPLMAP_LANGUAGES_DIR)};
    QWidget owner;
    QPointer<Language> window;
    QStringList turns;
};

} // namespace

TEST_F(LanguageWindowTest, LoadsTheUsersLanguageAfterEnglish)
{
    open(languageId::German);
    ASSERT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->itemText(1), QString::fromUtf8("Español"));
    EXPECT_EQ(list()->itemData(1).toInt(), languageId::Spanish);
    EXPECT_EQ(list()->currentText(), "Deutsch");
    EXPECT_EQ(current(), "Abbrechen");
    // English was applied first, then German: each walked the whole order.
    EXPECT_EQ(turns, QStringList({"A:Cancel", "B", "A:Abbrechen", "B"}));
    EXPECT_EQ(window->relabelOrder(), QStringList({"Language", "A", "Language", "B"}));
    EXPECT_EQ(button("Command2")->text(), "Abbrechen");
    EXPECT_EQ(button("Command1")->text(), "OK");
    EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), QString::fromUtf8("Sprache wählen"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(LanguageWindowTest, AnOtherUserLanguageKeepsEnglish)
{
    open(2057);
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(current(), "Cancel");
    window->SelectCurrentLanguage();
    EXPECT_EQ(list()->currentIndex(), 0);
    // Selecting an entry applies it, the selected one too.
    turns.clear();
    window->selectEntry(0);
    EXPECT_EQ(turns.size(), 2);
}

TEST_F(LanguageWindowTest, ChoosingAppliesAtOnceAndOkKeepsIt)
{
    open(languageId::English);
    owner.show();
    window->show();
    list()->setCurrentIndex(1); // as the user chooses
    EXPECT_EQ(current(), "Cancelar");
    EXPECT_EQ(button("Command2")->text(), "Cancelar");
    button("Command1")->click();
    EXPECT_FALSE(window->isVisible());
    destroyed();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(current(), "Cancelar");
    // Gone, it re-labels nothing any more.
    turns.clear();
    languages.ApplyLanguage(languageId::German);
    EXPECT_TRUE(turns.isEmpty());
}

TEST_F(LanguageWindowTest, CancelReturnsToEnglishNotToTheLanguageBefore)
{
    open(languageId::Spanish);
    window->show();
    list()->setCurrentIndex(2);
    EXPECT_EQ(current(), "Abbrechen");
    button("Command2")->click();
    EXPECT_EQ(current(), "Cancel");
    destroyed();
    EXPECT_TRUE(window.isNull());
}

TEST_F(LanguageWindowTest, EscapeAndTheFrameCloseKeepTheLanguage)
{
    open(languageId::German);
    window->show();
    QTest::keyClick(window, Qt::Key_Escape);
    destroyed();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(current(), "Abbrechen");

    open(languageId::Spanish);
    window->show();
    window->close();
    destroyed();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(current(), "Cancelar");
}
