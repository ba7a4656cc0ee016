#include "Layout.h"

#include <gtest/gtest.h>

using namespace sideview;

TEST(SideViewFrame, ExtentsFollowTheAreasInUse)
{
    Layout l;
    ProjectState& s = l.state;
    l.area(1, 5, 15, 0, 0);
    l.area(2, 10, 30, 0, 0);
    l.in.z2[3] = 7; // an area not in use still raises the view
    s.seleccio = 0;
    EXPECT_EQ(computeExtents(l.in, s, s), "8"); // atan(2.843 / 20) = 8.09 degrees
    EXPECT_EQ(std::pair(s.offsetmax, s.alturamax), std::pair(20.0f, 7.0f));

    // The maximum angle of the first box; a view 1 mm wide when no area reaches beyond the array.
    const std::tuple<double, double, const char*, float> cases[] = {
        {0.1, 20, "0", 20.0f}, // the middle of the top box is below the floor
        {30, 10, "71", 10.0f}, // atan(29.843 / 10) = 71.48 degrees, truncated
        {30, 0, "", 0.001f}};
    for (const auto& [H, len, angle, offsetmax] : cases) {
        Layout m;
        m.in.H = H;
        m.in.len[1] = len;
        const QString shown = computeExtents(m.in, m.state, m.state);
        EXPECT_TRUE(!*angle || shown == angle) << H << " " << len;
        EXPECT_FLOAT_EQ(m.state.offsetmax, offsetmax) << H << " " << len;
    }
}
