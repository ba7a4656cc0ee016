#include "analysis/Autosplay.h"
#include "analysis/AutosplaySearch.h"
#include "spl/Bands.h"
#include "spl/LevelModel.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

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

/// The listening points of `areas` in front of the array, the model's own
/// levels there for `request` with `angles`, averaged over `options`' bands
/// (read through levelsAt), and J written out from them: the deviation of
/// L + s log2(x / x0).
struct ModelLevels
{
    std::vector<double> X, Y, L;
    double J = 0;

    ModelLevels(spl::Request request, const std::vector<double>& angles,
                const std::vector<AreaSegment>& areas, const AutosplayOptions& options)
    {
        for (const AreaSegment& area : areas)
            for (const spl::AreaPoint& p : spl::areaPoints(area, options.listeningHeight))
                if (p.distance > 0) {
                    X.push_back(p.distance);
                    Y.push_back(p.height);
                }
        request.bands = options.bands;
        std::copy(angles.begin(), angles.end(), request.angle.begin());
        std::vector<float> x(X.begin(), X.end()), y(Y.begin(), Y.end()), l(x.size());
        spl::levelModel(request)->levelsAt(x, y, l);
        const double x0 = *std::min_element(X.begin(), X.end());
        std::vector<double> r;
        for (std::size_t i = 0; i < l.size(); ++i)
            r.push_back(L.emplace_back(l[i]) + options.slope * std::log2(X[i] / x0));
        const double mean = std::accumulate(r.begin(), r.end(), 0.0) / double(r.size());
        for (const double v : r)
            J += (v - mean) * (v - mean) / double(r.size());
        J = std::sqrt(J);
    }
};

} // namespace

// The incremental evaluation gives the model's own levels and J, and a set
// scored from box j on, with boxes before it committed, scores as one scored
// whole. Trying every set scores each once and finds the lowest score; the
// descents alone, trying far fewer sets, come within 0.2 dB of it and never
// below it; each search's score is its set's own, scored afresh.
TEST(Autosplay, TheEvaluatorScoresAsTheModelAndTheDescentsComeCloseToTheBest)
{
    struct Case
    {
        spl::Request request;
        std::vector<AreaSegment> areas;
        AutosplayOptions options;
        std::vector<double> tilts; ///< of a search over every set; none: no search
    };
    const std::vector<Case> cases = {
        {array(3, false, {2, 1, 3}),
         {{1, 2, 12, 0, 1}},
         {{500, 4000, spl::Weighting::Flat}},
         spl::tiltChoices()},
        {array(4, true, {5, 0, 1, 2}, 5),
         {{1, 1, 9, 0, 2}, {2, 10, 6, 2, 3}},
         {{1000, 4000, spl::Weighting::A}, 3, 0},
         spl::tiltChoices()},
        {array(5, false, {4, 0, 1, 2, 3}, 6), {{1, 3, 15, 0, 0}}, {{}, 6}, {4}},
        {array(16, false, {0, 0, 0.5, 0.5, 1, 1, 1.5, 2, 2, 3, 3, 4, 4, 5, 6, 6}, 14),
         {{1, -3, 60, 0, 5}},
         {{100, 10000, spl::Weighting::A}, 6, 0},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.N);
        const std::vector<double> angles(c.request.angle.begin(),
                                         c.request.angle.begin() + c.request.N);
        const ModelLevels expected(c.request, angles, c.areas, c.options);
        const std::vector<int16_t> bands = spl::bandsOf(c.options.bands);
        std::vector<double> weights;
        for (const int16_t hz : bands)
            weights.push_back(spl::bandWeight(hz, c.options.bands.weighting));
        spl::AutosplayEvaluator eval(c.request, expected.X, expected.Y,
                                     spl::targetLevels(expected.X, c.options.slope), bands,
                                     weights);
        const std::vector<double> levels = eval.levels(angles);
        ASSERT_EQ(levels.size(), expected.L.size());
        for (std::size_t i = 0; i < levels.size(); ++i)
            ASSERT_NEAR(levels[i], expected.L[i], 1e-4) << expected.X[i];

        std::vector<double> other = angles; // differing from box 3 on
        std::fill(other.begin() + 2, other.end(), 6.0);
        auto scratch = eval.scratch();
        eval.commit(angles);
        const double whole = eval.score(other, 1, scratch);
        EXPECT_NEAR(eval.score(angles, 1, scratch), expected.J, 1e-4);
        eval.commit(other, 3);
        EXPECT_NEAR(eval.score(other, 3, scratch), whole, 1e-9);
        EXPECT_NEAR(eval.score(other, c.request.N, scratch), whole, 1e-9);
        if (c.tilts.empty())
            continue;

        const spl::AutosplayChoices choices{c.tilts, spl::splayChoices(c.request.modelcaixa)};
        spl::AutosplaySearch all(eval, choices, {}, {}, 1 << 20);
        const auto exhaustive = all.run({});
        spl::AutosplaySearch descents(eval, choices, {}, {}, 0);
        const auto best = descents.run({});
        ASSERT_TRUE(exhaustive && best);
        EXPECT_EQ(all.evaluated(), std::llround(double(c.tilts.size()) *
                                                std::pow(choices.splays.size(), c.request.N - 1)));
        EXPECT_LT(descents.evaluated(), all.evaluated() / 4);
        EXPECT_LE(descents.bestScore(), all.bestScore() + 0.2);
        EXPECT_GE(descents.bestScore(), all.bestScore() - 1e-9);
        for (const auto& [search, set] : {std::pair{&all, &*exhaustive}, {&descents, &*best}}) {
            eval.commit(*set);
            EXPECT_NEAR(search->bestScore(), eval.score(*set, 1, scratch), 1e-9);
        }
    }
}

// The proposal against what a user could pick by hand: within the choices and
// the options' limits, never worse than the current angles (when they are
// choices) nor than any constant arc, each scored by the model itself; the
// J it reports the model's, and the same proposal every time. It tells its
// progress, never going back, up to the whole; asked to stop, it gives nothing.
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
        {"four TS250, two areas, min splay 3",
         array(4, false, {3, 3, 4, 6}),
         {{1, 2, 4, 0, 0}, {2, 7, 3, 1, 1.5}},
         {mid, 0, 1.0, 3, false}},
        {"three TS160, tilt kept, current not a choice",
         array(3, true, {4, 0.5, 2}),
         {{1, 2, 6, 0, 1}},
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

        const double J = proposal->Jafter;
        EXPECT_NEAR(ModelLevels(c.request, got, c.areas, c.options).J, J, 1e-6);

        const auto score = [&](const std::vector<double>& angles) {
            return spl::autosplayScore(c.request, c.areas, c.options, angles).J;
        };
        if (allowed(current)) {
            EXPECT_LE(J, score(current) + 1e-6);
        }
        for (const double tilt : tilts)
            for (const double splay : splays) {
                std::vector<double> arc(std::size_t(N), splay);
                arc[0] = tilt;
                EXPECT_LE(J, score(arc) + 1e-6) << tilt << " " << splay;
            }

        std::vector<double> shares;
        const auto again = spl::autosplay(c.request, c.areas, c.options, {},
                                          [&](double share) { shares.push_back(share); });
        ASSERT_TRUE(again);
        EXPECT_EQ(again->proposed, got);
        EXPECT_EQ(again->evaluated, proposal->evaluated);
        ASSERT_GE(shares.size(), 2u);
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
        EXPECT_GT(shares.front(), 0);
        EXPECT_EQ(shares.back(), 1);
        int asked = 0;
        EXPECT_FALSE(spl::autosplay(c.request, c.areas, c.options, [&] { return ++asked > 3; }));
    }
}
