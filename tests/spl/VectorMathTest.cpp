#include "spl/VectorMath.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

/// sin and cos of t pi / 2 in long double: t split exactly into a whole number
/// of quarter turns and a remainder, whose angle is small enough for sinl.
std::array<long double, 2> quarterTurns(double t)
{
    const double n = std::nearbyint(t);
    const long double a = static_cast<long double>(t - n) * M_PIl / 2;
    const long double s = std::sin(a), c = std::cos(a);
    const std::array<long double, 2> turns[] = {{s, c}, {c, -s}, {-s, -c}, {-c, s}};
    return turns[static_cast<long long>(n) & 3];
}

/// sin(pi t) / (pi t) in long double, split the same way into half turns.
long double sincPiReference(double t)
{
    const double n = std::nearbyint(t);
    const long double s = std::sin(static_cast<long double>(t - n) * M_PIl);
    const long double sign = static_cast<long long>(n) % 2 == 0 ? 1 : -1;
    return sign * s / (static_cast<long double>(t) * M_PIl);
}

} // namespace

// The level model's nulls amplify any error of the elementary functions: they
// must stay within a few units of 1e-16 of exact values, and relatively so
// beside the zeros of sin and of the arc terms' element factor sin(pi t) / (pi t)
// (even, 1 at 0, exactly 0 on whole half turns).
TEST(VectorMath, ElementaryFunctionsOverTheArgumentsOfTheModel)
{
    std::mt19937_64 rng(3);
    double worstSin = 0, worstCos = 0, worstSinc = 0, worstSincPi = 0;
    for (double range : {1.0, 4.0, 100.0, 1e4, spl::vmath::kTrigLimit})
        for (int i = 0; i < 20000; ++i) {
            const double x = std::uniform_real_distribution<>(-range, range)(rng);
            worstSin = std::max(worstSin, std::abs(spl::vmath::sin(x) - std::sin(x)));
            const double t = x / (M_PI / 2); // the same size of angle in quarter turns
            const auto [refSin, refCos] = quarterTurns(t);
            double s, c;
            spl::vmath::sincosQuarterTurns(t, s, c);
            worstSin = std::max(worstSin, double(std::abs(s - refSin)));
            worstCos = std::max(worstCos, double(std::abs(c - refCos)));
            const double z = std::fmod(x, spl::vmath::kSincLimit);
            worstSinc = std::max(worstSinc, std::abs(spl::vmath::sinc(z) - std::sin(z) / z));
            const double h = std::fmod(x, 1e3);
            const double e = spl::vmath::sincPi(h);
            worstSincPi = std::max(worstSincPi, double(std::abs(e - sincPiReference(h))));
            EXPECT_EQ(e, spl::vmath::sincPi(-h)) << h;
            const double y = std::exp(std::uniform_real_distribution<>(-30, 30)(rng));
            EXPECT_NEAR(spl::vmath::atanPositive(y), std::atan(y), 3e-16 * std::atan(y)) << y;
            EXPECT_NEAR(spl::vmath::logNormal(y), std::log(y),
                        2e-16 * std::max(1.0, std::abs(std::log(y))))
                << y;
        }
    EXPECT_LT(std::max(worstSin, worstCos), 1e-15);
    EXPECT_LT(std::max(worstSinc, worstSincPi), 5e-16);
    for (int k = 1; k < 2000; k += 7) {
        EXPECT_NEAR(spl::vmath::sin(k * M_PI + 1e-7) / std::sin(k * M_PI + 1e-7), 1.0, 1e-8) << k;
        EXPECT_EQ(spl::vmath::sincPi(k), 0.0) << k;
        const double t = k + 1e-9;
        EXPECT_NEAR(spl::vmath::sincPi(t) / double(sincPiReference(t)), 1.0, 1e-12) << k;
    }
    EXPECT_EQ(std::pair(spl::vmath::sinc(0.0), spl::vmath::sincPi(0.0)), std::pair(1.0, 1.0));
    EXPECT_EQ(spl::vmath::logNormal(1.0), 0.0);
    EXPECT_NEAR(spl::vmath::logNormal(DBL_MIN), std::log(DBL_MIN), 1e-13);
    EXPECT_NEAR(spl::vmath::logNormal(DBL_MAX), std::log(DBL_MAX), 1e-13);
}
