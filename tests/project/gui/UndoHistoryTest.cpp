// Undo and redo of project changes, seen as the user sees them: the side view
// on the main window's surfaces, the saved project file and the window title.

#include "project/gui/UndoHistory.h"
#include "platform/gui/Surface.h"
#include "project/gui/MainWindowFixture.h"
#include "sideview/SideView.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
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

    void showDemo()
    {
        ASSERT_TRUE(loadDemo());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    /// A click into a field or list.
    static void click(QLineEdit* edit)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    }
    /// A click into a field, and `text` typed over all it held.
    static void typeInto(QLineEdit* edit, const char* text)
    {
        click(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    /// File > Save Data from the keyboard, the file dialog answered with `path`.
    void saveThroughMenu(const QString& path)
    {
        QTimer answer;
        int tries = 0;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                d->findChild<QLineEdit*>("fileNameEdit")->setText(path); // typed in full
                QMetaObject::invokeMethod(d, ++tries < 100 ? "accept" : "reject");
            }
        });
        answer.start(10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        auto* file = window.findChild<QMenu*>("File");
        ASSERT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }));
        QTest::keyClick(file, Qt::Key_S); // returns when the dialog has closed
        EXPECT_LT(tries, 100);
    }

    QTemporaryDir dir;
    UndoHistory& history = window.history();
    QAction* undoAction = window.findChild<QAction*>("Undo");
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

// Driven as the user does: clicks and keys on the shown window.
TEST_F(UndoHistoryTest, ListsLeftUnchangedOrASaveFromAListAreNoStep)
{
    showDemo();
    // After the load no item is selected although each list's text is one.
    const struct
    {
        const char* list;
        int index;
        Qt::Key key;
    } leaving[] = {{"Combo1", 0, Qt::Key_Tab},
                   {"Combo2", 0, Qt::Key_Return},
                   {"Combo4", 0, Qt::Key_Backtab},
                   {"Combo3", 1, Qt::Key_Tab}};
    for (const auto& c : leaving) {
        SCOPED_TRACE(c.list);
        ASSERT_TRUE(loadDemo());
        QComboBox* list = window.findChildren<QComboBox*>(c.list).at(c.index);
        click(list->lineEdit());
        QTest::keyClick(list, c.key);
        EXPECT_EQ(window.windowTitle().toStdString(), "demo.ini - " + kCaption.toStdString());
        EXPECT_FALSE(undoAction->isEnabled());
    }

    ASSERT_TRUE(loadDemo());
    click(window.findChild<QComboBox*>("Combo1")->lineEdit());
    const QString path = dir.filePath("Hall.ini");
    saveThroughMenu(path);
    EXPECT_EQ(window.windowTitle().toStdString(), "Hall.ini - " + kCaption.toStdString());
    EXPECT_FALSE(undoAction->isEnabled());
    QFile saved(path), demo(SPLMAP_EXAMPLES_DIR "/demo.ini");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly) && demo.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), demo.readAll());
}

TEST_F(UndoHistoryTest, AHeightAndANameAreTwoStepsOfTheKeys)
{
    showDemo();
    QLineEdit* height = window.findChild<QLineEdit*>("Text13");
    QLineEdit* project = window.findChild<QLineEdit*>("Text15");
    const QString name = project->text();
    typeInto(height, "7");
    QTest::keyClick(height, Qt::Key_Tab);
    ASSERT_TRUE(qobject_cast<QComboBox*>(QApplication::focusWidget())); // into a list

    // Typed text not yet accepted: the field's own undo takes the key.
    typeInto(project, "Hall");
    QTest::keyClick(project, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(project->text().toStdString(), name.toStdString());
    typeInto(project, "Hall");
    QTest::keyClick(project, Qt::Key_Tab);

    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(project->text().toStdString(), name.toStdString());
    EXPECT_EQ(height->text().toStdString(), "7");
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(height->text().toStdString(), "10");
    EXPECT_FALSE(undoAction->isEnabled());
    QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(height->text().toStdString(), "7");
}
