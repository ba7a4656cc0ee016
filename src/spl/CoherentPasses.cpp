#include "spl/CoherentPasses.h"

#include "spl/VectorMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

// Built for several instruction sets, the best one for the machine picked when
// loaded, as the classic model's row passes are.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define SPL_PASS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define SPL_PASS
#endif

namespace spl {

namespace {

/// Adds one box's D exp(-i k r) / r to the sums of `n` points. The distance
/// and the phase are doubles: at 10 kHz a metre is 116 quarter turns, and a
/// single's rounding of the distance alone would move the phase by degrees.
SPL_PASS void addBox(double cx, double cy, double ax, double ay, double quarterTurnsPerMetre,
                     double halfTurnsPerSine, const double* X, const double* Y, int n, double* re,
                     double* im)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double dx = X[i] - cx, dy = Y[i] - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        // At the centre itself the point lies on the axis.
        const bool centre = r == 0;
        const double inv = 1.0 / (centre ? 1.0 : r);
        const double cosPhi = centre ? 1.0 : (ax * dx + ay * dy) * inv;
        const double sinPhi = centre ? 0.0 : std::abs(ax * dy - ay * dx) * inv;
        const double D = vmath::sincPi(halfTurnsPerSine * sinPhi) * (0.5 + 0.5 * cosPhi);
        const bool close = r < 0.01;
        const double w = D * (close ? 100.0 : inv);
        double s, c;
        vmath::sincosQuarterTurns((close ? 0.01 : r) * quarterTurnsPerMetre, s, c);
        re[i] += w * c;
        im[i] -= w * s;
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
        for (std::size_t j = 0; j < boxes; ++j)
            addBox(s.x[j], s.y[j], s.aimX[j], s.aimY[j], s.quarterTurnsPerMetre, s.halfTurnsPerSine,
                   X + at, Y + at, m, scratch.re, scratch.im);
        levelPass(scratch.re, scratch.im, m, s.Lbox, levels + at);
    }
}

} // namespace spl
