#include "spl/CoherentPasses.h"
#include "spl/BoxGeometry.h"
#include "spl/PassTargets.h"

#include "spl/VectorMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace spl {

namespace {

/// One box's exp(-i k r) / r at `n` points, and what its directivity needs
/// there: the piston's argument t = K sin(phi) in half turns and the
/// obliquity factor. The distance and the phase are doubles: at 10 kHz a
/// metre is 116 quarter turns, and a single's rounding of the distance alone
/// would move the phase by degrees.
SPL_PASS void phasePass(double cx, double cy, double ax, double ay, double quarterTurnsPerMetre,
                        double halfTurnsPerSine, const double* X, const double* Y, int n,
                        double* wc, double* ws, float* t, float* oblique)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        // phi from the true distance.
        const BoxGeometry g = boxGeometry(X[i] - cx, Y[i] - cy, ax, ay);
        t[i] = static_cast<float>(halfTurnsPerSine * g.cross * g.inv);
        oblique[i] = static_cast<float>(g.oblique);
        const bool close = g.r < 0.01;
        double s, c;
        vmath::sincosQuarterTurns((close ? 0.01 : g.r) * quarterTurnsPerMetre, s, c);
        const double w = close ? 100.0 : g.inv;
        wc[i] = w * c;
        ws[i] = w * s;
    }
}

/// What phasePass works out for one box that does not depend on the band:
/// the distance, 1 / r (1 at the centre itself), |aim x (P - centre)| and the
/// obliquity factor, by the same operations.
SPL_PASS void geometryPass(double cx, double cy, double ax, double ay, const double* X,
                           const double* Y, int n, double* rr, double* invr, double* cross,
                           float* oblique)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const BoxGeometry g = boxGeometry(X[i] - cx, Y[i] - cy, ax, ay);
        rr[i] = g.r;
        invr[i] = g.inv;
        cross[i] = g.cross;
        oblique[i] = static_cast<float>(g.oblique);
    }
}

/// The rest of phasePass for one band, from geometryPass's figures.
SPL_PASS void bandPhasePass(const double* rr, const double* invr, const double* cross,
                            double quarterTurnsPerMetre, double halfTurnsPerSine, int n, double* wc,
                            double* ws, float* t)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double r = rr[i], inv = invr[i];
        t[i] = static_cast<float>(halfTurnsPerSine * cross[i] * inv);
        const bool close = r < 0.01;
        double s, c;
        vmath::sincosQuarterTurns((close ? 0.01 : r) * quarterTurnsPerMetre, s, c);
        const double w = close ? 100.0 : inv;
        wc[i] = w * c;
        ws[i] = w * s;
    }
}

/// The directivity sin(pi t) / (pi t) times the obliquity factor, in singles
/// (twice as many at once as doubles): it only scales a term, and a relative
/// error of 1e-6 of one term moves no level by 1e-4 dB where it matters.
SPL_PASS void directivityPass(const float* t, const float* oblique, int n, float* D)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const float n0 = std::nearbyint(t[i]);
        const float f = t[i] - n0; // sin(pi t) = +-sin(pi f), |f| <= 1/2
        const float z = f * f;
        // sin(pi f) / f through f^10: the first term left out is below 1.2e-7
        // on [-1/2, 1/2], where the sum is at least 2.
        float p = -0.0073704309f;
        p = p * z + 0.0821458866f;
        p = p * z - 0.5992645293f;
        p = p * z + 2.5501640399f;
        p = p * z - 5.1677127800f;
        p = p * z + 3.1415926536f;
        const float sign = (static_cast<int>(n0) & 1) ? -1.0f : 1.0f;
        const float piston = t[i] == 0 ? 1.0f : sign * p * f / (3.14159265358979f * t[i]);
        D[i] = piston * oblique[i];
    }
}

/// Adds D exp(-i k r) / r to the sums.
SPL_PASS void addPass(const double* wc, const double* ws, const float* D, int n, double* re,
                      double* im)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        re[i] += D[i] * wc[i];
        im[i] -= D[i] * ws[i];
    }
}

/// Lbox + 10 log10 |p|^2 as a stored level: 0 below 0 dB and where |p| is 0.
SPL_PASS void levelPass(const double* re, const double* im, int n, double Lbox, float* levels)
{
    constexpr double kC10 = 4.342944819032518276511; // 10 / ln 10
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double p2 = re[i] * re[i] + im[i] * im[i];
        // The logarithm takes normal numbers only; smaller ones are far below 0 dB.
        const bool normal = p2 >= 0x1p-1022 && p2 < 0x1p1023;
        const double L = Lbox + kC10 * vmath::logNormal(normal ? p2 : 1.0);
        levels[i] = normal && L > 0 ? static_cast<float>(L) : 0.0f;
    }
}

} // namespace

void coherentLevels(const CoherentSources& s, const double* X, const double* Y, int n,
                    float* levels, CoherentScratch& scratch)
{
    const std::size_t boxes = s.x.size();
    for (int at = 0; at < n; at += CoherentScratch::kChunk) {
        const int m = std::min(CoherentScratch::kChunk, n - at);
        std::fill_n(scratch.re, m, 0.0);
        std::fill_n(scratch.im, m, 0.0);
        for (std::size_t j = 0; j < boxes; ++j) {
            phasePass(s.x[j], s.y[j], s.aimX[j], s.aimY[j], s.quarterTurnsPerMetre,
                      s.halfTurnsPerSine, X + at, Y + at, m, scratch.wc, scratch.ws, scratch.t,
                      scratch.oblique);
            directivityPass(scratch.t, scratch.oblique, m, scratch.D);
            addPass(scratch.wc, scratch.ws, scratch.D, m, scratch.re, scratch.im);
        }
        levelPass(scratch.re, scratch.im, m, s.Lbox, levels + at);
    }
}

void coherentBandLevels(const std::vector<CoherentSources>& bands, const double* X, const double* Y,
                        int n, float* const* levels, CoherentBandScratch& scratch)
{
    if (bands.empty())
        return;
    constexpr int kChunk = CoherentBandScratch::kChunk;
    static_assert(kChunk <= CoherentScratch::kChunk);
    const CoherentSources& boxes = bands.front(); // the same boxes in every band
    CoherentScratch& one = scratch.band;
    for (int at = 0; at < n; at += kChunk) {
        const int m = std::min(kChunk, n - at);
        std::fill(scratch.re.begin(), scratch.re.end(), 0.0);
        std::fill(scratch.im.begin(), scratch.im.end(), 0.0);
        for (std::size_t j = 0; j < boxes.x.size(); ++j) {
            geometryPass(boxes.x[j], boxes.y[j], boxes.aimX[j], boxes.aimY[j], X + at, Y + at, m,
                         scratch.r, scratch.inv, scratch.cross, scratch.oblique);
            for (std::size_t b = 0; b < bands.size(); ++b) {
                bandPhasePass(scratch.r, scratch.inv, scratch.cross, bands[b].quarterTurnsPerMetre,
                              bands[b].halfTurnsPerSine, m, one.wc, one.ws, one.t);
                directivityPass(one.t, scratch.oblique, m, one.D);
                addPass(one.wc, one.ws, one.D, m, &scratch.re[b * kChunk], &scratch.im[b * kChunk]);
            }
        }
        for (std::size_t b = 0; b < bands.size(); ++b)
            levelPass(&scratch.re[b * kChunk], &scratch.im[b * kChunk], m, bands[b].Lbox,
                      levels[b] + at);
    }
}

} // namespace spl
