#include "Layout.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace sideview;

namespace {

// A view 80 x 40 units showing 40 m across and 10 m up.
Redraw drawSmallView(Layout& l)
{
    l.in.SW1 = 80;
    l.in.SH1 = l.in.SH44 = 40;
    l.state.offsetmax = 40;
    l.state.alturamax = 9;
    Redraw out;
    PintarAreas(l.in, l.state, l.locale, out);
    return out;
}

} // namespace

// A falling area: warned once for all areas in use, drawn flat one unit up.
TEST(Areas, SegmentsLineDescriptionsAndWarnings)
{
    Layout l;
    const AreaView& v = l.state.areaView[1];
    const AreaLine& line = l.state.areaLine[1];
    l.area(1, 10, 20, 1, 3);
    Redraw out = drawSmallView(l);
    EXPECT_EQ(std::count(out.ops.begin(), out.ops.end(),
                         draw::line(Picture44, 20, 36, 60, 28, rgb::Black)),
              1);
    EXPECT_FLOAT_EQ(line.areapendent, 0.1f);
    EXPECT_NEAR(line.areaorigen, 0.0, 1e-6);

    l.area(1, 10, 20, 2, 0);
    EXPECT_EQ(drawSmallView(l).messages, QStringList{"Z1Z2"});
    EXPECT_EQ(std::make_pair(v.Y1, v.Y2), std::make_pair(39.f, 39.f));
    EXPECT_FLOAT_EQ(line.areapendent, -0.1f);
    EXPECT_NEAR(line.areaorigen, 3.0, 1e-6);

    l.area(2, 30, 10, 3, 1);
    l.area(3, 40, 10, 5, 0); // not in use: not checked
    l.state.seleccio = 1;
    EXPECT_EQ(drawSmallView(l).messages, QStringList{"Z1Z2"});
    l.area(1, 10, 20, 1, 3);
    l.area(2, 30, 10, 1, 3);
    EXPECT_TRUE(drawSmallView(l).messages.isEmpty());
}

TEST(Areas, SelectionOutOfRangeOnlyClearsTheView)
{
    Layout l;
    for (int n = 1; n <= 3; ++n)
        l.area(n, 10.0 * (n - 1), 10, n, n);
    EXPECT_EQ(countOps(drawSmallView(l).ops, DrawOp::Kind::Line, Picture44), 3);
    for (float odd : {7.0f, -1.0f}) {
        l.state.seleccio = odd;
        l.state.areaLine[1].areahoritzontal = false;
        const Redraw r = drawSmallView(l);
        EXPECT_EQ(std::tuple(countOps(r.ops, DrawOp::Kind::Line, Picture44),
                             countOps(r.ops, DrawOp::Kind::Clear, Picture44), r.captions.size(),
                             l.state.areaLine[1].areahoritzontal),
                  std::tuple(0, 1, 0, false))
            << odd;
    }
    EXPECT_EQ(std::tuple(areasTested(7.0f), areasTested(-1.0f), boxesInUse(-1), boxesInUse(20)),
              std::tuple(3, 0, 0, 16));
}

TEST(Areas, AxisLabelsCarryTheirRounding)
{
    Layout l;
    l.state.offsetmax = 12.34f;
    l.state.alturamax = 2.37f;
    Redraw out;
    PintarAreas(l.in, l.state, l.locale, out);
    QStringList shown;
    for (const char* n :
         {"Label35", "Label37", "Label38", "Label40", "Label36", "Label42", "Label49"})
        shown << out.captions[n];
    EXPECT_EQ(shown.join(' '), "12.34 2.47 4.94 9.88 3.37 0.67 2.68");
}
