#include "Harness.h"
#include "app/GeometryCommand.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "project/gui/UndoHistory.h"
#include "sideview/GeometryJson.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

class WindowsTest : public ProgramTest
{
protected:
    WindowsTest()
    {
        QObject::connect(&windows.document(), &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    ProjectDocument& doc() { return windows.document(); }
    void pressMechanicalView() { windows.principal().findChild<QPushButton*>("Command1")->click(); }

    int redraws = 0;
};

QStringList projects()
{
    QStringList paths{demo};
    const QDir dir(QStringLiteral(SPLMAP_TEST_PROJECTS_DIR));
    for (const QString& name : dir.entryList({"*.ini"}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

} // namespace

TEST_F(WindowsTest, TheMechanicalViewShowsTheCurrentProjectWhenOpened)
{
    // The language start-up made it, hidden.
    ASSERT_NE(windows.mechanicalView(), nullptr);
    EXPECT_FALSE(windows.mechanicalView()->isVisible());
    ASSERT_TRUE(windows.principal().loadProject(demo));
    windows.principal().show();
    pressMechanicalView();
    QPointer<Mecanic> view = windows.mechanicalView();
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_FALSE(view->isModal());
    EXPECT_EQ(view->splayField(7)->text(), "4");
    EXPECT_FALSE(view->splayField(8)->isEnabled());

    // Pressing again shows the same window and rewrites the model key.
    view->setModelText("x");
    pressMechanicalView();
    EXPECT_EQ(windows.mechanicalView(), view);
    EXPECT_EQ(view->modelText(), "TS250");

    // Hidden, then opened again after an edit: it shows the edit.
    view->hide();
    doc().choose(Control::Combo2, 2);
    pressMechanicalView();
    EXPECT_FALSE(view->splayField(3)->isEnabled());

    // A load refreshes it while it is open.
    ASSERT_TRUE(
        doc().load(QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/sixteen-boxes-two-areas-ts250.ini")));
    EXPECT_TRUE(view->splayField(15)->isEnabled());

    // Its Close redraws the side view and destroys it; the button makes it afresh.
    const int before = redraws;
    view->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(redraws, before + 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    pressMechanicalView();
    EXPECT_NE(windows.mechanicalView(), nullptr);
}

// The window path (a project loaded by the main window, read back from its
// labels, surfaces and messages) and the command's path without any window
// give the same geometry.
TEST(WindowAndHeadless, GiveTheSameGeometryForEveryProject)
{
    const QStringList paths = projects();
    ASSERT_GE(paths.size(), 6);
    for (const QString& path : paths) {
        Program program;
        Principal& w = program.windows.principal();
        w.show();
        ASSERT_TRUE(w.loadProject(path)) << path.toStdString();
        QStringList tags;
        for (const Message& m : program.messages.shown)
            tags << m.tag;
        const QByteArray viaWindow = sideview::geometryJson(program.windows.document().state(),
                                                            w.sideViewCaptions(), tags, w.scales());
        const Outcome r =
            captured([&](QIODevice& out, QIODevice& err) { return runGeometry({path}, out, err); });
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_EQ(r.out.trimmed(), viaWindow.trimmed()) << path.toStdString();
    }
}

TEST_F(WindowsTest, FileNewShowsTheWizardKeptUntilItsFrameClosesIt)
{
    ASSERT_TRUE(windows.principal().loadProject(demo));
    windows.principal().show();
    pressMechanicalView();
    ASSERT_EQ(windows.mechanicalView()->splayField(1)->text(), "1");
    QAction* fileNew = windows.principal().findChild<QAction*>("New");
    // Made hidden at start-up, where the main window's own start-up follows.
    ASSERT_TRUE(windows.wizard() && !windows.wizard()->isVisible());

    // An edit to undo before the new project.
    auto* areas = windows.principal().findChild<QComboBox*>("Combo1");
    areas->setCurrentIndex(2);
    emit areas->activated(2);
    ASSERT_TRUE(windows.principal().history().stack().canUndo());

    // Shown modally; Cancel hides it, empties the project and the open mechanical
    // table, and the new project starts a clean history.
    QPointer<Dades> first;
    QTimer::singleShot(0, [&] {
        first = windows.wizard();
        ASSERT_TRUE(first && first->isVisible() && first->isModal());
        first->findChild<QLineEdit*>("Text3")->setText("7");
        first->findChild<QPushButton*>("Command2")->click();
    });
    fileNew->trigger();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(windows.mechanicalView()->splayField(1)->text(), "0");
    EXPECT_EQ(doc().text(Control::Text13), "3");
    EXPECT_FALSE(windows.principal().history().stack().canUndo());

    // The same window again, as it was left; its frame closes and destroys it.
    QPointer<Dades> second;
    QTimer::singleShot(0, [&] {
        second = windows.wizard();
        second->close();
    });
    fileNew->trigger();
    EXPECT_EQ(second, first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(doc().text(Control::Text13), "3"); // closing is no Cancel and no Ok

    // The next New makes a fresh one, whose creation empties the project again.
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(windows.wizard()->findChild<QLineEdit*>("Text3")->text(), "0");
        QTest::keyClick(windows.wizard(), Qt::Key_Escape);
    });
    fileNew->trigger();
    EXPECT_EQ(doc().text(Control::Text13), "-");
}

// The wizard closed by its frame is made again when the captions change; that
// leaves the project as it is, and the reset of its creation waits for File >
// New. A language change reaches it by a choice in the language window or by
// the window's load when it is opened again after an OK or a Cancel.
TEST(WizardMadeForItsCaptions, LeavesTheProjectUntilFileNew)
{
    const auto openLanguage = [](Windows& windows, const std::function<void(Language&)>& inside) {
        QTimer::singleShot(0, [&] { inside(windows.languageWindow()); });
        windows.principal().findChild<QAction*>("MenuLanguage")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const auto press = [](const char* button) {
        return [button](Language& w) { w.findChild<QPushButton*>(button)->click(); };
    };
    const auto chooseSpanish = [](Language& w) {
        w.findChild<QComboBox*>("cboLanguage")->setCurrentIndex(1);
        w.findChild<QPushButton*>("Command1")->click();
    };
    const std::pair<const char*, std::vector<std::function<void(Language&)>>> ways[] = {
        {"Spanish chosen", {chooseSpanish}},
        {"opened again after OK", {press("Command1"), press("Command1")}},
        {"opened again after Cancel", {press("Command2"), press("Command1")}},
    };
    for (const auto& [way, openings] : ways) {
        Program program;
        Windows& windows = program.windows;
        ProjectDocument& doc = windows.document();
        windows.principal().show();
        ASSERT_TRUE(windows.principal().loadProject(demo));
        const auto project = [&] {
            QStringList texts{windows.principal().windowTitle()};
            for (int n = 1; n <= 16; ++n)
                texts << doc.text(textField(n));
            texts << (doc.isEnabled(Control::Command2) ? "SPL enabled" : "SPL disabled");
            return texts.join(" | ").toStdString();
        };
        const std::string loaded = project();
        ASSERT_TRUE(loaded.ends_with("SPL enabled"));

        QAction* fileNew = windows.principal().findChild<QAction*>("New");
        QTimer::singleShot(0, [&] { QTest::keyClick(windows.wizard(), Qt::Key_Escape); });
        fileNew->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(windows.wizard(), nullptr) << way;
        for (const auto& inside : openings)
            openLanguage(windows, inside);
        ASSERT_NE(windows.wizard(), nullptr) << way;
        EXPECT_EQ(project(), loaded) << way;

        // File > New resets the project then, once.
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(doc.text(Control::Text13), "-") << way;
            doc.setText(Control::Text13, "9");
            windows.wizard()->hide();
        });
        fileNew->trigger();
        QTimer::singleShot(0, [&] { windows.wizard()->hide(); });
        fileNew->trigger();
        EXPECT_EQ(doc.text(Control::Text13), "9") << way;
    }
}
