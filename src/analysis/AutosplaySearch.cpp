#include "analysis/AutosplaySearch.h"

#include "spl/RowThreads.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace spl {

namespace {

/// A set must score better than the one it replaces by more than rounding.
constexpr double kBetter = 1e-9;

bool isChoice(const std::vector<double>& list, double v)
{
    return std::find(list.begin(), list.end(), v) != list.end();
}

double nearest(const std::vector<double>& list, double v)
{
    double best = list.front();
    for (const double c : list)
        if (std::abs(c - v) < std::abs(best - v))
            best = c;
    return best;
}

} // namespace

bool allowedAngles(std::span<const double> angles, const AutosplayChoices& choices)
{
    for (std::size_t j = 0; j < angles.size(); ++j)
        if (!isChoice(j == 0 ? choices.tilts : choices.splays, angles[j]))
            return false;
    return true;
}

std::vector<double> geometricGuess(const Request& request, std::span<const double> X,
                                   std::span<const double> Y, const AutosplayChoices& choices)
{
    const int N = std::clamp(request.N, 0, 16);
    if (N == 0 || X.empty() || choices.tilts.empty() || (N > 1 && choices.splays.empty()))
        return {};
    // The depression of each point below the array's middle, degrees.
    const double middle = request.T - N * double(request.alturaunacaixa) / 2;
    std::vector<std::pair<double, double>> seen; // (depression, distance)
    for (std::size_t i = 0; i < X.size(); ++i)
        seen.emplace_back(std::atan2(middle - Y[i], X[i]) * 180 / std::numbers::pi, X[i]);
    std::sort(seen.begin(), seen.end());
    // The audience's angle weighed by distance, from the farthest-looking point on.
    std::vector<double> share(seen.size(), 0.0);
    for (std::size_t i = 1; i < seen.size(); ++i)
        share[i] = share[i - 1] +
                   (seen[i].first - seen[i - 1].first) * (seen[i].second + seen[i - 1].second) / 2;
    const double total = share.back();
    std::vector<double> set;
    double theta = 0;
    for (int j = 1; j <= N; ++j) {
        double aim = seen.front().first;
        if (total > 0) {
            const double want = (j - 0.5) / N * total;
            const auto k =
                std::size_t(std::lower_bound(share.begin(), share.end(), want) - share.begin());
            if (k >= share.size())
                aim = seen.back().first;
            else if (k > 0)
                aim = seen[k - 1].first + (seen[k].first - seen[k - 1].first) *
                                              (want - share[k - 1]) / (share[k] - share[k - 1]);
        }
        const double angle = nearest(j == 1 ? choices.tilts : choices.splays, aim - theta);
        set.push_back(angle);
        theta += angle;
    }
    return set;
}

AutosplaySearch::AutosplaySearch(AutosplayEvaluator& evaluator, AutosplayChoices choices,
                                 std::function<bool()> stop, std::function<void(double)> progress,
                                 long long exhaustiveLimit)
    : m_eval(evaluator), m_choices(std::move(choices)), m_stop(std::move(stop)),
      m_progress(std::move(progress)), m_exhaustiveLimit(exhaustiveLimit)
{
}

const std::vector<double>& AutosplaySearch::choicesOf(int box) const
{
    return box == 1 ? m_choices.tilts : m_choices.splays;
}

void AutosplaySearch::offer(const Set& set, double J)
{
    if (m_best.empty() || J < m_bestJ) {
        m_best = set;
        m_bestJ = J;
    }
}

std::vector<double> AutosplaySearch::scoreAll(const std::vector<Set>& sets, int from)
{
    std::vector<double> scores(sets.size());
    const long long load = static_cast<long long>(sets.size()) * (m_eval.boxes() - from + 1) *
                           m_eval.points() * m_eval.bands();
    const bool done = forRowBatches(int(sets.size()), 0, load, m_stop, [&](int first, int last) {
        AutosplayEvaluator::Scratch scratch = m_eval.scratch();
        for (int r = first; r <= last; ++r)
            scores[std::size_t(r - 1)] = m_eval.score(sets[std::size_t(r - 1)], from, scratch);
    });
    if (!done)
        return {};
    m_evaluated += static_cast<long long>(sets.size());
    return scores;
}

bool AutosplaySearch::exhaustive(Set& set, int box)
{
    const int N = m_eval.boxes();
    const std::vector<double>& values = choicesOf(box);
    if (box < N) {
        for (const double v : values) {
            set[std::size_t(box - 1)] = v;
            m_eval.commit(set, box, box);
            if (!exhaustive(set, box + 1))
                return false;
        }
        return true;
    }
    std::vector<Set> sets(values.size(), set);
    for (std::size_t k = 0; k < values.size(); ++k)
        sets[k][std::size_t(N - 1)] = values[k];
    const std::vector<double> scores = scoreAll(sets, N);
    if (scores.empty())
        return false;
    for (std::size_t k = 0; k < sets.size(); ++k)
        offer(sets[k], scores[k]);
    if (m_progress)
        m_progress(double(m_evaluated) / double(m_total));
    return true;
}

bool AutosplaySearch::takeBest(const std::vector<Set>& sets, int from, Set& set, double& J,
                               bool& improved)
{
    if (sets.empty())
        return true;
    const std::vector<double> scores = scoreAll(sets, from);
    if (scores.empty())
        return false;
    const auto k = std::size_t(std::min_element(scores.begin(), scores.end()) - scores.begin());
    if (scores[k] < J - kBetter) {
        set = sets[k];
        J = scores[k];
        m_eval.commit(set, from);
        improved = true;
    }
    return true;
}

bool AutosplaySearch::improveOne(Set& set, double& J, bool& improved)
{
    for (int j = 1; j <= m_eval.boxes(); ++j) {
        std::vector<Set> sets;
        for (const double v : choicesOf(j))
            if (v != set[std::size_t(j - 1)]) {
                sets.push_back(set);
                sets.back()[std::size_t(j - 1)] = v;
            }
        if (!takeBest(sets, j, set, J, improved))
            return false;
    }
    return true;
}

bool AutosplaySearch::improvePairs(Set& set, double& J, bool& improved)
{
    for (int j = 1; j < m_eval.boxes(); ++j) {
        const std::size_t a = std::size_t(j - 1), b = std::size_t(j);
        std::vector<Set> sets;
        for (const double v : choicesOf(j)) {
            const double turn = v - set[a];
            const double other = set[b] - turn;
            if (turn == 0 || !isChoice(choicesOf(j + 1), other))
                continue;
            sets.push_back(set);
            sets.back()[a] = v;
            sets.back()[b] = other;
        }
        if (!takeBest(sets, j, set, J, improved))
            return false;
    }
    return true;
}

bool AutosplaySearch::descend(Set& set, double& J)
{
    m_eval.commit(set);
    for (;;) {
        bool improved = false;
        if (!improveOne(set, J, improved))
            return false;
        if (improved)
            continue;
        if (!improvePairs(set, J, improved))
            return false;
        if (!improved)
            return true;
    }
}

std::optional<std::vector<double>> AutosplaySearch::run(const std::vector<Set>& seeds)
{
    const int N = m_eval.boxes();
    if (N == 0 || m_choices.tilts.empty() || (N > 1 && m_choices.splays.empty()))
        return std::nullopt;
    double total = double(m_choices.tilts.size());
    for (int j = 2; j <= N; ++j)
        total *= double(m_choices.splays.size());

    if (total <= double(m_exhaustiveLimit)) {
        m_total = static_cast<long long>(total);
        Set set(std::size_t(N), 0.0);
        if (!exhaustive(set, 1))
            return std::nullopt;
        return m_best;
    }

    // Starting sets: every constant arc, then the seeds that are choices.
    std::vector<Set> starts;
    for (const double tilt : m_choices.tilts)
        for (const double splay : m_choices.splays) {
            Set arc(std::size_t(N), splay);
            arc[0] = tilt;
            starts.push_back(arc);
        }
    const std::size_t arcs = starts.size();
    for (const Set& seed : seeds)
        if (int(seed.size()) == N && allowedAngles(seed, m_choices))
            starts.push_back(seed);
    const std::vector<double> scores = scoreAll(starts, 1);
    if (scores.empty())
        return std::nullopt;
    for (std::size_t k = 0; k < starts.size(); ++k)
        offer(starts[k], scores[k]);

    // Descents from the best arc, the seeds and the second best arc.
    std::vector<std::size_t> order(arcs);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return scores[a] < scores[b]; });
    std::vector<std::size_t> from{order[0]};
    for (std::size_t k = arcs; k < starts.size(); ++k)
        from.push_back(k);
    if (order.size() > 1)
        from.push_back(order[1]);
    std::vector<Set> tried;
    const double phases = double(from.size()) + 1;
    if (m_progress)
        m_progress(1 / phases);
    for (std::size_t d = 0; d < from.size(); ++d) {
        Set set = starts[from[d]];
        if (std::find(tried.begin(), tried.end(), set) != tried.end())
            continue;
        tried.push_back(set);
        double J = scores[from[d]];
        if (!descend(set, J))
            return std::nullopt;
        offer(set, J);
        if (m_progress)
            m_progress((double(d) + 2) / phases);
    }
    return m_best;
}

} // namespace spl
