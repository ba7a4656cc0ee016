#include "mechanical/Mechanical.h"

#include <QLineF>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace mechanical;

namespace {

const QLocale point(QLocale::English, QLocale::UnitedStates);

// Corners 1 to 4 of box k, by their numbers (element 0 is unused).
std::array<QPointF, 5> corners(const ProjectState& s, int k)
{
    return {
        QPointF(), {s.x1[k], s.y1[k]}, {s.x2[k], s.y2[k]}, {s.x3[k], s.y3[k]}, {s.x4[k], s.y4[k]}};
}
// Direction of the edge a -> b in degrees, clockwise from straight down in
// window coordinates (y downwards): a box front hanging plumb points at 0.
double direction(QPointF a, QPointF b)
{
    return std::atan2(a.x() - b.x(), b.y() - a.y()) * 180.0 / std::numbers::pi;
}

} // namespace

TEST(MechanicalCorners, EveryBoxKeepsItsShapeAndHangsFromTheOneAbove)
{
    ProjectState plumb; // TS250, one box, all angles 0: its front hangs from the fixed point
    computeCorners(plumb, plumb, point);
    EXPECT_EQ(std::vector<float>({plumb.x1[1], plumb.y1[1], plumb.x2[1], plumb.y2[1]}),
              std::vector<float>({2.9f, 0.5f, 2.9f, 0.814f}));

    const double splays[] = {4, 0.5, 1, 1.5, 2, 3, 4, 5, 6, 8, 0, 2, 7, 1, 3, 6};
    for (int model : {0, 1}) {
        ProjectState s;
        s.applyModel(model);
        double sum = 0;
        for (int k = 1; k <= 16; ++k)
            s.box[k] = BoxValue::number(sum += splays[k - 1]);
        computeCorners(s, s, point);

        for (int k = 1; k <= 16; ++k) {
            SCOPED_TRACE(testing::Message() << "model " << model << " box " << k);
            const auto c = corners(s, k);
            const double theta = s.box[k].toDouble(point);
            if (k > 1) {
                EXPECT_EQ(c[1], corners(s, k - 1)[2]);
            }
            EXPECT_NEAR(QLineF(c[1], c[2]).length(), s.alturaunacaixa, 1e-5);
            EXPECT_NEAR(QLineF(c[2], c[3]).length(), s.ampladaunacaixa, 1e-5);
            EXPECT_NEAR(QLineF(c[3], c[4]).length(), s.traseraunacaixa, 1e-5);
            // The front leans back at the bottom by the cumulative angle; the
            // rear runs parallel to it; the bottom meets the front at 90 + w.
            EXPECT_NEAR(direction(c[1], c[2]), theta, 2e-3);
            EXPECT_NEAR(direction(c[4], c[3]), theta, 5e-3);
            EXPECT_NEAR(direction(c[2], c[3]), theta + 90 + s.angleunacaixa, 2e-3);
        }
    }
}
