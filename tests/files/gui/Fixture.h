#pragma once

#include "project/gui/MainWindowFixture.h"

/// The main window over the demo project, never shown on a screen.
class DemoWindow : public MainWindowTest
{
protected:
    DemoWindow() { EXPECT_TRUE(loadDemo()); }
};
