#include "spl/BandAverageModel.h"
#include "spl/BandResponse.h"
#include "spl/Bands.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <span>

namespace {

using spl::Weighting;

/// The band average written out: the levels of each band as that band's
/// model gives them, their powers with the band's weight summed in doubles,
/// the mean's level rounded to a single.
float directAverage(const std::vector<float>& levels, const std::vector<int16_t>& bands,
                    Weighting weighting)
{
    double sum = 0;
    for (std::size_t b = 0; b < bands.size(); ++b)
        sum += std::pow(10.0, (double(levels[b]) + spl::bandWeight(bands[b], weighting)) / 10);
    return static_cast<float>(10 * std::log10(sum / double(bands.size())));
}

bool sameLevel(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

} // namespace

// The averaged grid cell by cell, and the level of points (the probe, the
// level along the areas, the spectrum; none behind the array) with or without
// the turn of the map, against the bands' own levels averaged directly. One
// band, flat, is that band's map, cells and class counts (the centre row's
// included).
TEST(BandAverage, IsThePowerAverageOfTheBandLevels)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> along(-2, 60), height(-1, 20);
    const struct
    {
        spl::BandRange range;
        bool turned;
    } cases[] = {{{125, 8000, Weighting::A}, false},
                 {{100, 10000, Weighting::Flat}, true},
                 {{1000, 1000, Weighting::Flat}, true}};
    for (const spl::LevelModelKind model :
         {spl::LevelModelKind::Classic, spl::LevelModelKind::Coherent})
        for (const auto& [range, turned] : cases) {
            spl::Request request = randomRequest(rng, 1000, 0.5f);
            request.model = model;
            request.bands = range;
            if (turned)
                request.turn = 0.12;
            SCOPED_TRACE(testing::Message() << spl::levelModelName(model) << " " << range.lo << "-"
                                            << range.hi << (turned ? " turned" : ""));
            const std::optional<spl::Result> average = spl::levelModel(request)->grid(2);
            ASSERT_TRUE(average);
            const std::vector<int16_t> bands = spl::bandsOf(range);
            std::vector<float> X(40), Y(40), levels(40);
            for (std::size_t i = 0; i < X.size(); ++i) {
                X[i] = i < 3 ? -0.5f * float(i) : along(rng);
                Y[i] = height(rng);
            }
            spl::levelModel(request)->levelsAt(X, Y, levels);
            std::vector<spl::Result> grids;
            std::vector<std::vector<float>> points(bands.size(), std::vector<float>(X.size()));
            for (std::size_t b = 0; b < bands.size(); ++b) {
                const auto band = spl::levelModel(spl::bandRequest(request, bands[b]));
                grids.push_back(*band->grid(1));
                band->levelsAt(X, Y, points[b]);
                ASSERT_EQ(grids.back().spl.size(), average->spl.size());
            }

            // Levels against the direct average of the bands' levels of(b, i).
            std::vector<float> at(bands.size());
            const auto expectAverages = [&](std::span<const float> got, auto of) {
                int differing = 0;
                for (std::size_t i = 0; i < got.size(); ++i) {
                    for (std::size_t b = 0; b < bands.size(); ++b)
                        at[b] = of(b, i);
                    const float expected = directAverage(at, bands, range.weighting);
                    if (!sameLevel(got[i], expected) && differing++ < 3)
                        ADD_FAILURE() << i << ": " << got[i] << " instead of " << expected;
                }
                EXPECT_EQ(differing, 0);
            };
            expectAverages(average->spl,
                           [&](std::size_t b, std::size_t i) { return grids[b].spl[i]; });
            expectAverages(levels, [&](std::size_t b, std::size_t i) { return points[b][i]; });
            // The spectrum at a point: every band's level there, both averages.
            for (std::size_t i = 0; bands.size() == 21 && i < 8; ++i) {
                const spl::BandResponse s = spl::bandResponseAt(request, X[i], Y[i]);
                for (std::size_t b = 0; b < bands.size(); ++b)
                    EXPECT_TRUE(sameLevel(s.levels[b], at[b] = points[b][i])) << b;
                EXPECT_TRUE(
                    sameLevel(float(s.averageFlat), directAverage(at, bands, Weighting::Flat)));
                EXPECT_TRUE(sameLevel(float(s.averageA), directAverage(at, bands, Weighting::A)));
            }
            EXPECT_TRUE(bands.size() > 1 || average->distribucio == grids[0].distribucio);
        }
}
