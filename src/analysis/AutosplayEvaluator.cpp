#include "analysis/AutosplayEvaluator.h"

#include "spl/BoxGeometry.h"
#include "spl/CoherentModel.h"
#include "spl/PassTargets.h"
#include "spl/VectorMath.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace spl {

namespace {

/// Points are taken this many at a time, so that the sums of one chunk in
/// every band stay in the cache while the boxes are added to them.
constexpr int kChunk = 128;

/// Adds the terms D exp(-i k r) / r of one box (centre c, aim a) at `m`
/// points to the band-major sums re/im (`stride` apart per band), for every
/// band's phase per metre (quarter turns) and piston argument per sine (half
/// turns). The geometry, the same in every band, is worked out first into
/// `geo` (3 kChunk doubles). The rules are the box-by-box model's: the distance at
/// least 0.01 m, the direction on the axis at the centre itself.
SPL_PASS void addBox(double cx, double cy, double ax, double ay, const double* X, const double* Y,
                     int m, const double* quarterTurns, const double* halfTurns, int bands,
                     double* re, double* im, int stride, double* geo)
{
    double* rr = geo;
    double* sine = geo + kChunk;
    double* amp = geo + 2 * kChunk;
#pragma omp simd
    for (int i = 0; i < m; ++i) {
        const BoxGeometry g = boxGeometry(X[i] - cx, Y[i] - cy, ax, ay);
        sine[i] = g.cross * g.inv;
        const bool close = g.r < 0.01;
        rr[i] = close ? 0.01 : g.r;
        amp[i] = (close ? 100.0 : g.inv) * g.oblique;
    }
    for (int b = 0; b < bands; ++b) {
        const double qt = quarterTurns[b], ht = halfTurns[b];
        double* bre = re + b * stride;
        double* bim = im + b * stride;
#pragma omp simd
        for (int i = 0; i < m; ++i) {
            double s, c;
            vmath::sincosQuarterTurns(rr[i] * qt, s, c);
            const double D = vmath::sincPi(ht * sine[i]) * amp[i];
            bre[i] += D * c;
            bim[i] -= D * s;
        }
    }
}

} // namespace

AutosplayEvaluator::AutosplayEvaluator(const Request& request, std::span<const double> X,
                                       std::span<const double> Y, std::span<const double> target,
                                       std::span<const int16_t> bands,
                                       std::span<const double> weights)
    : m_request(request), m_boxes(std::clamp(request.N, 0, 16)), m_X(X.begin(), X.end()),
      m_Y(Y.begin(), Y.end()), m_target(target.begin(), target.end())
{
    assert(X.size() == Y.size() && X.size() == target.size() && bands.size() == weights.size());
    m_request.bands.reset();
    for (std::size_t b = 0; b < bands.size(); ++b) {
        const CoherentSources one = coherentSources(bandRequest(m_request, bands[b]));
        m_quarterTurns.push_back(one.quarterTurnsPerMetre);
        m_halfTurns.push_back(one.halfTurnsPerSine);
        m_weights.push_back(std::pow(10.0, weights[b] / 10));
    }
    // The level of one box at 1 m is the same in every band; 0 for a model
    // without a sensitivity, whose levels are all 0 dB.
    m_gain = std::pow(10.0, coherentSources(m_request).Lbox / 10);
    const std::size_t sums = 2 * bands.size() * m_X.size();
    m_prefix.assign(std::size_t(m_boxes) + 1, std::vector<double>(sums, 0.0));
    m_angles.assign(std::size_t(m_boxes), 0.0);
    commit(m_angles, 1);
}

AutosplayEvaluator::Scratch AutosplayEvaluator::scratch() const
{
    Scratch s;
    s.re.resize(m_weights.size() * kChunk);
    s.im.resize(m_weights.size() * kChunk);
    s.geometry.resize(3 * kChunk);
    s.residual.resize(m_X.size());
    return s;
}

CoherentSources AutosplayEvaluator::sources(std::span<const double> angles) const
{
    assert(int(angles.size()) >= m_boxes);
    Request r = m_request;
    for (int j = 1; j <= m_boxes; ++j)
        r.angle[std::size_t(j)] = angles[std::size_t(j - 1)];
    return coherentSources(r);
}

void AutosplayEvaluator::chunkLevels(const double* re, const double* im, int m, double* out) const
{
    const int bands = int(m_weights.size());
    for (int i = 0; i < m; ++i) {
        // Each band's level is Lbox + 10 log10 |p|^2 and 0 dB at least, as
        // the model's; its power 10^(L / 10) is then G |p|^2, or 1.
        double power = 0;
        for (int b = 0; b < bands; ++b) {
            const double p2 =
                re[b * kChunk + i] * re[b * kChunk + i] + im[b * kChunk + i] * im[b * kChunk + i];
            power += m_weights[std::size_t(b)] * std::max(m_gain * p2, 1.0);
        }
        out[i] = 10 * std::log10(power / bands);
    }
}

double AutosplayEvaluator::score(std::span<const double> angles, int from, Scratch& s) const
{
    const CoherentSources src = sources(angles);
    const int n = points();
    const int bands = int(m_weights.size());
    const std::vector<double>& base = m_prefix[std::size_t(from - 1)];
    const std::size_t half = std::size_t(bands) * std::size_t(n);
    for (int at = 0; at < n; at += kChunk) {
        const int m = std::min(kChunk, n - at);
        for (int b = 0; b < bands; ++b) {
            const std::size_t o = std::size_t(b) * std::size_t(n) + std::size_t(at);
            std::copy_n(&base[o], m, &s.re[std::size_t(b) * kChunk]);
            std::copy_n(&base[half + o], m, &s.im[std::size_t(b) * kChunk]);
        }
        for (int j = from; j <= m_boxes; ++j) {
            const std::size_t k = std::size_t(j - 1);
            addBox(src.x[k], src.y[k], src.aimX[k], src.aimY[k], &m_X[std::size_t(at)],
                   &m_Y[std::size_t(at)], m, m_quarterTurns.data(), m_halfTurns.data(), bands,
                   s.re.data(), s.im.data(), kChunk, s.geometry.data());
        }
        chunkLevels(s.re.data(), s.im.data(), m, &s.residual[std::size_t(at)]);
    }
    double mean = 0;
    for (int i = 0; i < n; ++i) {
        s.residual[std::size_t(i)] -= m_target[std::size_t(i)];
        mean += s.residual[std::size_t(i)];
    }
    mean /= n;
    double squares = 0;
    for (int i = 0; i < n; ++i)
        squares += (s.residual[std::size_t(i)] - mean) * (s.residual[std::size_t(i)] - mean);
    return n > 0 ? std::sqrt(squares / n) : 0.0;
}

void AutosplayEvaluator::commit(std::span<const double> angles, int from, int to)
{
    const CoherentSources src = sources(angles);
    std::copy_n(angles.begin(), m_boxes, m_angles.begin());
    const int n = points();
    const int bands = int(m_weights.size());
    const std::size_t half = std::size_t(bands) * std::size_t(n);
    std::vector<double> geometry(3 * kChunk);
    for (int j = std::max(from, 1); j <= (to > 0 ? std::min(to, m_boxes) : m_boxes); ++j) {
        const std::vector<double>& before = m_prefix[std::size_t(j - 1)];
        std::vector<double>& sums = m_prefix[std::size_t(j)];
        sums = before;
        const std::size_t k = std::size_t(j - 1);
        for (int at = 0; at < n; at += kChunk)
            addBox(src.x[k], src.y[k], src.aimX[k], src.aimY[k], &m_X[std::size_t(at)],
                   &m_Y[std::size_t(at)], std::min(kChunk, n - at), m_quarterTurns.data(),
                   m_halfTurns.data(), bands, &sums[std::size_t(at)], &sums[half + std::size_t(at)],
                   n, geometry.data());
    }
}

std::vector<double> AutosplayEvaluator::levels(std::span<const double> angles) const
{
    Scratch s = scratch();
    const CoherentSources src = sources(angles);
    const int n = points();
    const int bands = int(m_weights.size());
    std::vector<double> out(static_cast<std::size_t>(n));
    for (int at = 0; at < n; at += kChunk) {
        const int m = std::min(kChunk, n - at);
        std::fill(s.re.begin(), s.re.end(), 0.0);
        std::fill(s.im.begin(), s.im.end(), 0.0);
        for (int j = 1; j <= m_boxes; ++j) {
            const std::size_t k = std::size_t(j - 1);
            addBox(src.x[k], src.y[k], src.aimX[k], src.aimY[k], &m_X[std::size_t(at)],
                   &m_Y[std::size_t(at)], m, m_quarterTurns.data(), m_halfTurns.data(), bands,
                   s.re.data(), s.im.data(), kChunk, s.geometry.data());
        }
        chunkLevels(s.re.data(), s.im.data(), m, &out[std::size_t(at)]);
    }
    return out;
}

} // namespace spl
