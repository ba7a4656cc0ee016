// The main window's commands through the whole program: the menus and the
// closing sequence, and the language window re-labelling every window.

#include "Harness.h"
#include "project/gui/Principal.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class MenusTest : public ProgramTest
{
protected:
    MenusTest()
    {
        windows.setEndProgram([this] { ++ended; });
        QObject::connect(&windows.document(), &ProjectDocument::redrawn, [this] { ++redraws; });
        principal().show();
    }

    Principal& principal() { return windows.principal(); }
    QAction* item(const char* name) { return principal().findChild<QAction*>(name); }

    /// Runs `open`, and `inside` as soon as the modal window it opens is
    /// running. Returns whether a modal window was running then.
    static bool whileModal(const std::function<void()>& open, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = QApplication::activeModalWidget() != nullptr;
            inside();
        });
        open();
        return ran;
    }
    void answerQuit(const char* button)
    {
        windows.quitWindow().findChild<QPushButton*>(button)->click();
    }

    int ended = 0;
    int redraws = 0;
};

/// Every caption the user reads on a window, by window, control and position.
QMap<QString, QString> captions(QWidget* window)
{
    QMap<QString, QString> all;
    QMap<QString, int> seen;
    auto add = [&](QObject* o, const QString& text) {
        const QString key = window->objectName() + "/" + o->objectName();
        all.insert(key + "#" + QString::number(seen[key]++), text);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->objectName().startsWith("qt_"))
            continue;
        if (auto* l = qobject_cast<QLabel*>(w))
            add(l, l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(b, b->text());
        else if (auto* f = qobject_cast<QGroupBox*>(w))
            add(f, f->title());
    }
    for (QAction* a : window->findChildren<QAction*>())
        if (!a->isSeparator() && !a->objectName().isEmpty())
            add(a, a->text());
    return all;
}

} // namespace

TEST_F(MenusTest, ExitClosingAndCtrlQAskTheQuestion)
{
    principal().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principal()));
    bool asked = false;
    whileModal([this] { QTest::keyClick(&principal(), Qt::Key_Q, Qt::ControlModifier); },
               [&] {
                   asked = windows.quitWindow().isVisible();
                   answerQuit("Command2");
               });
    EXPECT_TRUE(asked);

    // Exit, then Cancel: everything stays as it was, not even redrawn.
    const int before = redraws;
    EXPECT_TRUE(
        whileModal([this] { item("Exit")->trigger(); }, [this] { answerQuit("Command2"); }));
    EXPECT_TRUE(principal().isVisible());
    EXPECT_FALSE(windows.quitWindow().isVisible());
    EXPECT_EQ(redraws, before);

    // Closing the window asks every time; Cancel, or closing the question by
    // its frame, redraws the view.
    for (int i = 1; i <= 2; ++i) {
        EXPECT_TRUE(whileModal([this] { principal().close(); },
                               [&] {
                                   if (i == 1)
                                       answerQuit("Command2");
                                   else
                                       windows.quitWindow().close();
                               }));
        EXPECT_TRUE(principal().isVisible());
        EXPECT_EQ(redraws, before + i);
    }

    EXPECT_EQ(ended, 0);
}

TEST_F(MenusTest, ClosingTheWindowThenOkEndsTheProgram)
{
    EXPECT_TRUE(whileModal([this] { principal().close(); }, [this] { answerQuit("Command1"); }));
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(principal().isVisible());
}

TEST_F(MenusTest, SaveInTheQuestionRunsTheFileDialogAndAsksAgain)
{
    bool dialogShown = false, stillAsking = false;
    EXPECT_TRUE(whileModal([this] { principal().close(); },
                           [&] {
                               // The save's file dialog, cancelled as soon as it shows.
                               QTimer::singleShot(0, [&] {
                                   auto* d = qobject_cast<QFileDialog*>(
                                       QApplication::activeModalWidget());
                                   dialogShown = d != nullptr;
                                   if (d)
                                       d->reject();
                               });
                               answerQuit("Command3");
                               stillAsking = windows.quitWindow().isVisible();
                               answerQuit("Command2");
                           }));
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(stillAsking);
    EXPECT_TRUE(principal().isVisible());
}

TEST_F(MenusTest, InfoShowsTheWindowAndCloseRedrawsTheView)
{
    const int before = redraws;
    bool shown = false;
    whileModal([this] { item("Info")->trigger(); },
               [&] {
                   shown = windows.inforWindow().isVisible();
                   windows.inforWindow().findChild<QPushButton*>("Command1")->click();
               });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(windows.inforWindow().isVisible());
    EXPECT_EQ(redraws, before + 1);
}

TEST_F(MenusTest, StartUpMadeEveryWindowHiddenAndRelabelsThemInOrder)
{
    // The report's export sits beside printing in the File menu.
    const QList<QAction*> file = principal().findChild<QMenu*>("File")->actions();
    EXPECT_EQ(file.indexOf(item("ExportReport")), file.indexOf(item("PrintData")) + 1);

    Language* language = windows.languageWindowIfLoaded();
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->relabelOrder(),
              QStringList({"Language", "Principal", "Dades", "Feat", "Infor", "Language", "Mecanic",
                           "Quit", "SPL"}));
    ASSERT_NE(windows.mechanicalView(), nullptr);
    for (QWidget* w : std::initializer_list<QWidget*>{
             language, windows.mechanicalView(), &windows.featuresWindow(), &windows.inforWindow(),
             &windows.quitWindow(), &windows.splWindow(), windows.wizard()})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(MenusTest, TheUsersLanguageIsTheStartingOne)
{
    Languages german(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    CapturingSink sink;
    Windows program(german, sink, languageId::German);
    EXPECT_EQ(program.quitWindow().findChild<QPushButton*>("Command3")->text(), "Speichern");
    EXPECT_EQ(program.languageWindow().selectedLanguage(), languageId::German);
}

// Choosing German in the language window changes every caption of every
// window, except those that are not language texts.
TEST_F(MenusTest, EveryCaptionChangesWithTheLanguage)
{
    const QList<QPointer<QWidget>> all = {&principal(),
                                          windows.languageWindowIfLoaded(),
                                          &windows.featuresWindow(),
                                          &windows.inforWindow(),
                                          windows.mechanicalView(),
                                          &windows.quitWindow(),
                                          &windows.splWindow(),
                                          windows.wizard()};
    QMap<QString, QString> english;
    for (QWidget* w : all)
        english.insert(captions(w));

    QMap<QString, QString> german;
    whileModal([this] { item("MenuLanguage")->trigger(); },
               [&] {
                   auto* list = windows.languageWindow().findChild<QComboBox*>("cboLanguage");
                   list->setCurrentIndex(2);
                   german.insert(captions(&windows.languageWindow()));
                   windows.languageWindow().findChild<QPushButton*>("Command1")->click();
               });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows.languageWindowIfLoaded(), nullptr); // OK unloaded it
    for (QWidget* w : all)
        if (w) // the language window is gone
            german.insert(captions(w));

    // Not language texts: the side view's numbers and readouts, the model key,
    // the legend of the map and the powers, the box numbers of the table, the program's name
    // and version and what it is for, Ok of the question and Close of the
    // features window; the wizard's heading and buttons; the unit and value of
    // the level probe.
    QStringList kept = {"Quit/Command1#0",  "Feat/Command2#0", "Dades/Command1#0",
                        "Dades/Command2#0", "Dades/Label19#0", "SPL/Label12#0"};
    for (const char* n :
         {"LabelLevel", "LabelLevelValue", "Label35", "Label36", "Label37", "Label38", "Label39",
          "Label40", "Label41", "Label42", "Label44", "Label45", "Label46", "Label47", "Label48",
          "Label49", "Label58", "Label59"})
        kept << QStringLiteral("Principal/%1#0").arg(n);
    for (int i = 1; i <= 4; ++i)
        kept << QStringLiteral("Infor/Label%1#0").arg(i);
    for (int i = 2; i <= 9; ++i)
        kept << QStringLiteral("SPL/Label%1#0").arg(i);
    for (int i = 0; i < 16; ++i)
        kept << QStringLiteral("Mecanic/Label1#%1").arg(i);

    int changed = 0;
    for (auto it = english.begin(); it != english.end(); ++it) {
        ASSERT_TRUE(german.contains(it.key())) << it.key().toStdString();
        if (kept.contains(it.key())) {
            EXPECT_EQ(german[it.key()], it.value()) << it.key().toStdString();
        } else {
            EXPECT_NE(german[it.key()], it.value())
                << it.key().toStdString() << ": " << it.value().toStdString();
            ++changed;
        }
    }
    // The 102 captions but the language window's Cancel, set twice, and the
    // captions of the commands this program adds.
    const QStringList added = {"Principal/AreaLevels#0", "Principal/ExportReport#0",
                               "Principal/Edit#0",       "Principal/Undo#0",
                               "Principal/Redo#0",       "Principal/LiveMap#0",
                               "SPL/Label13#0"};
    for (const QString& key : added)
        EXPECT_TRUE(english.contains(key)) << key.toStdString();
    EXPECT_EQ(changed, 102 - 1 + added.size());
    // Qt's own texts follow where the system has their translation.
    if (QFile::exists(QtTranslations().filePath(languageId::German))) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    }

    // Cancel in the language window returns to English, not to the language before.
    whileModal([this] { item("MenuLanguage")->trigger(); },
               [this] { windows.languageWindow().findChild<QPushButton*>("Command2")->click(); });
    EXPECT_EQ(windows.quitWindow().findChild<QPushButton*>("Command3")->text(), "Save");
    EXPECT_EQ(item("Exit")->text(), "&Exit");
    EXPECT_EQ(windows.splWindow().findChild<QPushButton*>("Command2")->text(), "Close");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}
