#include "spl/Bands.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// The power average of a few bands, against the formula written out: equal
// levels average to themselves, a silent band (minus infinity) adds no power
// but counts among the bands, NaN spoils the average, and levels far beyond
// any map go the slow way with the same result.
TEST(PowerAverage, IsTheMeanPowerOfTheBands)
{
    struct Case
    {
        std::vector<float> levels;
        std::vector<double> weights;
        double expected;
    };
    const double half = 10 * std::log10(0.5);
    const Case cases[] = {
        {std::vector<float>(21, 88.5f), std::vector<double>(21, 0.0), 88.5},
        {{-INFINITY, 100}, {0, 0}, 100 + half},
        {{-INFINITY, -INFINITY}, {0, 0}, -INFINITY},
        {{3000, 3000}, {0, 0}, 3000},
        {{-3000, 40}, {0, -1.1}, 38.9 + half},
        {{NAN, 100}, {0, 0}, NAN},
        {{}, {}, NAN},
    };
    for (const Case& c : cases) {
        const double got = spl::powerAverage(c.levels, c.weights);
        SCOPED_TRACE(testing::Message() << c.levels.size() << " bands, expected " << c.expected);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got)) << got;
        else
            EXPECT_FLOAT_EQ(float(got), float(c.expected));
    }
}

// The vectorised powers stay within a few units in the last place of the
// library's power of ten (and the rounding of their exponent), over every
// level a map can hold and beyond; added twice, they are twice the power; a
// silent band adds none.
TEST(PowerAverage, BandPowersAreThePowersOfTen)
{
    std::vector<float> levels;
    for (double L = -3050; L < 3050; L += 0.8125 + 1e-3 * std::abs(L))
        levels.push_back(float(L));
    levels.push_back(-INFINITY); // silent: no power
    for (const double weight : {0.0, -19.1, 1.3}) {
        std::vector<double> sum(levels.size(), 0.0);
        spl::addBandPowers(levels.data(), int(levels.size()), weight, sum.data());
        spl::addBandPowers(levels.data(), int(levels.size()), weight, sum.data());
        for (std::size_t i = 0; i < levels.size(); ++i) {
            const double power = 2 * std::pow(10.0, (double(levels[i]) + weight) / 10);
            const double exponent = std::min(1e3, std::abs(double(levels[i]) + weight) * 0.2303);
            EXPECT_NEAR(sum[i], power, (4 + exponent) * 2.3e-16 * power)
                << levels[i] << " dB weighted " << weight;
        }
    }
}

// The A weights of the 21 bands are the standard's curve at each band's exact
// centre, 1 kHz * 10^(n/10), to the tenth of a decibel the standard prints.
TEST(AWeighting, IsTheStandardCurveAtTheExactCentres)
{
    const auto curve = [](double f) {
        const double f2 = f * f;
        const double ra = std::pow(12194.0, 2) * f2 * f2 /
                          ((f2 + std::pow(20.6, 2)) *
                           std::sqrt((f2 + std::pow(107.7, 2)) * (f2 + std::pow(737.9, 2))) *
                           (f2 + std::pow(12194.0, 2)));
        return 20 * std::log10(ra) + 2.0;
    };
    for (int n = -10; n <= 10; ++n) {
        const int16_t hz = spl::kFrequencies[std::size_t(n + 10)];
        EXPECT_NEAR(spl::aWeighting(hz), curve(1000 * std::pow(10.0, n / 10.0)), 0.05 + 1e-9)
            << hz << " Hz";
    }
    EXPECT_EQ(spl::bandWeight(1250, spl::Weighting::Flat), 0.0);
}
