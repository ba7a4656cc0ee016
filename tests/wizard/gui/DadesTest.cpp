// The project wizard driven as a user does, over the main window it fills.

#include "wizard/gui/Dades.h"
#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "project/gui/Principal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DadesTest : public ::testing::Test
{
protected:
    DadesTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          doc(messages,
              [this](const QString& s, const QString& t) { return languages.GetLabel(s, t); }),
          principal(doc, languages, languageId::English),
          wizard(new Dades(doc, languages, &principal))
    {
        QObject::connect(&doc, &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    QLineEdit* field(int n)
    {
        return wizard->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    QComboBox* list(const char* name) { return wizard->findChild<QComboBox*>(name); }
    QWidget* control(const char* name) { return wizard->findChild<QWidget*>(name); }
    QLineEdit* mainField(int n)
    {
        return principal.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    QComboBox* mainList(const char* name) { return principal.findChild<QComboBox*>(name); }
    QStringList angleItems(int box)
    {
        QComboBox* c = principal.findChildren<QComboBox*>("Combo3").at(box - 1);
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items;
    }
    QStringList shownTags() const
    {
        QStringList l;
        for (const Message& m : messages.shown)
            l << m.tag;
        return l;
    }

    void showWizard()
    {
        wizard->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wizard));
    }
    /// Enters a field, types `typed` over its selected text and tabs on.
    static void typeAndTab(QLineEdit* f, const QString& typed)
    {
        f->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->hasFocus(); }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->selectedText() == f->text(); }));
        QTest::keyClicks(f, typed);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    static void choose(QComboBox* c, int index)
    {
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    void pressOk()
    {
        QTest::mouseClick(static_cast<QPushButton*>(control("Command1")), Qt::LeftButton);
    }

    Languages languages;
    CapturingSink messages;
    ProjectDocument doc;
    Principal principal;
    Dades* wizard;
    int redraws = 0;
};

} // namespace

TEST_F(DadesTest, AreaFieldsAreCopiedOnLeavingAndCancelResetsTheProject)
{
    // Its creation emptied the project in the main window.
    EXPECT_EQ(mainField(13)->text(), "-");
    EXPECT_TRUE(mainList("Combo4")->isEnabled());
    EXPECT_FALSE(mainField(1)->isEnabled());
    showWizard();

    const int before = redraws;
    typeAndTab(field(3), "12.5"); // area 1, distance to array
    EXPECT_EQ(mainField(1)->text(), "12.5");
    EXPECT_EQ(redraws, before + 1);
    typeAndTab(field(6), "2"); // Z2 goes to the main window's third field of area 1
    EXPECT_EQ(mainField(3)->text(), "2");

    // A text that is no number stays in its field, uncopied, and locks the SPL button.
    typeAndTab(field(5), "abc");
    EXPECT_EQ(shownTags(), QStringList({"Value"}));
    EXPECT_TRUE(field(5)->hasFocus());
    EXPECT_EQ(mainField(2)->text(), "0");
    EXPECT_FALSE(doc.isEnabled(Control::Command2));
    // The distance to floor is checked the same way, and not copied.
    field(5)->setText("1");
    typeAndTab(field(13), "x");
    EXPECT_EQ(shownTags(), QStringList({"Value", "Value"}));
    EXPECT_EQ(mainField(13)->text(), "-");

    // Cancel needs no valid field: it resets the main window and hides the wizard.
    QTest::mouseClick(static_cast<QPushButton*>(control("Command2")), Qt::LeftButton);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(mainField(1)->text(), "0");
    EXPECT_EQ(mainField(3)->text(), "0");
    EXPECT_EQ(mainField(13)->text(), "3");
    EXPECT_FALSE(mainList("Combo4")->isEnabled());
    EXPECT_FALSE(mainList("Combo2")->isEnabled());
    EXPECT_FALSE(doc.isEnabled(angleList(0)));
    // The wizard keeps what was typed for its next showing.
    EXPECT_EQ(field(3)->text(), "12.5");
}

TEST_F(DadesTest, ChoosingTheNumberOfAreasEnablesThemInBothWindowsAtOnce)
{
    showWizard();
    const auto areaEnabled = [this](const char* frame, std::initializer_list<int> fields,
                                    std::initializer_list<int> labels) {
        bool on = control(frame)->isEnabled();
        for (int n : fields)
            EXPECT_EQ(field(n)->isEnabled(), on) << n;
        for (int n : labels)
            EXPECT_EQ(control(QStringLiteral("Label%1").arg(n).toLatin1().constData())->isEnabled(),
                      on)
                << n;
        return on;
    };
    EXPECT_FALSE(field(7)->isEnabled());
    EXPECT_TRUE(control("Frame3")->isEnabled()); // frames start enabled, their contents not

    choose(list("Combo3"), 1);
    EXPECT_TRUE(areaEnabled("Frame3", {7, 8, 9, 10}, {9, 10, 11, 12}));
    EXPECT_FALSE(areaEnabled("Frame4", {11, 12, 14, 15}, {13, 16, 17, 18}));
    EXPECT_EQ(mainList("Combo1")->currentText(), "2");
    EXPECT_TRUE(mainField(5)->isEnabled());
    EXPECT_FALSE(mainField(9)->isEnabled());

    choose(list("Combo3"), 2);
    EXPECT_TRUE(areaEnabled("Frame4", {11, 12, 14, 15}, {13, 16, 17, 18}));
    EXPECT_TRUE(mainField(12)->isEnabled());
    typeAndTab(field(15), "4"); // area 3, Z2
    EXPECT_EQ(mainField(11)->text(), "4");

    choose(list("Combo3"), 0);
    EXPECT_FALSE(areaEnabled("Frame3", {7, 8, 9, 10}, {9, 10, 11, 12}));
    EXPECT_FALSE(mainField(5)->isEnabled());
    EXPECT_EQ(field(15)->text(), "4"); // a disabled area keeps its text
}

TEST_F(DadesTest, OkFillsTheMainWindowAndSwitchesTheModelOnce)
{
    const QStringList ts250 = angleItems(2);
    const QStringList box1 = angleItems(1);
    showWizard();
    field(1)->setText("Hall");
    field(2)->setText("Client");
    field(13)->setText("6");
    choose(list("Combo2"), 3);
    choose(list("Combo1"), 1);
    pressOk();

    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(mainField(13)->text(), "6");
    EXPECT_EQ(mainField(15)->text(), "Hall");
    EXPECT_EQ(mainField(16)->text(), "Client");
    EXPECT_EQ(mainList("Combo2")->currentText(), "4");
    EXPECT_EQ(doc.state().numcaixes, 3);
    EXPECT_TRUE(doc.isEnabled(angleList(3)));
    EXPECT_FALSE(doc.isEnabled(angleList(4)));
    EXPECT_TRUE(mainList("Combo4")->isEnabled());
    EXPECT_TRUE(doc.isEnabled(Control::Command2));
    EXPECT_EQ(mainList("Combo4")->currentText(), "TS-160");
    EXPECT_EQ(principal.findChild<QLabel*>("Label58")->text(), "TS160");
    EXPECT_EQ(doc.state().modelcaixa, 1);
    EXPECT_FLOAT_EQ(doc.state().alturaunacaixa, 0.181f);
    EXPECT_FLOAT_EQ(doc.state().traseraunacaixa, 0.095f);
    const QStringList ts160 = {"0", "1", "2", "3", "4", "5", "6", "7", "8"};
    for (int box = 2; box <= 16; ++box)
        EXPECT_EQ(angleItems(box), ts160) << box;
    EXPECT_EQ(angleItems(1), box1);
    EXPECT_TRUE(messages.shown.empty());

    // The same model again leaves the lists alone.
    showWizard();
    pressOk();
    EXPECT_EQ(angleItems(16), ts160);

    // Back: the two items go, the half degrees come at the end.
    showWizard();
    choose(list("Combo1"), 0);
    pressOk();
    EXPECT_EQ(doc.state().modelcaixa, 0);
    EXPECT_FLOAT_EQ(doc.state().ampladaunacaixa, 0.572f);
    EXPECT_EQ(principal.findChild<QLabel*>("Label58")->text(), "TS250");
    const QStringList back = {"0", "1", "2", "3", "4", "5", "6", "0.5", "1.5"};
    for (int box = 2; box <= 16; ++box)
        EXPECT_EQ(angleItems(box), back) << box;
    EXPECT_NE(back, ts250);
}

TEST_F(DadesTest, OkWithoutADistanceToFloorIsRefused)
{
    showWizard();
    field(1)->setText("Hall");
    pressOk();
    EXPECT_EQ(shownTags(), QStringList({"Floor"}));
    EXPECT_EQ(messages.shown.front().title, "Warning");
    EXPECT_EQ(messages.shown.front().text, languages.GetLabel("MsgBox", "Floor"));
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(mainField(13)->text(), "-");
    EXPECT_TRUE(mainField(15)->text().isEmpty());

    // A height too small for the boxes is reported once.
    field(13)->setText("0.5");
    choose(list("Combo2"), 7);
    pressOk();
    EXPECT_EQ(shownTags(), QStringList({"Floor", "Small"}));
    EXPECT_FALSE(doc.isEnabled(Control::Command2));
}

TEST_F(DadesTest, CaptionsFollowTheLanguage)
{
    languages.ApplyLanguage(languageId::German);
    wizard->relabel();
    const QString distance = languages.GetLabel("Principal", "Label2");
    for (const char* name : {"Label8", "Label12", "Label18"})
        EXPECT_EQ(wizard->findChild<QLabel*>(name)->text(), distance) << name;
    EXPECT_EQ(wizard->findChild<QLabel*>("Label3")->text(),
              languages.GetLabel("Principal", "Frame10"));
    EXPECT_EQ(wizard->findChild<QGroupBox*>("Frame4")->title(),
              languages.GetLabel("Principal", "Frame4"));
    EXPECT_EQ(field(11)->accessibleName(),
              languages.GetLabel("Principal", "Frame4") + " " + distance);
    // The title, the heading and the buttons keep their design text.
    EXPECT_EQ(wizard->windowTitle(), "DATA");
    EXPECT_EQ(wizard->findChild<QLabel*>("Label19")->text(), "SPL Mapping Wizard");
    EXPECT_EQ(static_cast<QPushButton*>(control("Command2"))->text(), "Cancel");

    languages.ApplyLanguage(languageId::English);
    wizard->relabel();
    EXPECT_EQ(wizard->findChild<QLabel*>("Label16")->text(), "Elevation Z2");
}
