#include "project/gui/Principal.h"
#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PrincipalTest : public ::testing::Test
{
protected:
    PrincipalTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          window(languages, messages, languageId::English)
    {
    }

    QLineEdit* text(int n) { return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QComboBox* combo(const char* name) { return window.findChild<QComboBox*>(name); }
    QComboBox* angle(int index) { return window.findChildren<QComboBox*>("Combo3").at(index); }
    QLabel* label(const char* name) { return window.findChild<QLabel*>(name); }
    QPushButton* command2() { return window.findChild<QPushButton*>("Command2"); }

    static QStringList items(QComboBox* c)
    {
        QStringList l;
        for (int i = 0; i < c->count(); ++i)
            l << c->itemText(i);
        return l;
    }

    /// Chooses an item of a list as the user does.
    static void choose(QComboBox* c, int index)
    {
        c->setCurrentIndex(index);
        emit c->activated(index);
    }

    QStringList shownTags() const
    {
        QStringList l;
        for (const Message& m : messages.shown)
            l << m.tag;
        return l;
    }

    Languages languages;
    CapturingSink messages;
    Principal window;
};

} // namespace

TEST_F(PrincipalTest, StartsWithTheDefaultsAndOnlyTheHeightUnlocked)
{
    EXPECT_EQ(window.windowTitle(), "TS160 / TS250 SPL Mapping Software");
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(text(i)->text(), "0") << i;
    EXPECT_EQ(text(13)->text(), "3");
    EXPECT_EQ(combo("Combo2")->currentText(), "0");
    EXPECT_EQ(combo("Combo2")->currentIndex(), -1);
    EXPECT_EQ(items(combo("Combo2")).size(), 16);
    EXPECT_EQ(combo("Combo1")->currentText(), "1");
    EXPECT_EQ(items(combo("Combo1")), QStringList({"1", "2", "3"}));
    EXPECT_EQ(combo("Combo4")->currentText(), "TS-250");
    EXPECT_EQ(combo("Combo4")->currentIndex(), -1);
    EXPECT_EQ(items(combo("Combo4")), QStringList({"TS-250", "TS-160"}));
    EXPECT_EQ(label("Label58")->text(), "TS250");
    EXPECT_EQ(label("Label59")->text(), "0");

    ASSERT_EQ(window.findChildren<QComboBox*>("Combo3").size(), 16);
    EXPECT_EQ(items(angle(0)).size(), 21);
    EXPECT_EQ(items(angle(0)).back(), "20");
    EXPECT_EQ(items(angle(15)), QStringList({"0", "0.5", "1", "1.5", "2", "3", "4", "5", "6"}));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(angle(i)->currentText(), "0");
        EXPECT_FALSE(angle(i)->isEnabled());
    }

    EXPECT_TRUE(text(13)->isEnabled());
    for (int i = 1; i <= 12; ++i)
        EXPECT_FALSE(text(i)->isEnabled()) << i;
    for (const char* c : {"Combo1", "Combo2", "Combo4"})
        EXPECT_FALSE(combo(c)->isEnabled()) << c;

    const ProjectState& s = window.state();
    EXPECT_FLOAT_EQ(s.pi, 3.1415167f);
    EXPECT_EQ(s.IniciEixX, 18);
    EXPECT_EQ(s.IniciEixY, 110);
    EXPECT_FLOAT_EQ(s.alturaunacaixa, 0.314f);
    EXPECT_EQ(s.modelcaixa, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrincipalTest, CaptionsComeFromTheLanguageFile)
{
    EXPECT_EQ(window.findChild<QGroupBox*>("Frame5")->title(),
              languages.GetLabel("Principal", "Frame5"));
    EXPECT_EQ(window.findChild<QAction*>("Load")->text(),
              languages.GetLabel("MainMenu", "LoadData"));

    languages.ApplyLanguage(languageId::German);
    EXPECT_EQ(label("Label18")->text(), languages.GetLabel("Principal", "Label18"));
    EXPECT_NE(window.findChild<QAction*>("Exit")->text(), "&Exit");
}

TEST_F(PrincipalTest, HeightFieldUnlocksTheArrayAndTheAreas)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    text(13)->setFocus();
    QTRY_VERIFY(text(13)->hasFocus());
    text(13)->setText("9");
    EXPECT_TRUE(combo("Combo2")->isEnabled());
    EXPECT_TRUE(combo("Combo4")->isEnabled());
    EXPECT_FALSE(combo("Combo1")->isEnabled());

    // Leaving the field with enough height unlocks area 1 and the first angle.
    QTest::keyClick(text(13), Qt::Key_Tab);
    EXPECT_TRUE(combo("Combo1")->isEnabled());
    for (int i : {1, 2, 3, 4})
        EXPECT_TRUE(text(i)->isEnabled()) << i;
    EXPECT_TRUE(angle(0)->isEnabled());
    EXPECT_FALSE(angle(1)->isEnabled());
    EXPECT_TRUE(command2()->isEnabled());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrincipalTest, ModelChoiceRebuildsTheAngleListsOfBoxesTwoToSixteen)
{
    text(13)->setText("5");
    angle(3)->setEditText("");
    angle(4)->setEditText("4.5");
    choose(combo("Combo4"), 1);
    EXPECT_EQ(label("Label58")->text(), "TS160");
    EXPECT_FLOAT_EQ(window.state().alturaunacaixa, 0.181f);
    EXPECT_FLOAT_EQ(window.state().traseraunacaixa, 0.095f);
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(items(angle(i)), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(items(angle(0)).size(), 21);
    EXPECT_EQ(angle(3)->currentText(), "1");   // an empty field takes the model's angle
    EXPECT_EQ(angle(4)->currentText(), "4.5"); // any other text stays

    angle(3)->setEditText("");
    choose(combo("Combo4"), 0);
    EXPECT_EQ(items(angle(7)), QStringList({"0", "0.5", "1", "1.5", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(angle(3)->currentText(), "7");
    EXPECT_FLOAT_EQ(window.state().alturaunacaixa, 0.314f);
}

TEST_F(PrincipalTest, NumberOfBoxesChecksTheHeight)
{
    text(13)->setText("0,9"); // not a number here: counts as 0
    choose(combo("Combo2"), 2);
    EXPECT_EQ(shownTags(), QStringList({"Small"}));
    EXPECT_FALSE(command2()->isEnabled());
    EXPECT_EQ(messages.shown.back().title, "Warning");
    EXPECT_EQ(messages.shown.back().text, languages.GetLabel("MsgBox", "Small"));

    text(13)->setText("0.9"); // 3 x 0.314 = 0.942 m of boxes
    choose(combo("Combo2"), 2);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(window.state().numcaixes, 2);

    text(13)->setText("1");
    choose(combo("Combo2"), 2);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(command2()->isEnabled());
    EXPECT_TRUE(angle(1)->isEnabled());
    EXPECT_TRUE(angle(2)->isEnabled());
    EXPECT_FALSE(angle(3)->isEnabled());
}

TEST_F(PrincipalTest, NumberOfAreasEnablesAreaFramesAndKeepsTheirTexts)
{
    text(7)->setText("2.5");
    choose(combo("Combo1"), 2);
    EXPECT_TRUE(text(5)->isEnabled());
    EXPECT_TRUE(text(12)->isEnabled());
    EXPECT_FLOAT_EQ(window.state().seleccio, 2.0f);
    choose(combo("Combo1"), 1);
    EXPECT_TRUE(text(8)->isEnabled());
    EXPECT_FALSE(text(9)->isEnabled());
    EXPECT_FALSE(window.findChild<QGroupBox*>("Frame4")->isEnabled());
    EXPECT_FALSE(label("Label13")->isEnabled());
    choose(combo("Combo1"), 0);
    EXPECT_FALSE(text(7)->isEnabled());
    EXPECT_EQ(text(7)->text(), "2.5");
}

TEST_F(PrincipalTest, ATextThatIsNotANumberKeepsTheFocus)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    choose(combo("Combo1"), 1);
    text(5)->setFocus();
    QTRY_VERIFY(text(5)->hasFocus());
    QTRY_COMPARE(text(5)->selectedText(), QStringLiteral("0")); // entering selects all
    text(5)->setText("abc");
    QTest::keyClick(text(5), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_TRUE(text(5)->hasFocus());
    EXPECT_FALSE(command2()->isEnabled());
    EXPECT_EQ(text(5)->text(), "abc");

    // Moving the focus another way is checked as well, and gives it back.
    text(6)->setFocus();
    QTRY_VERIFY(text(5)->hasFocus());
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value"}));

    // A number is accepted: no range check, the view is redrawn on leaving.
    text(5)->setText("-2");
    text(7)->setText("1");
    QTest::keyClick(text(5), Qt::Key_Tab);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(command2()->isEnabled());
    EXPECT_TRUE(text(8)->hasFocus()); // the next field down, the length
}

TEST_F(PrincipalTest, EmptyHeightIsRefusedAndNoRedrawHappens)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    text(13)->setFocus();
    QTRY_VERIFY(text(13)->hasFocus());
    text(13)->clear();
    QTest::keyClick(text(13), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_TRUE(text(13)->hasFocus());

    // A click on the side view takes the focus, so it checks the field too.
    QTest::mouseClick(window.picture(sideview::Picture1), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value"}));
    QTRY_VERIFY(text(13)->hasFocus());

    // A number too small for the array: accepted, then the height message.
    text(13)->setText("0.2");
    QTest::keyClick(text(13), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value", "Small"}));
    EXPECT_FALSE(command2()->isEnabled());
}

TEST(PrincipalStartup, MissingLanguageFileEndsTheStart)
{
    Languages languages(QStringLiteral("/nonexistent/Languages"));
    CapturingSink sink;
    try {
        Principal w(languages, sink, languageId::English);
        FAIL() << "the window started without a language file";
    } catch (const LanguageError& e) {
        EXPECT_EQ(e.description(), "Error loading language file.");
        EXPECT_EQ(e.number(), 0x80040000u);
    }
}
