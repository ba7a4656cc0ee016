#pragma once

#include "spl/CoherentPasses.h"
#include "spl/Request.h"

#include <span>
#include <vector>

namespace spl {

/// Scores sets of angle numbers quickly, for a search that changes a few of
/// them at a time: the band-averaged level of the box-by-box model at fixed
/// listening points, compared with a target level there.
///
/// Changing the angle number of box j moves boxes j..N (their centres and
/// aims) and no other, so the evaluator keeps, for one committed set of
/// angles, the complex pressure of boxes 1..k at every point and band for
/// every k. A set that agrees with the committed one on boxes 1..j-1 is then
/// scored by adding the terms of boxes j..N alone. The terms are those of the
/// box-by-box model (CoherentModel) and the levels its band average's; the
/// evaluator computes them in double precision, where the model rounds some
/// figures to singles, so the two agree to a few millionths of a dB.
///
/// Scoring is const and may run on several threads at once, each with its
/// own Scratch; committing may not run beside anything else.
class AutosplayEvaluator
{
public:
    /// `request`'s array (its N boxes, model, height; its angles are not
    /// read), the points (X[i], Y[i]) in front of it (m), the target level
    /// there (dB, up to a constant) and the band centres with their weights
    /// (dB), whose power average is the level at a point.
    AutosplayEvaluator(const Request& request, std::span<const double> X, std::span<const double> Y,
                       std::span<const double> target, std::span<const int16_t> bands,
                       std::span<const double> weights);

    /// Working space of one thread.
    struct Scratch
    {
        std::vector<double> re, im; ///< band-major sums of one chunk of points
        std::vector<double> geometry;
        std::vector<double> residual; ///< level minus target, per point
    };
    Scratch scratch() const;

    int boxes() const { return m_boxes; }
    int points() const { return int(m_X.size()); }
    int bands() const { return int(m_weights.size()); }

    /// The objective of `angles` (angle numbers of boxes 1..N): the standard
    /// deviation of the level minus the target over the points. Boxes before
    /// `from` (1-based) must have their committed angles.
    double score(std::span<const double> angles, int from, Scratch& scratch) const;

    /// Makes `angles` the committed set, recomputing the sums of boxes
    /// `from`..`to` (to the last box when `to` is 0). Boxes before `from` must
    /// have their committed angles already; the sums beyond `to` are left
    /// stale, for a search that scores from `to` + 1 at most.
    void commit(std::span<const double> angles, int from = 1, int to = 0);
    const std::vector<double>& committed() const { return m_angles; }

    /// The level of `angles` at every point, dB (the band average).
    std::vector<double> levels(std::span<const double> angles) const;

private:
    /// Where box j of `angles` sits and aims.
    CoherentSources sources(std::span<const double> angles) const;
    /// Levels of a chunk of `m` points from its band sums.
    void chunkLevels(const double* re, const double* im, int m, double* out) const;

    Request m_request;
    int m_boxes = 0;
    std::vector<double> m_X, m_Y, m_target;
    std::vector<double> m_quarterTurns, m_halfTurns, m_weights; ///< per band
    double m_gain = 0;                                          ///< 10^(Lbox / 10): |p|^2 to power
    std::vector<double> m_angles;
    /// m_prefix[k]: sums of boxes 1..k per band and point, band-major, re then im.
    std::vector<std::vector<double>> m_prefix;
};

} // namespace spl
