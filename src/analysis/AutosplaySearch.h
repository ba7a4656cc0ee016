#pragma once

#include "analysis/AutosplayEvaluator.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace spl {

/// The values the search may give box 1's angle number (its tilt) and every
/// other box's (its splay).
struct AutosplayChoices
{
    std::vector<double> tilts, splays;
};

/// Whether every angle of `angles` is one of its box's choices.
bool allowedAngles(std::span<const double> angles, const AutosplayChoices& choices);

/// A first guess from the geometry alone: each box aimed at a point of the
/// audience, the points chosen so that the boxes share the audience's angle
/// as seen from the array in proportion to the distance (a far point needs
/// more boxes than a near one for the same level), rounded to the choices.
std::vector<double> geometricGuess(const Request& request, std::span<const double> X,
                                   std::span<const double> Y, const AutosplayChoices& choices);

/// The search for the angles of lowest score among the choices.
///
/// Up to kExhaustiveLimit sets, every set is scored. Beyond that, every
/// constant arc (each tilt with each splay, every splay equal) and the seeds
/// given are scored, and the best of them start descents: passes that try
/// every choice of one angle at a time, box after box, taking each better set
/// at once, then passes that move the splay between two neighbouring boxes
/// (one opens by what the other closes, which turns one box's aim alone),
/// until no pass finds a better set. The best set found is the answer.
///
/// Candidates of one step are scored on up to two threads, each on its own;
/// the choice among them is made after, in a fixed order, so the answer does
/// not depend on the threads.
class AutosplaySearch
{
public:
    static constexpr long long kExhaustiveLimit = 20000;

    /// `exhaustiveLimit`: the most sets tried all together.
    AutosplaySearch(AutosplayEvaluator& evaluator, AutosplayChoices choices,
                    std::function<bool()> stop, std::function<void(double)> progress,
                    long long exhaustiveLimit = kExhaustiveLimit);

    /// The best set found from the constant arcs and `seeds` (sets of
    /// choices); nothing when stopped.
    std::optional<std::vector<double>> run(const std::vector<std::vector<double>>& seeds);

    /// Sets scored so far.
    long long evaluated() const { return m_evaluated; }
    /// Score of the set run() gave.
    double bestScore() const { return m_bestJ; }

private:
    using Set = std::vector<double>;
    /// Scores of sets that agree with the committed set before box `from`;
    /// empty when stopped.
    std::vector<double> scoreAll(const std::vector<Set>& sets, int from);
    bool exhaustive(Set& set, int box);
    /// Descends from `start` (score `J`); false when stopped.
    bool descend(Set& start, double& J);
    /// Scores `sets` (which differ from `set` from box `from` on) and takes
    /// the best when it betters J; false when the search was stopped.
    bool takeBest(const std::vector<Set>& sets, int from, Set& set, double& J, bool& improved);
    bool improveOne(Set& set, double& J, bool& improved);
    bool improvePairs(Set& set, double& J, bool& improved);
    const std::vector<double>& choicesOf(int box) const;
    void offer(const Set& set, double J);
    bool stopped() const { return m_stop && m_stop(); }

    AutosplayEvaluator& m_eval;
    AutosplayChoices m_choices;
    std::function<bool()> m_stop;
    std::function<void(double)> m_progress;
    long long m_evaluated = 0;
    long long m_exhaustiveLimit;
    long long m_total = 0; ///< sets of an exhaustive search
    Set m_best;
    double m_bestJ = 0;
};

} // namespace spl
