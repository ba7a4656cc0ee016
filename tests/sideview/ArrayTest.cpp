#include "Layout.h"

#include <gtest/gtest.h>

using namespace sideview;

TEST(Array, StraightStackHangsFromTheHeightInAlternatingColours)
{
    Layout l({0, 0, 0}, 3);
    l.area(1, 0, 20, 0, 0);
    const Redraw out = l.redraw();
    const ProjectState& s = l.state;

    const double bottoms[] = {2.686, 2.372, 2.058};
    for (int j = 1; j <= 3; ++j) {
        EXPECT_NEAR(s.ybaixm[j], bottoms[j - 1], 1e-6) << j;
        EXPECT_EQ(std::make_pair(s.xbaixm[j], s.xbaix[j]), std::make_pair(0.f, 18.f)) << j;
        // On a view 4 m high, elevation y lies at 110 (1 - y / 4).
        EXPECT_NEAR(s.ybaix[j], 110.0 * (1.0 - bottoms[j - 1] / 4.0), 1e-4) << j;
    }
    EXPECT_NEAR(s.ydalt[1], 27.5, 1e-4);

    // The coloured front faces: boxes 1 and 3 red, box 2 blue; nothing else in colour.
    std::vector<DrawOp> faces;
    std::copy_if(out.ops.begin(), out.ops.end(), std::back_inserter(faces), [](const DrawOp& op) {
        return op.kind == DrawOp::Kind::Line && op.surface == Picture1 && op.rgb;
    });
    EXPECT_EQ(faces,
              (std::vector{draw::line(Picture1, 18, s.ydalt[1], 18, s.ybaix[1], rgb::Red),
                           draw::line(Picture1, 18, s.ybaix[2], 18, s.ybaix[3], rgb::Red),
                           draw::line(Picture1, 18, s.ybaix[1], 18, s.ybaix[2], rgb::Blue)}));
}
