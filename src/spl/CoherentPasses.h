#pragma once

#include <vector>

namespace spl {

/// The boxes of an array as sources of the box-by-box model, with the
/// figures of its level that depend on neither the box nor the point.
struct CoherentSources
{
    /// Per box: the middle of its front face (m) and its aim, a unit vector
    /// square to the front.
    std::vector<double> x, y, aimX, aimY;
    /// Phase per metre of distance in quarter turns: k / (pi / 2) = 4 f / c.
    double quarterTurnsPerMetre = 0;
    /// The piston's argument u = k (h / 2) sin(phi) in half turns per unit
    /// of sin(phi): f h / c.
    double halfTurnsPerSine = 0;
    /// Level of one box at 1 m on its axis, dB.
    double Lbox = 0;
};

/// Working space of one thread for coherentLevels.
struct CoherentScratch
{
    static constexpr int kChunk = 256;
    alignas(64) double re[kChunk], im[kChunk];
    alignas(64) double wc[kChunk], ws[kChunk]; ///< exp(-i k r) / r of one box
    alignas(64) float t[kChunk];               ///< the piston's argument, half turns
    alignas(64) float oblique[kChunk];         ///< (1 + cos phi) / 2
    alignas(64) float D[kChunk];               ///< the directivity
};

/// Working space of one thread for coherentBandLevels: one sum per band and
/// point, and what one box's terms need whatever the band.
struct CoherentBandScratch
{
    static constexpr int kChunk = 128;
    explicit CoherentBandScratch(std::size_t bands) : re(bands * kChunk), im(bands * kChunk) {}
    std::vector<double> re, im;                               ///< band b's sums at b * kChunk
    alignas(64) double r[kChunk], inv[kChunk], cross[kChunk]; ///< distance, 1 / r, |aim x d|
    alignas(64) float oblique[kChunk];
    CoherentScratch band; ///< one band's terms
};

/// The levels of several bands (the same boxes, as coherentSources makes them
/// for each band) at each of `n` points, band b's into levels[b]: each
/// level bit for bit as coherentLevels gives it, but each box's distance,
/// direction and obliquity at a point are worked out once for every band.
void coherentBandLevels(const std::vector<CoherentSources>& bands, const double* X, const double* Y,
                        int n, float* const* levels, CoherentBandScratch& scratch);

/// The level of the box-by-box model at each of `n` points (X[i], Y[i]) of
/// the vertical plane, m: Lbox + 20 log10 |p|, p the sum over the boxes of
/// D exp(-i k r) / r, 0 dB where that is below 0 (or |p| is 0). Any point,
/// in front of the array or not.
void coherentLevels(const CoherentSources& s, const double* X, const double* Y, int n,
                    float* levels, CoherentScratch& scratch);

} // namespace spl
