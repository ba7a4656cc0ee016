#include "spl/ArrayGeometry.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

/// Eight TS250 boxes hanging straight from 10 m, at 1000 Hz.
spl::FresnelSource eightBoxes()
{
    spl::FresnelSource s;
    s.T = 10;
    s.B = 10 - double(2.512f);
    s.yc = float(10 - 2.512f / 2.0);
    s.landamig = spl::landamigFor(345, 1000);
    s.d2 = 0.572f;
    s.Nb = 8;
    s.pot = 1000;
    s.modelcaixa = 0;
    return s;
}

float levelOf(double boxes)
{
    return spl::CalcularSPLInicial(1000, boxes, 0);
}

} // namespace

TEST(Fresnel, CountsTheBoxesOfTheZone)
{
    const spl::FresnelSource s = eightBoxes();
    const float X = 0.093f; // a zone smaller than the source
    const double r = std::sqrt((s.landamig + 2.0 * X) * s.landamig);
    EXPECT_FLOAT_EQ(spl::CalcularcaixesFresnel(s, X, s.yc), levelOf(2 * r / s.d2));
    // Near an end of the source only the part of the zone on it counts.
    const float nearTop = 9.9f;
    EXPECT_FLOAT_EQ(spl::CalcularcaixesFresnel(s, X, nearTop),
                    levelOf((s.T - (nearTop - r)) / s.d2));
    // Above or below the source there is no box in the zone: 0 dB.
    EXPECT_EQ(spl::CalcularcaixesFresnel(s, X, 10.5f), 0.0f);
    EXPECT_EQ(spl::CalcularcaixesFresnel(s, X, 7.0f), 0.0f);
    // Far enough, the zone covers the whole source, centred or not: all eight boxes.
    EXPECT_NEAR(spl::CalcularcaixesFresnel(s, 300, s.yc), 143.03, 0.005);
    EXPECT_FLOAT_EQ(spl::CalcularcaixesFresnel(s, 200, 9.5f), levelOf(8));
}

TEST(LevelClasses, UpperBoundsAreInclusive)
{
    EXPECT_EQ(spl::levelClass(120.0001f), 1);
    EXPECT_EQ(spl::levelClass(120), 2);
    EXPECT_EQ(spl::levelClass(110.0001f), 2);
    EXPECT_EQ(spl::levelClass(110), 3);
    EXPECT_EQ(spl::levelClass(105), 4);
    EXPECT_EQ(spl::levelClass(100), 5);
    EXPECT_EQ(spl::levelClass(95), 5);
    EXPECT_EQ(spl::levelClass(94.9999f), 6);
    EXPECT_EQ(spl::levelClass(-std::numeric_limits<float>::infinity()), 6);
    EXPECT_EQ(spl::levelClass(std::numeric_limits<float>::infinity()), 1);
}
