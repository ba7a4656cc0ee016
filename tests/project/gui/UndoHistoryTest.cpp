// Undo and redo of project changes, seen as the user sees them: the side view
// on the main window's surfaces, the saved project file and the window title.

#include "project/gui/UndoHistory.h"
#include "files/Bytes.h"
#include "platform/gui/Surface.h"
#include "project/gui/MainWindowFixture.h"
#include "sideview/SideView.h"

#include <QAction>
#include <QTemporaryDir>
#include <random>

namespace {

/// What the user sees of a project and what saving it writes.
struct Seen
{
    QByteArray file;
    std::array<QImage, 3> pictures;
    QMap<QString, QString> captions;
    bool operator==(const Seen&) const = default;
};

class UndoHistoryTest : public MainWindowTest
{
protected:
    Seen seen()
    {
        // Written as Save writes it, without marking the project saved.
        const QString path = dir.filePath(QStringLiteral("seen.ini"));
        EXPECT_FALSE(projectfile::save(path, doc.fields(), doc.state(), doc.locale()));
        const auto image = [this](int id) { return window.picture(id)->canvas().image(); };
        return {contents(path),
                {image(sideview::Picture1), image(sideview::Picture33), image(sideview::Picture44)},
                window.sideViewCaptions()};
    }

    /// One random change as the user makes it: a field typed and left, an item
    /// chosen, a number typed into a list.
    void randomEdit(std::mt19937& rng)
    {
        const auto pick = [&rng](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(rng);
        };
        const Control lists[] = {Control::Combo2, Control::Combo1, Control::Combo4,
                                 angleList(pick(doc.state().numcaixes + 1))};
        const Control list = lists[pick(4)];
        switch (pick(3)) {
        case 0: {
            const int k = pick(13) + 1, n = doc.isEnabled(textField(k)) ? k : 13;
            enter(textField(n), QString::number(n == 13 ? 6 + pick(20) : 0.5 * pick(60)));
            break;
        }
        case 1:
            doc.choose(list, pick(int(doc.items(list).size())));
            break;
        default:
            doc.setText(list, QString::number(pick(10)));
            doc.applyTypedText(list);
        }
    }

    std::string title() const { return window.windowTitle().toStdString(); }

    QTemporaryDir dir;
    UndoHistory& history = window.history();
    QAction* undoAction = window.findChild<QAction*>("Undo");
};

const std::string kCaption = "TS160 / TS250 SPL Mapping Software";

} // namespace

// Random edits from the start-up project, undone all the way back to its
// picture and redone. The title shows the file and the mark of a change since
// the project was saved; a field left as it was is no step.
TEST_F(UndoHistoryTest, RandomEditsUndoneAllTheWayBackAndRedone)
{
    std::mt19937 rng(20261207);
    std::vector<Seen> states{seen()};
    EXPECT_EQ(title(), kCaption);
    enter(Control::Text13, "9"); // unlocks the array and draws the side view
    states.push_back(seen());
    EXPECT_EQ(title(), kCaption + "*");
    for (int i = 0; i < 40; ++i) {
        const int steps = history.stack().count();
        randomEdit(rng);
        if (history.stack().count() > steps)
            states.push_back(seen());
        else
            EXPECT_EQ(seen().file, states.back().file) << "edit " << i << " changed nothing";
    }
    ASSERT_GT(states.size(), 20u);

    for (size_t k = states.size() - 1; k-- > 0;) {
        history.undo();
        ASSERT_EQ(seen(), states[k]) << "after undoing to step " << k;
    }
    EXPECT_EQ(title(), kCaption);
    EXPECT_FALSE(history.stack().canUndo() || doc.isEnabled(Control::Combo2));
    for (size_t k = 1; k < states.size(); ++k) {
        history.redo();
        ASSERT_EQ(seen(), states[k]) << "after redoing step " << k;
    }
    ASSERT_FALSE(doc.save(dir.filePath("Hall.ini")).has_value());
    doc.leaveField(Control::Text2);
    EXPECT_EQ(title(), "Hall.ini - " + kCaption);
}

// A list's typed text is applied on Enter or on leaving it, or refused and put
// back; only a change is a step, and a load starts clean. After a load no item
// is selected although each list's text is one.
TEST_F(UndoHistoryTest, ListTextsAppliedByTheKeysAndOnlyChangesAreSteps)
{
    showWindow();
    // The list, what is typed over its text, the key that leaves it, whether it changes.
    const std::tuple<const char*, int, const char*, Qt::Key, bool> typed[] = {
        {"Combo3", 1, "2.5", Qt::Key_Return, true}, {"Combo1", 0, "", Qt::Key_Tab, false},
        {"Combo2", 0, "", Qt::Key_Return, false},   {"Combo4", 0, "", Qt::Key_Backtab, false},
        {"Combo3", 1, "", Qt::Key_Tab, false},      {"Combo3", 0, "25", Qt::Key_Tab, false}};
    for (const auto& [name, index, text, key, change] : typed) {
        ASSERT_TRUE(loadDemo());
        QComboBox* list = window.findChildren<QComboBox*>(name).at(index);
        const QString shown = change ? QString(text) : list->currentText();
        typeOver(list, text);
        QTest::keyClick(list, key);
        EXPECT_EQ(list->currentText(), shown) << name << text;
        EXPECT_EQ(title(), change ? "demo.ini* - " + kCaption : "demo.ini - " + kCaption) << name;
    }
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Value"}));
}

TEST_F(UndoHistoryTest, AHeightAndANameAreTwoStepsOfTheKeys)
{
    ASSERT_TRUE(loadDemo());
    showWindow();
    const std::string name = text(15)->text().toStdString();
    typeOver(text(13), "7");
    QTest::keyClick(text(13), Qt::Key_Tab);
    ASSERT_TRUE(qobject_cast<QComboBox*>(QApplication::focusWidget())); // into a list

    // Typed text not yet accepted: the field's own undo takes the key.
    typeOver(text(15), "Hall");
    QTest::keyClick(text(15), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(15)->text().toStdString(), name);
    typeOver(text(15), "Hall");
    QTest::keyClick(text(15), Qt::Key_Tab);

    QWidget* focus = QApplication::focusWidget();
    const std::tuple<Qt::Key, const char*, bool> keys[] = {
        {Qt::Key_Z, "7", true}, {Qt::Key_Z, "10", false}, {Qt::Key_Y, "7", true}};
    for (const auto& [key, shown, more] : keys) {
        QTest::keyClick(focus, key, Qt::ControlModifier);
        EXPECT_EQ(text(13)->text().toStdString(), shown);
        EXPECT_EQ(text(15)->text().toStdString(), name);
        EXPECT_EQ(undoAction->isEnabled(), more);
    }
}
