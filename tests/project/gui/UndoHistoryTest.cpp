// Undo and redo of project changes, seen as the user sees them: the side view
// on the main window's surfaces, the saved project file and the window title.

#include "project/gui/UndoHistory.h"
#include "platform/gui/Surface.h"
#include "project/gui/MainWindowFixture.h"
#include "sideview/SideView.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
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
        Seen s;
        const QString path = dir.filePath(QStringLiteral("seen.ini"));
        EXPECT_FALSE(projectfile::save(path, doc.fields(), doc.state(), doc.locale()));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        s.file = f.readAll();
        int i = 0;
        for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44})
            s.pictures[static_cast<size_t>(i++)] = window.picture(id)->canvas().image();
        s.captions = window.sideViewCaptions();
        return s;
    }

    /// A number typed into a field, which is then left.
    void enterField(int n, double value)
    {
        doc.setText(textField(n), QString::number(value));
        if (doc.validateField(textField(n)))
            doc.leaveField(textField(n));
    }

    /// One random change as the user makes it: a field typed and left, an item
    /// chosen, an angle typed into a list, a free text.
    void randomEdit(std::mt19937& rng)
    {
        const auto pick = [&rng](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(rng);
        };
        const Control lists[] = {Control::Combo2, Control::Combo1, Control::Combo4};
        switch (pick(5)) {
        case 0: {
            std::vector<int> fields{13};
            for (int n = 1; n <= 12; ++n)
                if (doc.isEnabled(textField(n)))
                    fields.push_back(n);
            const int n = fields[static_cast<size_t>(pick(int(fields.size())))];
            enterField(n, n == 13 ? 6 + pick(20) : 0.5 * pick(60));
            break;
        }
        case 1: {
            const Control list = lists[pick(3)];
            doc.choose(list, pick(int(doc.items(list).size())));
            break;
        }
        case 2: {
            const Control list = angleList(pick(doc.state().numcaixes + 1));
            if (pick(2) == 0) {
                doc.choose(list, pick(int(doc.items(list).size())));
            } else {
                doc.setText(list, QString::number(pick(10)));
                doc.applyTypedText(list);
            }
            break;
        }
        default:
            doc.setText(Control::Text15, QStringLiteral("Hall %1").arg(pick(100)));
            doc.acceptText(Control::Text15);
            break;
        }
    }

    QTemporaryDir dir;
    UndoHistory& history = window.history();
};

const QString kCaption = QStringLiteral("TS160 / TS250 SPL Mapping Software");

} // namespace

TEST_F(UndoHistoryTest, OnlyRealChangesAreStepsAndTheFirstGoesBackToTheStartUpPicture)
{
    const Seen start = seen();
    enterField(13, 9); // unlocks the array and draws the side view
    ASSERT_NE(seen().pictures, start.pictures);
    // Leaving a field unchanged, or a list text refused, is no change.
    doc.leaveField(Control::Text2);
    doc.setText(Control::Combo2, "x");
    doc.applyTypedText(Control::Combo2);
    EXPECT_EQ(history.stack().count(), 1);

    history.undo();
    EXPECT_EQ(seen(), start); // the pictures and their captions
    EXPECT_FALSE(doc.isEnabled(Control::Combo2));
}

// The side view, its captions and the saved file after undoing are those of before.
TEST_F(UndoHistoryTest, RandomEditsUndoneAllTheWayBackAndRedone)
{
    ASSERT_TRUE(loadDemo());
    std::mt19937 rng(20261207);
    std::vector<Seen> states{seen()};
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
    EXPECT_FALSE(history.stack().canUndo());
    for (size_t k = 1; k < states.size(); ++k) {
        history.redo();
        ASSERT_EQ(seen(), states[k]) << "after redoing step " << k;
    }

    // An edit after undoing drops the steps that were undone.
    history.undo();
    enterField(13, 40);
    EXPECT_FALSE(history.stack().canRedo());
    EXPECT_EQ(history.stack().count(), int(states.size()) - 1);
}

TEST_F(UndoHistoryTest, TitleShowsTheFileAndTheModifiedMark)
{
    EXPECT_EQ(window.windowTitle(), kCaption);
    enterField(13, 9);
    EXPECT_EQ(window.windowTitle(), kCaption + "*");

    const QString path = dir.filePath("Hall.ini");
    ASSERT_FALSE(doc.save(path).has_value());
    EXPECT_EQ(window.windowTitle(), "Hall.ini - " + kCaption);
    enterField(13, 10);
    EXPECT_EQ(window.windowTitle(), "Hall.ini* - " + kCaption);
    history.undo(); // back to what was saved
    EXPECT_EQ(window.windowTitle(), "Hall.ini - " + kCaption);
    history.undo();
    EXPECT_EQ(window.windowTitle(), "Hall.ini* - " + kCaption);

    // A load starts clean, even after a refused field.
    doc.setText(Control::Text13, "x");
    ASSERT_FALSE(doc.validateField(Control::Text13));
    ASSERT_TRUE(loadDemo());
    EXPECT_EQ(window.windowTitle(), "demo.ini - " + kCaption);
    EXPECT_FALSE(history.stack().canUndo());
    EXPECT_TRUE(doc.isEnabled(Control::Command2));
}

TEST_F(UndoHistoryTest, KeysUndoTheProjectUnlessAFieldHoldsTypedText)
{
    ASSERT_TRUE(loadDemo());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* undo = window.findChild<QAction*>("Undo");
    auto* redo = window.findChild<QAction*>("Redo");
    EXPECT_FALSE(undo->isEnabled());

    QLineEdit* text1 = window.findChild<QLineEdit*>("Text1");
    QLineEdit* text2 = window.findChild<QLineEdit*>("Text2");
    const QString was = text1->text();
    focus(text1);
    text1->selectAll();
    QTest::keyClicks(text1, "12");
    focus(text2); // accepted on leaving
    EXPECT_TRUE(undo->isEnabled());

    // Typed text not yet accepted: the field's own undo takes the key.
    QTest::keyClicks(text2, "5");
    const QString typed = text2->text();
    QTest::keyClick(text2, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(text2->text(), typed);
    EXPECT_EQ(text1->text(), "12");

    // Nothing pending: the project goes back.
    ASSERT_FALSE(history.hasPendingEdit());
    QTest::keyClick(text2, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), was);
    EXPECT_TRUE(redo->isEnabled());
    QTest::keyClick(text2, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "12");
}
