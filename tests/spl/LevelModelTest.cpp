#include "spl/LevelModel.h"
#include "RandomProjects.h"
#include "project/ProjectDocument.h"
#include "spl/AreaLevels.h"
#include "spl/Grid.h"
#include "spl/RequestFromProject.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

/// Whether two levels are the same single, bit for bit (NaN equal to NaN).
bool sameLevel(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

float levelAt(const spl::LevelModel& model, float X, float Y)
{
    float L = 0;
    model.levelsAt({&X, 1}, {&Y, 1}, {&L, 1});
    return L;
}

/// The point of the plane (m) where the turned map shows the point (X, Y) of
/// the unturned one: its pixel of the turned picture (at that picture's
/// scale) carried onto the parallelogram of the turn's corners, as the
/// painting copies the picture, then read at Picture44's scale.
std::array<double, 2> shownAt(const spl::MapPlacement& p, double X, double Y)
{
    const spl::MapView& v = p.view;
    const spl::OverlayPixels &o = p.overlay, &t = p.turned;
    const double sx = X * v.SW1 / v.offsetmax * t.width / t.scaleWidth;
    const double sy = (v.SH44 - v.SH1 * Y / (v.alturamax + 1)) * t.height / t.scaleHeight;
    const auto& P = *p.corners;
    const double px = P[0].x + sx / t.width * (P[1].x - P[0].x) + sy / t.height * (P[2].x - P[0].x);
    const double py = P[0].y + sx / t.width * (P[1].y - P[0].y) + sy / t.height * (P[2].y - P[0].y);
    const double x44 = px * o.scaleWidth / o.width, y44 = py * o.scaleHeight / o.height;
    return {x44 * v.offsetmax / v.SW1, (v.SH44 - y44) * (v.alturamax + 1) / v.SH1};
}

HeadlessProject demo()
{
    return loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini"), QLocale::c());
}

} // namespace

TEST(LevelClasses, UpperBoundsAreInclusive)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int> cases[] = {{inf, 1},      {120.0001f, 1}, {120, 2}, {110.0001f, 2},
                                           {110, 3},      {105, 4},       {100, 5}, {95, 5},
                                           {94.9999f, 6}, {-inf, 6}};
    for (const auto& [level, k] : cases)
        EXPECT_EQ(spl::levelClass(level), k) << level;
}

// On a map that is not turned, a point at a cell's centre gets exactly the
// cell's level, whatever the cell is (near field, border, far, on axis,
// straight or curved array); points at or behind the array plane get none.
// Every row and the columns around the near-field limit are checked, and a
// spread of others.
TEST(LevelModel, UnturnedCellCentreGetsTheCellsLevel)
{
    std::mt19937 rng(14);
    const int16_t bands[] = {100, 1000, 4000, 10000};
    for (int project = 0; project < 24; ++project) {
        const int16_t hz = bands[project % 4];
        const spl::Request request = randomRequest(rng, hz, project % 3 == 0 ? 0.1f : 0.3f);
        SCOPED_TRACE(testing::Message() << "project " << project << " at " << hz << " Hz");
        const auto model = spl::levelModel(request);
        ASSERT_FALSE(model->refused());
        ASSERT_FALSE(model->placement().corners);
        const std::optional<spl::Result> result = model->grid(1);
        ASSERT_TRUE(result);
        const spl::Result& g = *result;
        const int limit = int(g.distanciaborder / g.PasHoritzontal);
        std::vector<int> columns = {1, 2, limit - 1, limit, limit + 1, limit + 2};
        for (int c = 3; c <= g.ParticionsXmapa; c += 97)
            columns.push_back(c);
        std::vector<float> X = {0.0f, -1.0f}, Y = {g.rowY[0], g.rowY[0]};
        std::vector<float> expected(2, std::numeric_limits<float>::quiet_NaN());
        for (int r = 1; r <= g.PartYFarField; ++r)
            for (int c : columns)
                if (c >= 1 && c <= g.ParticionsXmapa) {
                    X.push_back(g.MatriuX(r, c));
                    Y.push_back(g.MatriuY(r, c));
                    expected.push_back(g.MatriuSPL(r, c));
                }
        std::vector<float> levels(X.size());
        model->levelsAt(X, Y, levels);
        int differing = 0;
        for (std::size_t i = 0; i < X.size(); ++i)
            if (!sameLevel(levels[i], expected[i]) && differing++ < 3)
                ADD_FAILURE() << "at X " << X[i] << " Y " << Y[i] << ": " << levels[i]
                              << " instead of " << expected[i];
        EXPECT_EQ(differing, 0);
    }
}

// The demo's map (1000 Hz, 1 m rows) is turned by the 5 degrees of box 1.
// Where it shows the centre of a cell, the level along an area through that
// point and the probe both read the cell's level; without the turn the
// levels along the areas would be those of other points.
TEST(LevelModel, TheTurnedMapIsReadWhereItIsShown)
{
    const HeadlessProject project = demo();
    ASSERT_TRUE(project.document);
    const spl::Request request = spl::requestFromDocument(*project.document, {1000, "1"});
    const auto model = spl::levelModel(request);
    const spl::MapPlacement& placement = model->placement();
    ASSERT_TRUE(placement.corners);
    const std::optional<spl::Result> g = model->grid(1);
    ASSERT_TRUE(g);
    spl::Request unturned = request;
    unturned.turn.reset();
    const auto plain = spl::levelModel(unturned);

    int moved = 0, checked = 0;
    for (int r = g->FilesSobre - 6; r <= g->PartYFarField; r += 2)
        for (const double distance : {2.0, 4.0, 9.5, 15.0, 28.5, 40.0}) {
            const int c = int(distance / g->PasHoritzontal) + 1;
            const auto [X, Y] = shownAt(placement, g->MatriuX(r, c), g->MatriuY(r, c));
            if (!(X > 0) || !(Y > 0))
                continue;
            const float cell = g->MatriuSPL(r, c);
            SCOPED_TRACE(testing::Message()
                         << "cell " << r << "," << c << " at " << X << ", " << Y);
            const spl::AreaSegment area{1, float(X), 0, float(Y), float(Y)};
            const spl::AreaLevels plot = spl::areaLevels(request, {&area, 1}, 0);
            EXPECT_NEAR(plot.areas[0].points[0].level, cell, 0.01);
            const double x44 = X * placement.view.SW1 / placement.view.offsetmax;
            const double y44 =
                placement.view.SH44 - placement.view.SH1 * Y / (placement.view.alturamax + 1.0);
            EXPECT_EQ(spl::levelUnder(*g, placement, x44, y44), cell);
            moved += std::abs(levelAt(*plain, float(X), float(Y)) - cell) > 0.5f;
            ++checked;
        }
    EXPECT_GT(checked, 30);
    EXPECT_GT(moved, checked / 4);
}

// The tilt of box 1 turns the map, and so the levels along the areas: the
// plot's table changes with it (in the model's own frame it would not).
TEST(LevelModel, TheTiltOfBoxOneMovesTheLevelsAlongTheAreas)
{
    const HeadlessProject project = demo();
    ASSERT_TRUE(project.document);
    const ProjectDocument& doc = *project.document;
    ProjectFields fields = doc.fields();
    const auto areas = spl::areasInUse(fields, doc.state(), doc.locale());
    std::vector<spl::LevelStats> turned, own;
    for (const char* tilt : {"0", "5", "12"}) {
        fields.Combo3[1] = tilt;
        spl::Request request =
            spl::requestFromProject(fields, doc.state(), doc.locale(), {1000, "1"});
        ASSERT_TRUE(request.turn);
        turned.push_back(spl::areaLevels(request, areas, 1.2).overall);
        request.turn.reset();
        own.push_back(spl::areaLevels(request, areas, 1.2).overall);
    }
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_NE(turned[i].max, turned[i - 1].max) << i;
        EXPECT_NE(turned[i].deviation, turned[i - 1].deviation) << i;
        EXPECT_EQ(own[i].deviation, own[0].deviation) << i;
    }
}
