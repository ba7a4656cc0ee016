#include "Layout.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace sideview;

namespace {

// Where the axis of a single box tilted by `degrees` (top front corner at height
// H) comes down to elevation y: it leaves the middle of the front face at right
// angles to it.
double axisAt(double degrees, double H, double y)
{
    const double t = rad(degrees), half = 0.314 / 2;
    const double along = (H - half * std::cos(t) - y) / std::sin(t);
    return -half * std::sin(t) + along * std::cos(t);
}

std::vector<DrawOp> dots(const DrawList& ops, int surface)
{
    std::vector<DrawOp> v;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Point && op.surface == surface)
            v.push_back(op);
    return v;
}

// A single box tilted by `degrees` at 3 m.
Layout oneBox(double degrees)
{
    Layout l;
    l.angles({degrees});
    l.boxes(1);
    return l;
}

} // namespace

TEST(Rays, LevelRaysLeaveAtTheFarEdgeWhenEverythingIsOnTheFloor)
{
    Layout l;
    l.angles({0, 0, 0});
    l.boxes(3);
    l.area(1, 5, 15, 0, 0);
    const Redraw out = l.redraw();
    EXPECT_EQ(l.state.primerraig, 2);
    for (int k = 1; k <= 3; ++k) {
        const double middle = 3.0 - (k - 0.5) * 0.314;
        EXPECT_FLOAT_EQ(l.state.x2raig[k], l.in.SW1) << k;
        EXPECT_NEAR(l.state.y2raig[k], l.Yr(middle), 1e-4) << k;
        EXPECT_TRUE(l.state.rayLine[k].raighoritzontal) << k;
    }
    EXPECT_TRUE(dots(out.ops, Picture44).empty());
    // Box 1's ray comes straight after the first pass, before any dot width.
    const auto ray1 = std::find(
        out.ops.begin(), out.ops.end(),
        draw::line(Picture33, 0, l.state.y1raig[1], l.in.SW1, l.state.y2raig[1], rgb::Red));
    const auto wide = std::find(out.ops.begin(), out.ops.end(), draw::lineWidth(Picture1, 5));
    EXPECT_LT(ray1, wide);
}

TEST(Rays, SteepRayLandsOnTheFloorWithADot)
{
    Layout l = oneBox(10);
    l.area(1, 0, 30, 5, 6); // high above the ray everywhere
    const Redraw out = l.redraw();
    const double x = axisAt(10, 3, 0);
    EXPECT_NEAR(l.state.x2raig[1], l.Xr(x), 1e-3);
    EXPECT_FLOAT_EQ(l.state.y2raig[1], l.in.SH44);
    EXPECT_NEAR(l.state.rayLine[1].raigpendent, -std::tan(rad(10)), 1e-6);
    EXPECT_NEAR(l.state.rayLine[1].raigorigen, std::tan(rad(10)) * x, 1e-5);
    ASSERT_EQ(dots(out.ops, Picture33).size(), 1u);
    EXPECT_EQ(dots(out.ops, Picture44),
              (std::vector{draw::point(Picture44, l.state.x2raig[1], l.in.SH44, rgb::Red)}));
}

TEST(Rays, RayIsCutBackToTheNearerAreaItCrossed)
{
    Layout l = oneBox(14);
    l.area(1, 4, 4, 1, 1);      // crossed at 7.37 m
    l.area(2, 8, 12, 0.5, 0.5); // crossed farther and lower, at 9.38 m
    l.redraw();
    EXPECT_NEAR(l.state.x2raig[1], l.Xr(axisAt(14, 3, 1)), 1e-3);
    EXPECT_NEAR(l.state.y2raig[1], l.Yr(1), 1e-4);
    EXPECT_FALSE(l.state.Heentrat);

    // Clear of area 1 the ray goes on to area 2.
    l.area(1, 0, 2, 1, 1);
    l.redraw();
    EXPECT_NEAR(l.state.x2raig[1], l.Xr(axisAt(14, 3, 0.5)), 1e-3);
    EXPECT_NEAR(l.state.y2raig[1], l.Yr(0.5), 1e-4);

    // With a third area below the second, it is cut back to the second.
    l.area(2, 4, 4, 1, 1);
    l.area(3, 8, 12, 0.5, 0.5);
    l.redraw();
    EXPECT_NEAR(l.state.x2raig[1], l.Xr(axisAt(14, 3, 1)), 1e-3);
    EXPECT_NEAR(l.state.y2raigintermig4, 1.0, 1e-6);
    EXPECT_TRUE(l.state.Heentratarea2);
}

TEST(Rays, ZeroHeightKeepsTheEndsOfThePreviousRedraw)
{
    Layout l = oneBox(5);
    l.in.H = 0;
    l.area(1, 5, 10, 0, 1);
    l.state.x2raig[1] = 50;
    l.state.y2raig[1] = 60;
    const Redraw out = l.redraw();
    EXPECT_TRUE(l.state.rayLine[1].raigvertical);
    EXPECT_EQ(std::make_pair(l.state.x2raig[1], l.state.y2raig[1]), std::make_pair(50.f, 60.f));
    // The axis crosses the array plane half a box over cos 5 degrees below the floor.
    EXPECT_NEAR(l.state.y1raig[1], l.Yr(-0.157 / std::cos(rad(5))), 1e-4);
    EXPECT_EQ(dots(out.ops, Picture33), (std::vector{draw::point(Picture33, 50, 60, rgb::Red)}));
}

TEST(Rays, LevelRayBelowTheFloorIsTiltedToReachIt)
{
    Layout l = oneBox(0);
    l.in.H = 0.1;
    l.area(1, 0, 0, 0, 1); // ends at the array plane: the dot goes onto it
    const Redraw out = l.redraw();
    EXPECT_NEAR(l.state.rayLine[1].raigpendent, -std::tan(rad(0.1)), 1e-7);
    EXPECT_EQ(dots(out.ops, Picture44),
              (std::vector{draw::point(Picture44, 0, l.in.SH44, rgb::Red)}));
}

TEST(Rays, ParallelLinesNeverMeet)
{
    Layout l = oneBox(14);
    l.area(1, 0, 20, -100, 101);
    l.state.offsetmax = 20;
    l.state.alturamax = 3;
    l.state.areaLine[1] = {true, false, 50, 0, 0, 0}; // out of the area's reach
    Redraw out;
    PintarRaig(l.in, l.state, out);
    const float floorEnd = l.state.x2raig[1];

    // An area line with the ray's own slope, one metre higher.
    RayLine& r = l.state.rayLine[1];
    l.state.areaLine[1] = {false, false, 0, 0, r.raigpendent, r.raigorigen + 1};
    r.tallx = 7;
    r.tally = 8;
    PintarRaig(l.in, l.state, out);
    EXPECT_EQ(std::make_pair(r.tallx, r.tally), std::make_pair(7.f, 8.f));
    EXPECT_FLOAT_EQ(l.state.x2raig[1], floorEnd);

    // A level ray and a level area still holding an earlier slope.
    l.angles({0});
    l.state.areaLine[1] = {false, true, 0, 2.5f, 0.3f, 0};
    PintarRaig(l.in, l.state, out);
    ASSERT_TRUE(r.raighoritzontal);
    EXPECT_FLOAT_EQ(l.state.x2raig[1], l.in.SW1);
}
