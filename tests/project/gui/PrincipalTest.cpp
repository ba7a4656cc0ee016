#include "project/gui/Principal.h"
#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class PrincipalTest : public ::testing::Test
{
protected:
    PrincipalTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          doc(messages,
              [this](const QString& s, const QString& t) { return languages.GetLabel(s, t); }),
          window(doc, languages, languageId::English)
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
    ProjectDocument doc;
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

    const ProjectState& s = doc.state();
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->hasFocus(); }));
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

TEST_F(PrincipalTest, ATextThatIsNotANumberKeepsTheFocus)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    choose(combo("Combo1"), 1);
    text(5)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text(5)->selectedText() == QStringLiteral("0"); })); // entering selects all
    text(5)->setText("abc");
    QTest::keyClick(text(5), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_TRUE(text(5)->hasFocus());
    EXPECT_FALSE(command2()->isEnabled());
    EXPECT_EQ(text(5)->text(), "abc");

    // Moving the focus another way is checked as well, and gives it back.
    text(6)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->hasFocus(); }));
    text(13)->clear();
    QTest::keyClick(text(13), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_TRUE(text(13)->hasFocus());

    // A click on the side view takes the focus, so it checks the field too.
    QTest::mouseClick(window.picture(sideview::Picture1), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->hasFocus(); }));

    // A number too small for the array: accepted, then the height message.
    text(13)->setText("0.2");
    QTest::keyClick(text(13), Qt::Key_Tab);
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value", "Small"}));
    EXPECT_FALSE(command2()->isEnabled());
}

TEST_F(PrincipalTest, EnteringTheHeightAtStartSelectsItsText)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->hasFocus(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->selectedText() == QStringLiteral("3"); }));
    QTest::keyClicks(text(13), "10");
    EXPECT_EQ(text(13)->text(), "10");
    EXPECT_EQ(doc.text(Control::Text13), "10");
}

TEST_F(PrincipalTest, TwoRefusedFieldsDoNotTakeTurnsWithTheFocus)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    choose(combo("Combo1"), 1);
    text(6)->setText("xyz");
    text(5)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    text(5)->setText("abc");
    // Leaving for the other bad field: only the field left is checked, and it
    // gets the focus back without the other one being checked on the way.
    text(6)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(5)->hasFocus(); }));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(text(5)->hasFocus());
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
}

TEST_F(PrincipalTest, TypedListTextIsAppliedOnLeavingOrRefused)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    doc.setText(Control::Text13, "9");
    doc.leaveField(Control::Text13);
    choose(combo("Combo2"), 3);

    angle(1)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return angle(1)->hasFocus(); }));
    angle(1)->lineEdit()->selectAll();
    QTest::keyClicks(angle(1), "2.5");
    QTest::keyClick(angle(1), Qt::Key_Return);
    EXPECT_FLOAT_EQ(doc.state().LastAngle[2], 2.5f);
    EXPECT_EQ(doc.state().box[3].toDouble(QLocale()), 2.5);

    angle(0)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return angle(0)->hasFocus(); }));
    angle(0)->lineEdit()->selectAll();
    QTest::keyClicks(angle(0), "25");
    text(13)->setFocus(); // leaving the list
    EXPECT_EQ(angle(0)->currentText(), "0");
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_FLOAT_EQ(doc.state().LastAngle[1], 0.0f);
}

TEST_F(PrincipalTest, TheWheelTurnsOnlyAFocusedList)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    doc.setText(Control::Text13, "9");
    doc.leaveField(Control::Text13);
    text(13)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(13)->hasFocus(); }));
    int redraws = 0;
    QObject::connect(&doc, &ProjectDocument::redrawn, [&] { ++redraws; });
    const auto wheel = [](QComboBox* c) {
        const QPointF at(c->width() / 2.0, c->height() / 2.0);
        QWheelEvent e(at, c->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(c, &e);
    };
    wheel(angle(0));
    EXPECT_EQ(angle(0)->currentIndex(), -1);
    EXPECT_EQ(redraws, 0);
    angle(0)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return angle(0)->hasFocus(); }));
    EXPECT_TRUE(angle(0)->hasFocus());
    redraws = 0; // leaving the height redrew
    wheel(angle(0));
    EXPECT_EQ(angle(0)->currentIndex(), 0);
    EXPECT_EQ(redraws, 1);
}

TEST_F(PrincipalTest, FreeTextFieldsRefuseWhatAProjectFileCannotHold)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (int n : {15, 16}) {
        text(n)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return text(n)->hasFocus(); }));
        QTest::keyClicks(text(n), "Hall [A]");
        EXPECT_EQ(text(n)->text(), "Hall A]");
        EXPECT_TRUE(text(n)->toolTip().contains("[")) << n;
    }
    EXPECT_EQ(doc.text(Control::Text16), "Hall A]");
}

TEST_F(PrincipalTest, TheSplButtonRefusesAViewWithoutAudience)
{
    QSignalSpy opened(&window, &Principal::splWindowRequested);
    command2()->click();
    EXPECT_EQ(shownTags(), QStringList({"Audience"}));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_TRUE(window.picture(sideview::Picture44)->autoRedraw());
    text(4)->setText("20");
    command2()->click();
    EXPECT_EQ(shownTags(), QStringList({"Audience"}));
    EXPECT_EQ(opened.count(), 1);
}

TEST_F(PrincipalTest, MouseOverTheViewShowsItsCoordinates)
{
    text(4)->setText("40");
    text(13)->setText("10");
    doc.DibuixarGeneral(); // 40 m across, 11 m up
    Surface* overlay = window.picture(sideview::Picture44);
    Surface* view = window.picture(sideview::Picture1);
    // A point low in the middle of the overlay, inside the window.
    const QPointF scalePoint(overlay->scaleWidth() / 2, overlay->scaleHeight() * 0.9);
    const QPoint pixel = overlay->canvas().toPixels(scalePoint.x(), scalePoint.y()).toPoint() +
                         overlay->contentsRect().topLeft();
    QMouseEvent move(QEvent::MouseMove, pixel, overlay->mapToGlobal(pixel), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(overlay, &move);
    const QPointF at = overlay->canvas().toScale(pixel - overlay->contentsRect().topLeft());
    const double x = 40 * at.x() / view->scaleWidth();
    const double y = 11 * 1.8 - 11 * at.y() / view->scaleHeight();
    EXPECT_EQ(label("Label46")->text(), QLocale().toString(x, 'f', 2));
    EXPECT_EQ(label("Label47")->text(), QLocale().toString(y, 'f', 2));
}

TEST(PrincipalStartup, MissingLanguageFileEndsTheStart)
{
    Languages languages(QStringLiteral("/nonexistent/Languages"));
    CapturingSink sink;
    ProjectDocument doc(sink);
    try {
        Principal w(doc, languages, languageId::English);
        FAIL() << "the window started without a language file";
    } catch (const LanguageError& e) {
        EXPECT_EQ(e.description(), "Error loading language file.");
        EXPECT_EQ(e.number(), 0x80040000u);
    }
}
