#include "analysis/Autosplay.h"
#include "analysis/AutosplaySearch.h"
#include "spl/Bands.h"
#include "spl/LevelModel.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

using spl::AreaSegment;
using spl::AutosplayOptions;

/// N boxes of a model hanging from `T` m with the angle numbers `angles`.
spl::Request array(int N, bool ts160, std::vector<double> angles, double T = 8)
{
    spl::Request r;
    r.model = spl::LevelModelKind::Coherent;
    r.modelcaixa = ts160 ? 1 : 0;
    r.pot = spl::potFor(r.modelcaixa);
    r.alturaunacaixa = ts160 ? 0.181f : 0.314f;
    r.N = N;
    for (std::size_t j = 0; j < angles.size(); ++j)
        r.angle[j + 1] = angles[j];
    r.T = T;
    r.alturamax = float(T) + 2;
    r.offsetmax = 100;
    return r;
}

/// The listening points of `areas` in front of the array.
struct Points
{
    std::vector<double> X, Y;
    Points(const std::vector<AreaSegment>& areas, double height)
    {
        for (const AreaSegment& area : areas)
            for (const spl::AreaPoint& p : spl::areaPoints(area, height))
                if (p.distance > 0) {
                    X.push_back(p.distance);
                    Y.push_back(p.height);
                }
    }
};

/// The evaluator of `request` at the points of `areas` under `options`.
spl::AutosplayEvaluator evaluator(const spl::Request& request,
                                  const std::vector<AreaSegment>& areas,
                                  const AutosplayOptions& options)
{
    const Points p(areas, options.listeningHeight);
    const std::vector<int16_t> bands = spl::bandsOf(options.bands);
    std::vector<double> weights;
    for (const int16_t hz : bands)
        weights.push_back(spl::bandWeight(hz, options.bands.weighting));
    return {request, p.X, p.Y, spl::targetLevels(p.X, options.slope), bands, weights};
}

/// The model's level at the points of `areas` for `request`, averaged over
/// `options`' bands, read through levelsAt: (distance, level).
std::vector<std::pair<double, double>> modelLevels(spl::Request request,
                                                   const std::vector<AreaSegment>& areas,
                                                   const AutosplayOptions& options)
{
    request.bands = options.bands;
    const Points p(areas, options.listeningHeight);
    std::vector<float> X(p.X.begin(), p.X.end()), Y(p.Y.begin(), p.Y.end()), L(X.size());
    spl::levelModel(request)->levelsAt(X, Y, L);
    std::vector<std::pair<double, double>> out;
    for (std::size_t i = 0; i < L.size(); ++i)
        out.emplace_back(X[i], L[i]);
    return out;
}

/// J written out from the levels: the deviation of L + s log2(x / x0).
double objective(const std::vector<std::pair<double, double>>& levels, double slope)
{
    double x0 = levels.front().first;
    for (const auto& [x, L] : levels)
        x0 = std::min(x0, x);
    double sum = 0, squares = 0;
    for (const auto& [x, L] : levels)
        sum += L + slope * std::log2(x / x0);
    const double mean = sum / double(levels.size());
    for (const auto& [x, L] : levels)
        squares += std::pow(L + slope * std::log2(x / x0) - mean, 2);
    return std::sqrt(squares / double(levels.size()));
}

} // namespace

// The incremental evaluation gives the model's own levels, and a set scored
// from box j on, with boxes before it committed, scores as one scored whole.
TEST(Autosplay, TheEvaluatorGivesTheModelsLevels)
{
    struct Case
    {
        spl::Request request;
        std::vector<AreaSegment> areas;
        AutosplayOptions options;
        std::vector<double> other; ///< a set differing from the request's from box 3 on
    };
    const std::vector<Case> cases = {
        {array(3, false, {2, 1, 3}), {{1, 2, 20, 0, 1}}, {}, {2, 1, 6}},
        {array(8, true, {5, 0, 1, 2, 3, 4, 6, 8}, 6),
         {{1, 1, 15, 0, 2}, {2, 16, 10, 2, 4}},
         {{100, 10000, spl::Weighting::A}, 3, 0},
         {5, 0, 8, 0, 8, 0, 8, 0}},
        {array(16, false, {0, 0, 0.5, 0.5, 1, 1, 1.5, 2, 2, 3, 3, 4, 4, 5, 6, 6}, 14),
         {{1, -3, 60, 0, 5}},
         {{250, 8000, spl::Weighting::Flat}, 6, 0},
         {0, 0, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.N);
        spl::AutosplayEvaluator eval = evaluator(c.request, c.areas, c.options);
        std::vector<double> angles(c.request.angle.begin(), c.request.angle.begin() + c.request.N);
        const auto expected = modelLevels(c.request, c.areas, c.options);
        const std::vector<double> levels = eval.levels(angles);
        ASSERT_EQ(levels.size(), expected.size());
        for (std::size_t i = 0; i < levels.size(); ++i)
            ASSERT_NEAR(levels[i], expected[i].second, 1e-4) << expected[i].first;

        auto scratch = eval.scratch();
        eval.commit(angles);
        const double whole = eval.score(c.other, 1, scratch);
        EXPECT_NEAR(eval.score(angles, 1, scratch), objective(expected, c.options.slope), 1e-4);
        eval.commit(c.other, 3);
        EXPECT_NEAR(eval.score(c.other, 3, scratch), whole, 1e-9);
        EXPECT_NEAR(eval.score(c.other, c.request.N, scratch), whole, 1e-9);
    }
}

// The proposal against what a user could pick by hand: never worse than the
// current angles (when they are choices) nor than any constant arc, and for
// small arrays as good as the best of all sets (each scored by the model
// itself); the options' limits kept, the reported J the model's, and the same
// proposal every time.
TEST(Autosplay, TheProposalBeatsTheBaselines)
{
    struct Case
    {
        const char* name;
        spl::Request request;
        std::vector<AreaSegment> areas;
        AutosplayOptions options;
    };
    const spl::BandRange mid{1000, 2000, spl::Weighting::Flat};
    const std::vector<Case> cases = {
        {"one box", array(1, false, {7}), {{1, 3, 8, 0, 0}}, {mid, 0, 1.2, 0, false}},
        {"three TS160, tilt kept",
         array(3, true, {4, 1, 2}),
         {{1, 2, 6, 0, 1}},
         {mid, 3, 1.2, 0, true}},
        {"four TS250, two areas, min splay 3",
         array(4, false, {3, 3, 4, 6}),
         {{1, 2, 4, 0, 0}, {2, 7, 3, 1, 1.5}},
         {mid, 0, 1.0, 3, false}},
        {"current not a choice",
         array(4, false, {2, 0.5, 2.5, 1}),
         {{1, 2, 5, 0, 0}},
         {mid, 1.5, 1.2, 1, true}},
        {"nine TS250",
         array(9, false, {0, 1, 1, 1, 2, 2, 3, 4, 6}, 6),
         {{1, 3, 20, 0, 2}},
         {{500, 4000, spl::Weighting::Flat}, 1, 1.2, 0.5, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int N = c.request.N;
        const std::vector<double> current(c.request.angle.begin(), c.request.angle.begin() + N);
        const auto proposal = spl::autosplay(c.request, c.areas, c.options);
        ASSERT_TRUE(proposal);
        const std::vector<double>& got = proposal->proposed;
        ASSERT_EQ(int(got.size()), N);

        // Within the choices and the options' limits.
        std::vector<double> splays;
        for (const double s : spl::splayChoices(c.request.modelcaixa))
            if (s >= c.options.minSplay)
                splays.push_back(s);
        const std::vector<double> tilts =
            c.options.keepTilt ? std::vector<double>{current[0]} : spl::tiltChoices();
        const auto allowed = [&](const std::vector<double>& angles) {
            bool in = std::count(tilts.begin(), tilts.end(), angles[0]) == 1;
            for (std::size_t j = 1; j < angles.size(); ++j)
                in = in && std::count(splays.begin(), splays.end(), angles[j]) == 1;
            return in;
        };
        EXPECT_TRUE(allowed(got));

        // J of the proposed and the current angles, through the model's levels.
        const double J = proposal->Jafter;
        EXPECT_NEAR(objective(modelLevels(array(N, c.request.modelcaixa == 1, got, c.request.T),
                                          c.areas, c.options),
                              c.options.slope),
                    J, 1e-6);
        EXPECT_NEAR(objective(modelLevels(c.request, c.areas, c.options), c.options.slope),
                    proposal->Jbefore, 1e-6);

        // Baselines: the current set, every constant arc, and for up to four
        // boxes every set (box j takes the splay of `at[min(j, last)]`).
        const auto score = [&](const std::vector<double>& angles) {
            return spl::autosplayScore(c.request, c.areas, c.options, angles).J;
        };
        if (allowed(current)) {
            EXPECT_LE(J, score(current) + 1e-6);
        }
        double best = INFINITY;
        std::vector<std::size_t> at(std::size_t(N <= 4 ? N : 2), 0);
        for (std::size_t k = 0; k < at.size();) {
            std::vector<double> angles{tilts[at[0]]};
            for (std::size_t j = 1; j < std::size_t(N); ++j)
                angles.push_back(splays[at[std::min(j, at.size() - 1)]]);
            const double s = score(angles);
            best = std::min(best, s);
            if (std::adjacent_find(angles.begin() + 1, angles.end(), std::not_equal_to<>()) ==
                angles.end()) {
                EXPECT_LE(J, s + 1e-6) << angles[0] << " " << angles.back();
            }
            for (k = 0; k < at.size() && ++at[k] == (k == 0 ? tilts : splays).size(); ++k)
                at[k] = 0;
        }
        EXPECT_LE(J, best + 0.2);

        const auto again = spl::autosplay(c.request, c.areas, c.options);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->proposed, got);
        EXPECT_EQ(again->evaluated, proposal->evaluated);
    }
}

// The descents alone, kept from trying every set, reach the best of all sets
// on small arrays, and score what they give as it scores afresh.
TEST(Autosplay, TheDescentsFindTheBestOfAllSets)
{
    const struct
    {
        spl::Request request;
        AreaSegment area;
        double slope;
        std::vector<double> tilts;
    } cases[] = {
        {array(3, false, {}), {1, 2, 12, 0, 1}, 0, spl::tiltChoices()},
        {array(4, true, {}, 5), {1, 1, 9, 0, 2}, 3, spl::tiltChoices()},
        {array(5, false, {}, 6), {1, 3, 15, 0, 0}, 6, {4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.N);
        const AutosplayOptions options{{500, 4000, spl::Weighting::Flat}, c.slope};
        spl::AutosplayEvaluator eval = evaluator(c.request, {c.area}, options);
        const spl::AutosplayChoices choices{c.tilts, spl::splayChoices(c.request.modelcaixa)};
        spl::AutosplaySearch all(eval, choices, {}, {}, 1 << 20);
        ASSERT_TRUE(all.run({}));
        spl::AutosplaySearch descents(eval, choices, {}, {}, 0);
        const auto best = descents.run({});
        ASSERT_TRUE(best);
        EXPECT_LT(descents.evaluated(), all.evaluated() / 4);
        EXPECT_LE(descents.bestScore(), all.bestScore() + 0.2);
        // Its score is the set's own, scored afresh.
        auto scratch = eval.scratch();
        eval.commit(*best);
        EXPECT_NEAR(descents.bestScore(), eval.score(*best, 1, scratch), 1e-9);
    }
}

// A search asked to stop gives nothing; one left to run tells its progress,
// never going back, up to the whole.
TEST(Autosplay, StopsWhenAskedAndTellsItsProgress)
{
    const spl::Request request = array(6, false, {2, 1, 1, 1, 1, 1});
    const std::vector<AreaSegment> areas = {{1, 2, 10, 0, 0}};
    const AutosplayOptions options{{1000, 1000, spl::Weighting::Flat}, 0, 1.2, 0, false};
    int asked = 0;
    EXPECT_FALSE(spl::autosplay(request, areas, options, [&] { return ++asked > 3; }));
    std::vector<double> shares;
    EXPECT_TRUE(spl::autosplay(request, areas, options, {},
                               [&](double share) { shares.push_back(share); }));
    ASSERT_GT(shares.size(), 2u);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_GT(shares.front(), 0);
    EXPECT_EQ(shares.back(), 1);
}
