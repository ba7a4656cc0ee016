#include "spl/MapPainting.h"
#include "sideview/SideView.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <tuple>

using namespace spl;

namespace {

// Rows of a map with the given class counts, 0.5 m high, the top row's centre at `top`.
DistributionRows rowsOf(std::vector<std::array<float, 6>> counts, float top = 9.75f)
{
    DistributionRows d;
    d.rows = static_cast<int>(counts.size());
    d.PasHoritzontal = 0.25f;
    d.resolucioy = 0.5f;
    for (size_t r = 0; r < counts.size(); ++r) {
        d.counts.insert(d.counts.end(), counts[r].begin(), counts[r].end());
        d.rowY.push_back(top - 0.5f * static_cast<float>(r));
    }
    return d;
}

} // namespace

// Segments follow in class order without gaps, each in 256 steps; one reaching
// the edge is cut there, and what follows in the row lies beyond it.
TEST(MapPainting, SegmentsFollowInClassOrderUpToTheEdges)
{
    // 20 m shown across 121.06 units: one cell of 0.25 m is 1.51325 units.
    const std::array<float, 6> counts = {3, 0, 10, 0, 7, 2};
    const auto segs = FerDistribucionsSPL(rowsOf({counts}), MapView{5, 20});
    ASSERT_EQ(segs.size(), 4u);
    float cells = 0;
    for (size_t i = 0; i < segs.size(); ++i) {
        EXPECT_EQ(segs[i].k, (std::array{1, 3, 5, 6}[i]));
        EXPECT_EQ(segs[i].x1, i == 0 ? 0.0f : segs[i - 1].xEnd);
        cells += counts[static_cast<size_t>(segs[i].k - 1)];
        EXPECT_NEAR(segs[i].xEnd, cells * 0.25 * 121.06 / 20, 1e-4);
        EXPECT_FLOAT_EQ(segs[i].s, (segs[i].xEnd - segs[i].x1) / 256);
    }
    // At 2 m shown 10 cells reach 151.3 units, 4 more would pass 178.
    const auto cut = FerDistribucionsSPL(rowsOf({{10, 4, 0, 1, 0, 0}}), MapView{5, 2});
    ASSERT_EQ(cut.size(), 3u);
    EXPECT_NEAR(cut[0].xEnd, 151.325, 1e-3);
    EXPECT_EQ(cut[1].xEnd, 178.0f);
    EXPECT_EQ(std::tuple(cut[2].x1, cut[2].xEnd, cut[2].s), std::tuple(178.0f, 178.0f, 0.0f));

    // Rows are as high as a cell, but the top and last rows reach the edges
    // (alturamax 5: 118 units for 6 m).
    const auto rows = FerDistribucionsSPL(
        rowsOf({{1, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}}), MapView{5, 20});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].y1, 0.0f);
    EXPECT_NEAR(rows[0].y2, 212.4 - 118 * 9.5 / 6, 1e-4);
    EXPECT_NEAR(rows[1].y1, 212.4 - 118 * 9.5 / 6, 1e-4);
    EXPECT_NEAR(rows[1].y2, 212.4 - 118 * 9.0 / 6, 1e-4);
    EXPECT_EQ(rows[2].y2, 212.4f); // the last row, although its centre is at 8.75 m

    // A row reaching below the floor stops at the bottom edge too.
    const auto low =
        FerDistribucionsSPL(rowsOf({{1, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}}, 0.1f), MapView{5, 20});
    EXPECT_EQ(std::tuple(low[0].y2, low[1].y2), std::tuple(212.4f, 212.4f));
}

TEST(MapPainting, AngleComesFromTheTiltAndLabel59)
{
    const QLocale en(QLocale::English, QLocale::UnitedStates), de(QLocale::German);
    EXPECT_DOUBLE_EQ(*rotationAngle("8", "8", en), 0.38);
    EXPECT_DOUBLE_EQ(*rotationAngle("", "12", en), 0.0);
    EXPECT_EQ(rotationAngle("5", "x", en), std::nullopt);
    EXPECT_DOUBLE_EQ(*rotationAngle("2,5", "10", de), 0.095);
}

// Over the map the areas (the selected one thick) and the rays from the first
// one drawn are redrawn in black, in their order.
TEST(MapPainting, AreasAndRaysAreRedrawnInBlackInTheirOrder)
{
    using namespace sideview;
    ProjectState state;
    for (size_t n = 1; n <= 3; ++n)
        state.areaView[n] = {float(n), float(10 * n), float(100 + n), float(110 + n)};
    for (size_t k = 1; k <= 16; ++k)
        state.y1raig[k] = float(k);
    // The start of every black line a redraw puts on the surface, after the line width.
    const auto lines = [&state](auto repaint, int surface, int width) {
        DrawList ops;
        repaint(state, ops);
        std::vector<float> y1;
        EXPECT_EQ(ops.front(), draw::lineWidth(Picture1, width));
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Kind::Line && op.surface == surface) {
                EXPECT_EQ(op.rgb, std::optional<uint32_t>(0));
                y1.push_back(static_cast<float>(op.y1));
            }
        return y1;
    };
    state.seleccio = 2;
    EXPECT_EQ(lines(RepintarAreas, Picture33, 2), (std::vector<float>{30, 20, 10}));
    EXPECT_EQ(lines(RepintarAreas, Picture44, 2), (std::vector<float>{30, 20, 10}));
    state.seleccio = 0;
    EXPECT_EQ(lines(RepintarAreas, Picture44, 2), (std::vector<float>{10}));
    state.numcaixes = 3; // four boxes
    state.primerraig = 2;
    EXPECT_EQ(lines(RepintarRaig, Picture33, 1), (std::vector<float>{1, 2, 3, 4}));
}
