#include "mechanical/Mechanical.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace mechanical;

namespace {

const QLocale point(QLocale::English, QLocale::UnitedStates);
const QLocale comma(QLocale::German, QLocale::Germany);

// Cumulative angles from splay angles, as the main window keeps them.
void setSplays(ProjectState& s, const std::vector<double>& splays)
{
    double sum = 0;
    for (int k = 1; k <= 16; ++k) {
        if (k <= static_cast<int>(splays.size()))
            sum += splays[k - 1];
        s.box[k] = BoxValue::number(sum);
    }
}

struct Corner
{
    double x, y;
};
Corner corner(const ProjectState& s, int k, int c)
{
    const OneBased<float, 16>* xs[] = {&s.x1, &s.x2, &s.x3, &s.x4};
    const OneBased<float, 16>* ys[] = {&s.y1, &s.y2, &s.y3, &s.y4};
    return {(*xs[c - 1])[k], (*ys[c - 1])[k]};
}
double distance(Corner a, Corner b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}
// Direction of the edge a -> b in degrees, clockwise from straight down in
// window coordinates (y downwards): a box front hanging plumb points at 0.
double direction(Corner a, Corner b)
{
    return std::atan2(a.x - b.x, b.y - a.y) * 180.0 / std::numbers::pi;
}

} // namespace

TEST(MechanicalCorners, OneUntiltedBoxHangsFromTheFixedPoint)
{
    ProjectState s; // TS250, one box, all angles 0
    computeCorners(s, point);
    EXPECT_FLOAT_EQ(s.x1[1], 2.9f);
    EXPECT_FLOAT_EQ(s.y1[1], 0.5f);
    EXPECT_FLOAT_EQ(s.x2[1], 2.9f);
    EXPECT_FLOAT_EQ(s.y2[1], 0.814f);
    EXPECT_NEAR(s.x3[1], 2.3291, 5e-5);
    EXPECT_NEAR(s.y3[1], 0.7791, 5e-5);
    EXPECT_NEAR(s.x4[1], 2.3291, 5e-5);
    EXPECT_NEAR(s.y4[1], 0.5291, 5e-5);
    EXPECT_FLOAT_EQ(s.x4[1], s.x3[1]);
}

TEST(MechanicalCorners, EveryBoxKeepsItsShapeAndHangsFromTheOneAbove)
{
    for (int model : {0, 1}) {
        ProjectState s;
        s.applyModel(model);
        const double h = s.alturaunacaixa, d = s.ampladaunacaixa, t = s.traseraunacaixa;
        const double w = s.angleunacaixa;
        setSplays(s, {4, 0.5, 1, 1.5, 2, 3, 4, 5, 6, 8, 0, 2, 7, 1, 3, 6});
        computeCorners(s, point);

        for (int k = 1; k <= 16; ++k) {
            const double theta = s.box[k].toDouble(point);
            SCOPED_TRACE(testing::Message() << "model " << model << " box " << k);
            if (k > 1) {
                EXPECT_EQ(s.x1[k], s.x2[k - 1]);
                EXPECT_EQ(s.y1[k], s.y2[k - 1]);
            }
            EXPECT_NEAR(distance(corner(s, k, 1), corner(s, k, 2)), h, 1e-5);
            EXPECT_NEAR(distance(corner(s, k, 2), corner(s, k, 3)), d, 1e-5);
            EXPECT_NEAR(distance(corner(s, k, 3), corner(s, k, 4)), t, 1e-5);
            // The front leans back at the bottom by the cumulative angle; the
            // rear runs parallel to it; the bottom meets the front at 90 + w.
            EXPECT_NEAR(direction(corner(s, k, 1), corner(s, k, 2)), theta, 2e-3);
            EXPECT_NEAR(direction(corner(s, k, 4), corner(s, k, 3)), theta, 5e-3);
            EXPECT_NEAR(direction(corner(s, k, 2), corner(s, k, 3)), theta + 90 + w, 2e-3);
        }
        // The fronts of a curved array reach down and back from the hanging point.
        EXPECT_LT(s.x2[16], s.x1[1]);
        EXPECT_GT(s.y2[16], s.y1[1]);
    }
}

TEST(MechanicalView, RowsAndOutlinesFollowTheBoxesInUseWhileAllCornersAreWritten)
{
    ProjectState s;
    s.numcaixes = 2; // three boxes
    setSplays(s, {3, 1.5, 2, 4});
    s.box[1] = BoxValue::text("3"); // box 1 keeps its field's text
    const QStringList angles = {"3", "1,5", "2", "4", "0"};

    const View v = PintarMecanic(angles, s, comma);

    ASSERT_EQ(v.rows.size(), 3u);
    EXPECT_EQ(v.rows[0].splay, "3");
    EXPECT_EQ(v.rows[0].cumulative, "3");
    EXPECT_EQ(v.rows[1].splay, "1,5");
    EXPECT_EQ(v.rows[1].cumulative, "4,5");
    EXPECT_EQ(v.rows[2].cumulative, "6,5");
    EXPECT_EQ(v.modelKey, QString("TS250"));

    // A clear, then four edges for each of the three boxes, closing on corner 1.
    ASSERT_EQ(v.ops.size(), 1u + 3 * 4);
    EXPECT_EQ(v.ops[0], draw::clear(kSurface));
    EXPECT_EQ(v.ops[1], draw::line(kSurface, s.x1[1], s.y1[1], s.x2[1], s.y2[1]));
    EXPECT_EQ(v.ops[12], draw::line(kSurface, s.x4[3], s.y4[3], s.x1[3], s.y1[3]));

    // Boxes beyond the third still get corners, following on at their own angles.
    EXPECT_EQ(s.x1[4], s.x2[3]);
    EXPECT_NEAR(direction(corner(s, 4, 1), corner(s, 4, 2)), 10.5, 2e-3);
    EXPECT_NEAR(direction(corner(s, 16, 1), corner(s, 16, 2)), 10.5, 2e-3);
    EXPECT_NE(s.x4[16], 0.0f);
}
