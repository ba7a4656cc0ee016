#include "Layout.h"

#include <gtest/gtest.h>

using namespace sideview;

namespace {

// Where the axis of one box tilted by `degrees`, top front corner at H, comes
// down to elevation y: it leaves the middle of the front face at right angles.
// Degrees turn to radians with the program's own value of pi.
double axisAt(double degrees, double H, double y)
{
    const double t = degrees * 3.1415167 / 180.0, half = 0.314 / 2;
    return -half * std::sin(t) + (H - half * std::cos(t) - y) / std::sin(t) * std::cos(t);
}

} // namespace

TEST(Rays, EndAtTheFarEdgeOnTheFloorOrWhereTheyWere)
{
    // Everything on the floor: level rays from the second on, out to the far edge, in red.
    Layout l({0, 0, 0}, 3);
    l.area(1, 5, 15, 0, 0);
    Redraw out = l.redraw();
    EXPECT_EQ(l.state.primerraig, 2);
    const ProjectState& s = l.state;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_FLOAT_EQ(s.x2raig[k], l.in.SW1) << k;
        EXPECT_NEAR(s.y2raig[k], l.Yr(3.0 - (k - 0.5) * 0.314), 1e-4) << k;
        const DrawOp ray =
            draw::line(Picture44, s.x1raig[k], s.y1raig[k], s.x2raig[k], s.y2raig[k], rgb::Red);
        EXPECT_EQ(std::count(out.ops.begin(), out.ops.end(), ray), 1) << k;
    }

    // A steep ray lands on the floor, with a dot on the overlay.
    l = Layout({10});
    l.area(1, 0, 30, 5, 6); // high above the ray everywhere
    out = l.redraw();
    EXPECT_NEAR(l.state.x2raig[1], l.Xr(axisAt(10, 3, 0)), 1e-3);
    EXPECT_FLOAT_EQ(l.state.y2raig[1], l.in.SH44);
    EXPECT_EQ(countOps(out.ops, DrawOp::Kind::Point, Picture44), 1);

    // At zero height the ends of the previous redraw stay.
    l = Layout({5});
    l.in.H = 0;
    l.area(1, 5, 10, 0, 1);
    l.state.x2raig[1] = 50;
    l.state.y2raig[1] = 60;
    out = l.redraw();
    EXPECT_EQ(std::make_pair(l.state.x2raig[1], l.state.y2raig[1]), std::make_pair(50.f, 60.f));
    EXPECT_EQ(countOps(out.ops, DrawOp::Kind::Point, Picture33), 1);
}

// A ray is cut back to the nearer area it crossed; clear of area 1 it goes on
// to area 2; with a third area below the second, it is cut back to the second.
TEST(Rays, RayIsCutBackToTheNearerAreaItCrossed)
{
    Layout l({14});
    l.area(1, 4, 4, 1, 1);      // crossed at 7.37 m
    l.area(2, 8, 12, 0.5, 0.5); // crossed farther and lower, at 9.38 m
    const std::tuple<int, double, double, double, double, double> moves[] = {
        {1, 4, 4, 1, 1, 1}, {1, 0, 2, 1, 1, 0.5}, {2, 4, 4, 1, 1, 1}};
    for (const auto& [n, d, len, z1, z2, hit] : moves) {
        l.area(n, d, len, z1, z2);
        if (n == 2)
            l.area(3, 8, 12, 0.5, 0.5);
        l.redraw();
        EXPECT_NEAR(l.state.x2raig[1], l.Xr(axisAt(14, 3, hit)), 1e-3) << n << " " << d;
        EXPECT_NEAR(l.state.y2raig[1], l.Yr(hit), 1e-4) << n << " " << d;
    }
    EXPECT_NEAR(l.state.y2raigintermig4, 1.0, 1e-6);
}

TEST(Rays, ParallelLinesNeverMeet)
{
    // A ray meeting the floor, and an area line with its slope one metre higher.
    Layout l({14});
    l.area(1, 0, 20, -100, 101);
    l.state.offsetmax = 20;
    l.state.alturamax = 3;
    l.state.areaLine[1] = {true, false, 50, 0, 0, 0}; // out of the area's reach
    Redraw out;
    PintarRaig(l.in, l.state, out);
    const float floorEnd = l.state.x2raig[1];
    RayLine& r = l.state.rayLine[1];
    l.state.areaLine[1] = {false, false, 0, 0, r.raigpendent, r.raigorigen + 1};
    r.tallx = 7;
    r.tally = 8;
    PintarRaig(l.in, l.state, out);
    EXPECT_EQ(std::make_pair(r.tallx, r.tally), std::make_pair(7.f, 8.f));
    EXPECT_FLOAT_EQ(l.state.x2raig[1], floorEnd);
}
