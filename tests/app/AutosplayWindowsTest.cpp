// The automatic splay among the program's windows: opened from the Options
// menu, and a set of angles undone from it with the other windows following.

#include "Harness.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>

using AutosplayWindowsTest = DemoWindowTest;

// The level along the areas follows its listening height, and Options >
// Autosplay opens with it; the undo key pressed there takes back a set of angles written as
// Apply writes it, and the main window and the level along the areas follow.
TEST_F(AutosplayWindowsTest, AutosplayTakesTheAreasHeightAndItsUndoKeyReachesTheOtherWindows)
{
    main().findChild<QAction*>("AreaLevels")->trigger();
    auto* levels = main().findChild<spl::AreaLevelsWindow*>("AreaLevels");
    const float before = levels->levels().areas[0].points[40].level;
    QLineEdit* height = levels->findChild<QLineEdit*>("Text1");
    height->clear();
    QTest::keyClicks(height, "2"); // the points 2 m over the area line
    EXPECT_FLOAT_EQ(levels->levels().areas[0].points[0].height, 2.0f);
    EXPECT_NE(levels->levels().areas[0].points[40].level, before);
    main().findChild<QAction*>("Autosplay")->trigger();
    auto* autosplay = main().findChild<spl::AutosplayWindow*>("Autosplay");
    ASSERT_TRUE(autosplay && autosplay->isVisible());
    EXPECT_EQ(autosplay->findChild<QDoubleSpinBox*>("SpinHeight")->value(), 2.0);

    const auto splay2 = [&] {
        return main().findChildren<QComboBox*>("Combo3").at(1)->currentText();
    };
    const float level = levels->levels().areas[0].points[40].level;
    doc().setAngles(std::vector<double>{5, 3, 3, 3, 3, 3, 3, 3});
    EXPECT_EQ(splay2(), "3");
    EXPECT_NE(levels->levels().areas[0].points[40].level, level);
    autosplay->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(autosplay));
    QTest::keyClick(autosplay, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(splay2(), "1");
    EXPECT_EQ(levels->levels().areas[0].points[40].level, level);
    EXPECT_FALSE(main().findChild<QAction*>("Undo")->isEnabled()); // it was one step
}
