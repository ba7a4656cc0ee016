// The project wizard driven as a user does, over the main window it fills.

#include "wizard/gui/Dades.h"
#include "project/gui/MainWindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

namespace {

class DadesTest : public MainWindowTest
{
protected:
    DadesTest()
    {
        wizard->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(wizard));
    }

    QLineEdit* field(int n) { return wizard->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    QWidget* control(const char* name) { return wizard->findChild<QWidget*>(name); }
    /// Enters a field, types `typed` over its selected text and tabs on.
    static void typeAndTab(QLineEdit* f, const QString& typed)
    {
        focus(f);
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->selectedText() == f->text(); }));
        QTest::keyClicks(f, typed);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    void press(const char* button)
    {
        QTest::mouseClick(static_cast<QPushButton*>(control(button)), Qt::LeftButton);
    }

    Dades* wizard = new Dades(doc, languages, &window);
};

} // namespace

TEST_F(DadesTest, AreaFieldsAreEnabledAndCopiedAndCancelResetsTheProject)
{
    QSignalSpy redrawn(&doc, &ProjectDocument::redrawn);
    typeAndTab(field(3), "12.5"); // area 1, distance to array
    EXPECT_EQ(text(1)->text(), "12.5");
    EXPECT_EQ(redrawn.count(), 1);

    // Choosing the number of areas enables them in both windows at once; the
    // main window's order of an area's fields is not the wizard's.
    for (int chosen : {1, 2, 0}) {
        choose(wizard->findChild<QComboBox*>("Combo3"), chosen);
        for (const char* name : {"Frame3", "Text7", "Text10", "Label9", "Label12"})
            EXPECT_EQ(control(name)->isEnabled(), chosen >= 1) << name << chosen;
        for (const char* name : {"Frame4", "Text11", "Text15", "Label13", "Label18"})
            EXPECT_EQ(control(name)->isEnabled(), chosen == 2) << name << chosen;
        EXPECT_EQ(combo("Combo1")->currentIndex(), chosen);
        EXPECT_EQ(text(5)->isEnabled(), chosen >= 1);
        EXPECT_EQ(text(9)->isEnabled(), chosen == 2);
        if (chosen == 2)
            typeAndTab(field(15), "4"); // area 3, Z2: the main window's third
    }
    EXPECT_EQ(text(11)->text(), "4");
    EXPECT_EQ(field(15)->text(), "4"); // a disabled area keeps its text

    // A text that is no number stays in its field, uncopied, and locks the SPL
    // button; the distance to floor is checked the same way, and not copied.
    typeAndTab(field(5), "abc");
    EXPECT_TRUE(field(5)->hasFocus());
    EXPECT_EQ(text(2)->text(), "0");
    EXPECT_FALSE(doc.isEnabled(Control::Command2));
    field(5)->setText("0");
    typeAndTab(field(13), "x");
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Value", "Value"}));
    EXPECT_EQ(text(13)->text(), "-");

    // Cancel needs no valid field: it resets the main window, the wizard keeps its texts.
    press("Command2");
    EXPECT_EQ(text(1)->text(), "0");
    EXPECT_FALSE(combo("Combo2")->isEnabled() || combo("Combo4")->isEnabled());
    EXPECT_EQ(field(3)->text(), "12.5");
}

// OK is refused without a distance to floor; a height too small for the boxes
// is reported once; then OK fills the main window and switches the model.
TEST_F(DadesTest, OkFillsTheMainWindowAndSwitchesTheModel)
{
    field(1)->setText("Hall");
    press("Command1");
    ASSERT_EQ(doc.raisedMessages(), QStringList({"Floor"}));
    EXPECT_TRUE(wizard->isVisible() && text(15)->text().isEmpty()); // nothing taken yet
    field(13)->setText("0.5");
    choose(wizard->findChild<QComboBox*>("Combo2"), 7);
    press("Command1");
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Floor", "Small"}));
    EXPECT_FALSE(doc.isEnabled(Control::Command2));

    wizard->show();
    field(2)->setText("Client");
    field(13)->setText("6");
    choose(wizard->findChild<QComboBox*>("Combo2"), 3);
    choose(wizard->findChild<QComboBox*>("Combo1"), 1);
    press("Command1");
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(text(13)->text(), "6");
    EXPECT_EQ(text(16)->text(), "Client");
    EXPECT_EQ(combo("Combo2")->currentText(), "4");
    EXPECT_TRUE(doc.isEnabled(angleList(3)) && !doc.isEnabled(angleList(4)));
    EXPECT_TRUE(doc.isEnabled(Control::Command2));
    EXPECT_EQ(combo("Combo4")->currentText(), "TS-160");
    EXPECT_EQ(angle(15)->itemText(8), "8");
    EXPECT_EQ(doc.raisedMessages().size(), 2);

    wizard->show();
    choose(wizard->findChild<QComboBox*>("Combo1"), 0);
    press("Command1");
    EXPECT_EQ(window.findChild<QLabel*>("Label58")->text(), "TS250");
    EXPECT_EQ(angle(15)->itemText(8), "1.5");
}
