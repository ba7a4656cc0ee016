#include "Layout.h"

#include <gtest/gtest.h>

using namespace sideview;

namespace {

// The coloured front-face lines on Picture1, in drawing order.
std::vector<DrawOp> faces(const DrawList& ops)
{
    std::vector<DrawOp> v;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Line && op.surface == Picture1 && op.rgb)
            v.push_back(op);
    return v;
}

} // namespace

TEST(Array, StraightStackHangsFromTheHeight)
{
    Layout l;
    l.angles({0, 0, 0});
    l.boxes(3);
    l.area(1, 0, 20, 0, 0);
    const Redraw out = l.redraw();
    const ProjectState& s = l.state;
    EXPECT_EQ(out.captions["Label59"], "8");

    const double bottoms[] = {2.686, 2.372, 2.058};
    for (int j = 1; j <= 3; ++j) {
        EXPECT_NEAR(s.ybaixm[j], bottoms[j - 1], 1e-6) << j;
        EXPECT_FLOAT_EQ(s.xbaixm[j], 0) << j;
        EXPECT_FLOAT_EQ(s.xbaix[j], 18) << j;
        // On a view 4 m high, elevation y lies at 110 (1 - y / 4).
        EXPECT_NEAR(s.ybaix[j], 110.0 * (1.0 - bottoms[j - 1] / 4.0), 1e-4) << j;
    }
    EXPECT_NEAR(s.ydalt[1], 27.5, 1e-4);
    EXPECT_NEAR(s.ybaixm[16], 3.0 - 16 * 0.314, 1e-5); // placed though not in use

    // Boxes 1 and 3 red, box 2 blue; nothing else in colour on Picture1.
    const auto f = faces(out.ops);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], draw::line(Picture1, 18, s.ydalt[1], 18, s.ybaix[1], rgb::Red));
    EXPECT_EQ(f[1], draw::line(Picture1, 18, s.ybaix[2], 18, s.ybaix[3], rgb::Red));
    EXPECT_EQ(f[2], draw::line(Picture1, 18, s.ybaix[1], 18, s.ybaix[2], rgb::Blue));
}

TEST(Array, TiltLeansTheChainBackAndAnEmptyViewStandsItUp)
{
    Layout l;
    l.angles({10, 5});
    l.state.box[1] = BoxValue::text("10"); // box 1 keeps the text of its field
    l.boxes(2);
    l.area(1, 0, 20, 0, 1);
    l.redraw();
    EXPECT_NEAR(l.state.xbaixm[2], -0.314 * (std::sin(rad(10)) + std::sin(rad(15))), 1e-6);
    EXPECT_NEAR(l.state.ybaixm[2], 3.0 - 0.314 * (std::cos(rad(10)) + std::cos(rad(15))), 1e-6);
    EXPECT_LT(l.state.xbaix[2], 18.0f);

    // No area beyond the array plane: a vertical stack on the axis, xbaixm left as it was.
    l.area(1, 0, 0, 0, 1);
    l.state.xbaixm[2] = 99;
    const Redraw out = l.redraw();
    for (int j = 1; j <= 16; ++j)
        EXPECT_EQ(std::make_pair(l.state.xdalt[j], l.state.xbaix[j]), std::make_pair(18.f, 18.f));
    EXPECT_FLOAT_EQ(l.state.xbaixm[2], 99);
    EXPECT_NEAR(l.state.ybaixm[2], 3.0 - 0.314 * (std::cos(rad(10)) + std::cos(rad(15))), 1e-6);
    EXPECT_EQ(faces(out.ops).size(), 2u);

    // A box count that a project file put out of range.
    l.state.numcaixes = 40;
    EXPECT_EQ(faces(l.redraw().ops).size(), 16u);
}
