// The automatic splay among the program's windows: opened from the Options
// menu, its proposal applied and undone with the other windows following.

#include "Harness.h"
#include "project/gui/Principal.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST_F(ProgramTest, AutosplayIsAppliedAndUndoneWithTheOpenWindowsFollowing)
{
    Principal& main = windows.principal();
    ASSERT_TRUE(main.loadProject(demo));
    main.findChild<QAction*>("AreaLevels")->trigger();
    auto* levels = main.findChild<spl::AreaLevelsWindow*>("AreaLevels");
    QLineEdit* height = levels->findChild<QLineEdit*>("Text1");
    height->clear();
    QTest::keyClicks(height, "2");

    main.findChild<QAction*>("Autosplay")->trigger();
    auto* autosplay = main.findChild<spl::AutosplayWindow*>("Autosplay");
    ASSERT_TRUE(autosplay && autosplay->isVisible());
    EXPECT_EQ(autosplay->findChild<QDoubleSpinBox*>("SpinHeight")->value(), 2.0);
    autosplay->findChild<QDoubleSpinBox*>("SpinMinSplay")->setValue(2.5); // the demo has less
    autosplay->findChild<QPushButton*>("CommandRun")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return autosplay->proposal().has_value(); }, 120000));

    // The main window's angle lists and the level along the areas follow.
    const auto shownAngles = [&] {
        QStringList texts;
        for (int i = 0; i < int(autosplay->proposal()->proposed.size()); ++i)
            texts << main.findChildren<QComboBox*>("Combo3").at(i)->currentText();
        return texts;
    };
    const QStringList before = shownAngles();
    const float level = levels->levels().areas[0].points[40].level;
    autosplay->findChild<QPushButton*>("CommandApply")->click();
    QStringList proposed;
    for (double a : autosplay->proposal()->proposed)
        proposed << QLocale().toString(a);
    EXPECT_EQ(shownAngles(), proposed);
    EXPECT_NE(levels->levels().areas[0].points[40].level, level);

    // One undo key, pressed in the autosplay window.
    autosplay->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(autosplay));
    QTest::keyClick(autosplay, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownAngles(), before);
    EXPECT_EQ(levels->levels().areas[0].points[40].level, level);
    EXPECT_FALSE(main.findChild<QAction*>("Undo")->isEnabled()); // it was one step
}
