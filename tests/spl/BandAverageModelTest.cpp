#include "spl/BandAverageModel.h"
#include "spl/Bands.h"
#include "spl/Grid.h"
#include "spl/MapTurn.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

using spl::LevelModelKind;
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

spl::Request bandsRequest(std::mt19937& rng, LevelModelKind model, spl::BandRange range,
                          float resolution)
{
    spl::Request r = randomRequest(rng, 1000, resolution);
    r.model = model;
    r.bands = range;
    return r;
}

const LevelModelKind kModels[] = {LevelModelKind::Classic, LevelModelKind::Coherent};

} // namespace

// The averaged grid, cell by cell, against the bands' grids averaged
// directly, and its class counts against its own cells (the centre row
// counted with the row below it, as the map shows it). One band, flat, is
// that band's map, cells and counts.
TEST(BandAverage, GridIsThePowerAverageOfTheBandGrids)
{
    std::mt19937 rng(7);
    const spl::BandRange ranges[] = {
        {125, 8000, Weighting::A}, {100, 10000, Weighting::Flat}, {1000, 1250, Weighting::A}};
    for (const LevelModelKind model : kModels)
        for (const spl::BandRange& range : ranges) {
            const spl::Request request = bandsRequest(rng, model, range, 0.5f);
            SCOPED_TRACE(testing::Message()
                         << spl::levelModelName(model) << " " << range.lo << "-" << range.hi);
            const std::optional<spl::Result> average = spl::levelModel(request)->grid(2);
            ASSERT_TRUE(average);
            const std::vector<int16_t> bands = spl::bandsOf(range);
            std::vector<spl::Result> grids;
            for (const int16_t hz : bands) {
                grids.push_back(*spl::levelModel(spl::bandRequest(request, hz))->grid(1));
                ASSERT_EQ(grids.back().spl.size(), average->spl.size());
            }
            int differing = 0;
            std::vector<float> levels(bands.size());
            for (std::size_t i = 0; i < average->spl.size(); ++i) {
                for (std::size_t b = 0; b < bands.size(); ++b)
                    levels[b] = grids[b].spl[i];
                const float expected = directAverage(levels, bands, range.weighting);
                if (!sameLevel(average->spl[i], expected) && differing++ < 3)
                    ADD_FAILURE() << "cell " << i << ": " << average->spl[i] << " instead of "
                                  << expected;
            }
            EXPECT_EQ(differing, 0);
            EXPECT_EQ(average->bands, request.bands);
            if (bands.size() == 1 && range.weighting == Weighting::Flat) {
                EXPECT_EQ(0, std::memcmp(average->spl.data(), grids[0].spl.data(),
                                         grids[0].spl.size() * sizeof(float)));
                EXPECT_EQ(average->distribucio, grids[0].distribucio);
            }

            const spl::Result& g = *average;
            for (int r = 1; r <= g.PartYFarField; ++r) {
                const bool centre = r == g.FilesSobre + 1 && g.FilesSota >= 2;
                std::vector<float> counts(spl::kClasses, 0.0f);
                for (int c = 1; c <= g.ParticionsXmapa; ++c)
                    counts[std::size_t(spl::levelClass(g.MatriuSPL(centre ? r + 1 : r, c)) - 1)]++;
                for (int k = 1; k <= spl::kClasses; ++k)
                    ASSERT_EQ(g.MatriuDistribucio(r, k), counts[std::size_t(k - 1)])
                        << "row " << r << " class " << k;
            }
        }
}

// The level of a point (the probe, the level along the areas) is the power
// average of the levels each band's model gives it, with or without the turn
// of the map; points behind the array have none.
TEST(BandAverage, PointLevelIsThePowerSumOfItsBandLevels)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> along(-2, 60), height(-1, 20);
    for (const LevelModelKind model : kModels)
        for (const Weighting weighting : {Weighting::Flat, Weighting::A})
            for (const bool turned : {false, true}) {
                spl::Request request = bandsRequest(rng, model, {160, 6300, weighting}, 0.3f);
                if (turned)
                    request.turn = 0.12;
                SCOPED_TRACE(testing::Message()
                             << spl::levelModelName(model) << (turned ? " turned" : "")
                             << (weighting == Weighting::A ? " A" : " flat"));
                std::vector<float> X(40), Y(40), levels(40);
                for (std::size_t i = 0; i < X.size(); ++i) {
                    X[i] = i < 3 ? -0.5f * float(i) : along(rng);
                    Y[i] = height(rng);
                }
                spl::levelModel(request)->levelsAt(X, Y, levels);
                const std::vector<int16_t> bands = spl::bandsOf(*request.bands);
                std::vector<std::vector<float>> perBand(bands.size(), std::vector<float>(X.size()));
                for (std::size_t b = 0; b < bands.size(); ++b)
                    spl::levelModel(spl::bandRequest(request, bands[b]))
                        ->levelsAt(X, Y, perBand[b]);
                int behind = 0;
                for (std::size_t i = 0; i < X.size(); ++i) {
                    std::vector<float> at(bands.size());
                    for (std::size_t b = 0; b < bands.size(); ++b)
                        at[b] = perBand[b][i];
                    const float expected = directAverage(at, bands, weighting);
                    behind += std::isnan(expected);
                    EXPECT_TRUE(sameLevel(levels[i], expected))
                        << X[i] << ", " << Y[i] << ": " << levels[i] << " instead of " << expected;
                }
                EXPECT_GE(behind, turned ? 0 : 3);
                EXPECT_LT(behind, 20);
            }
}
