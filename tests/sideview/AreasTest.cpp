#include "Layout.h"

#include <gtest/gtest.h>

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

TEST(Areas, SegmentsAndLineDescriptions)
{
    Layout l;
    l.area(1, 10, 20, 1, 3);
    Redraw out = drawSmallView(l);
    const AreaView& v = l.state.areaView[1];
    EXPECT_EQ((std::vector<float>{v.X1, v.Y1, v.X2, v.Y2}), (std::vector<float>{20, 36, 60, 28}));
    EXPECT_FLOAT_EQ(l.state.areaLine[1].areapendent, 0.1f);
    EXPECT_NEAR(l.state.areaLine[1].areaorigen, 0.0, 1e-6);
    EXPECT_TRUE(out.messages.isEmpty());
    ASSERT_GE(out.ops.size(), 8u);
    EXPECT_EQ(out.ops[0], draw::clear(Picture1));
    EXPECT_EQ(out.ops[2], draw::clear(Picture44));
    EXPECT_EQ(out.ops[6], draw::line(Picture33, 20, 36, 60, 28, rgb::Black));
    EXPECT_EQ(out.ops[7], draw::line(Picture44, 20, 36, 60, 28, rgb::Black));

    // Falling to the floor: warned, drawn flat one unit up, described by its real slope.
    l.area(1, 10, 20, 2, 0);
    out = drawSmallView(l);
    EXPECT_EQ(out.messages, QStringList{"Z1Z2"});
    EXPECT_FLOAT_EQ(v.Y1, 39);
    EXPECT_FLOAT_EQ(v.Y2, 39);
    EXPECT_FLOAT_EQ(l.state.areaLine[1].areapendent, -0.1f);
    EXPECT_NEAR(l.state.areaLine[1].areaorigen, 3.0, 1e-6);

    // Zero length is vertical even when level.
    l.area(1, 12, 0, 1, 1);
    drawSmallView(l);
    EXPECT_TRUE(l.state.areaLine[1].areavertical);
    EXPECT_FALSE(l.state.areaLine[1].areahoritzontal);
    EXPECT_FLOAT_EQ(l.state.areaLine[1].areax, 12);
}

TEST(Areas, OneWarningOnlyAndOnlyForAreasInUse)
{
    Layout l;
    l.area(1, 0, 10, 2, 1);
    l.area(2, 10, 10, 3, 1);
    EXPECT_EQ(drawSmallView(l).messages, QStringList{"Z1Z2"});

    // Area 3 falls but is not in use: neither checked nor written.
    l.area(1, 0, 10, 0, 1);
    l.area(2, 10, 10, 1, 3);
    l.area(3, 20, 10, 5, 1);
    l.state.seleccio = 1;
    l.state.areaLine[3].areaz = 42;
    EXPECT_TRUE(drawSmallView(l).messages.isEmpty());
    EXPECT_FLOAT_EQ(l.state.areaLine[3].areaz, 42);
}

TEST(Areas, SelectionDecidesTheAreasDrawnHighestFirst)
{
    Layout l;
    for (int n = 1; n <= 3; ++n)
        l.area(n, 10.0 * (n - 1), 10, n, n);
    Redraw out = drawSmallView(l);
    std::vector<double> starts;
    for (const DrawOp& op : out.ops)
        if (op.kind == DrawOp::Kind::Line && op.surface == Picture33)
            starts.push_back(op.x1);
    EXPECT_EQ(starts, (std::vector<double>{40, 20, 0}));
    EXPECT_EQ(countOps(out.ops, DrawOp::Kind::LineWidth, Picture33), 1);

    // A project file may hold any selection: another one only clears the view.
    for (float odd : {7.0f, -1.0f, -3.0f}) {
        l.state.seleccio = odd;
        l.state.areaLine[1].areahoritzontal = false;
        const Redraw r = drawSmallView(l);
        EXPECT_EQ(countOps(r.ops, DrawOp::Kind::Line, Picture44), 0) << odd;
        EXPECT_EQ(countOps(r.ops, DrawOp::Kind::Clear, Picture44), 1) << odd;
        EXPECT_TRUE(r.captions.isEmpty()) << odd;
        EXPECT_FALSE(l.state.areaLine[1].areahoritzontal) << odd;
    }
    EXPECT_EQ(areasTested(7.0f), 3);
    EXPECT_EQ(areasTested(-1.0f), 0);
    EXPECT_EQ(boxesInUse(-1), 0);
    EXPECT_EQ(boxesInUse(20), 16);
}

TEST(Areas, AxisLabelsCarryTheirRounding)
{
    Layout l;
    l.state.offsetmax = 12.34f;
    l.state.alturamax = 2.37f;
    Redraw out;
    PintarAreas(l.in, l.state, l.locale, out);
    QStringList shown;
    for (const char* n : {"Label35", "Label37", "Label38", "Label39", "Label40", "Label36",
                          "Label42", "Label41", "Label48", "Label49"})
        shown << out.captions[n];
    EXPECT_EQ(shown.join(' '), "12.34 2.47 4.94 7.41 9.88 3.37 0.67 1.34 2.01 2.68");

    // Grouped thousands are read back too; the user's separators are used.
    l.state.offsetmax = 12345;
    out = {};
    PintarAreas(l.in, l.state, l.locale, out);
    EXPECT_EQ(out.captions["Label40"], "9,876.00");
    l.state.offsetmax = 12.34f;
    out = {};
    PintarAreas(l.in, l.state, QLocale(QLocale::German, QLocale::Germany), out);
    EXPECT_EQ(out.captions["Label35"], "12,34");
    EXPECT_EQ(out.captions["Label40"], "9,88");
}
