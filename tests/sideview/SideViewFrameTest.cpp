#include "sideview/SideView.h"

#include <gtest/gtest.h>

using namespace sideview;

TEST(SideViewFrame, ExtentsFollowTheAreasInUse)
{
    ProjectState s;
    Inputs in;
    in.H = 3;
    in.dist[1] = 5;
    in.len[1] = 15;
    in.dist[2] = 10;
    in.len[2] = 30;
    in.z2[3] = 7;                             // an area not in use still raises the view
    EXPECT_EQ(computeExtents(in, s, s), "8"); // atan(2.843 / 20) = 8.09 degrees
    EXPECT_FLOAT_EQ(s.offsetmax, 20.0f);
    EXPECT_FLOAT_EQ(s.alturamax, 7.0f);
    s.seleccio = 1;
    computeExtents(in, s, s);
    EXPECT_FLOAT_EQ(s.offsetmax, 40.0f);

    // The maximum angle of the first box.
    s = ProjectState();
    in = Inputs();
    in.H = 0.1; // the middle of the top box is below the floor
    in.len[1] = 20;
    EXPECT_EQ(computeExtents(in, s, s), "0");

    in.H = 30;
    in.len[1] = 10; // atan(29.843 / 10) = 71.48 degrees, truncated
    EXPECT_EQ(computeExtents(in, s, s), "71");

    // No area reaching beyond the array: the view is 1 mm wide.
    in.len[1] = 0;
    computeExtents(in, s, s);
    EXPECT_FLOAT_EQ(s.offsetmax, 0.001f);
}
