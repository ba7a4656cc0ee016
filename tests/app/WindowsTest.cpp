#include "app/Windows.h"
#include "app/GeometryCommand.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "sideview/GeometryJson.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class WindowsTest : public ::testing::Test
{
protected:
    WindowsTest()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          windows(languages, messages, languageId::English)
    {
        QObject::connect(&windows.document(), &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    ProjectDocument& doc() { return windows.document(); }
    void pressMechanicalView() { windows.principal().findChild<QPushButton*>("Command1")->click(); }

    Languages languages;
    CapturingSink messages;
    Windows windows;
    int redraws = 0;
};

QStringList projects()
{
    QStringList paths{QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")};
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
    ASSERT_TRUE(windows.principal().loadProject(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    windows.principal().show();
    pressMechanicalView();
    Mecanic* view = windows.mechanicalView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(view->isModal());
    EXPECT_EQ(view->splayField(7)->text(), "4");
    EXPECT_TRUE(view->splayField(7)->isEnabled());
    EXPECT_FALSE(view->splayField(8)->isEnabled());
    EXPECT_EQ(view->modelText(), "TS250");

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
    doc().choose(Control::Combo4, 1);
    ASSERT_TRUE(
        doc().load(QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/sixteen-boxes-two-areas-ts250.ini")));
    EXPECT_TRUE(view->splayField(15)->isEnabled());
    EXPECT_EQ(view->modelText(), "TS250");
}

TEST_F(WindowsTest, ClosingTheMechanicalViewRedrawsTheSideView)
{
    windows.principal().show();
    pressMechanicalView();
    const int before = redraws;
    QPointer<Mecanic> view = windows.mechanicalView();
    view->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(redraws, before + 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    pressMechanicalView(); // made afresh
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
        Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
        CapturingSink messages;
        Windows windows(languages, messages, languageId::English);
        windows.principal().show();
        ASSERT_TRUE(windows.principal().loadProject(path)) << path.toStdString();
        QStringList tags;
        for (const Message& m : messages.shown)
            tags << m.tag;
        const Principal& w = windows.principal();
        const QByteArray viaWindow = sideview::geometryJson(windows.document().state(),
                                                            w.sideViewCaptions(), tags, w.scales());

        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        ASSERT_EQ(runGeometry({path}, out, err), 0) << err.data().constData();
        EXPECT_EQ(out.data().trimmed(), viaWindow.trimmed()) << path.toStdString();
    }
}

TEST_F(WindowsTest, FileNewShowsTheWizardKeptUntilItsFrameClosesIt)
{
    ASSERT_TRUE(windows.principal().loadProject(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    windows.principal().show();
    pressMechanicalView();
    ASSERT_EQ(windows.mechanicalView()->splayField(1)->text(), "1");
    QAction* fileNew = windows.principal().findChild<QAction*>("New");
    // Made hidden at start-up, where the main window's own start-up follows:
    // the loaded project is still there.
    ASSERT_NE(windows.wizard(), nullptr);
    EXPECT_FALSE(windows.wizard()->isVisible());

    // Shown modally; Cancel hides it, empties the project and the open mechanical table.
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
