#pragma once

#include "spl/Request.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

/// Band averages: the level of several third-octave bands together, as the
/// power average of their levels, each band weighted flat or by the A-weighting
/// at its centre.
namespace spl {

/// Position (0..20) of a band centre among kFrequencies; none for another figure.
std::optional<int> bandIndex(int hz);

/// The A-weighting at a band centre, dB (the rounded figures of the standard
/// table for the 21 centres); 0 for a figure that is not a centre.
double aWeighting(int16_t hz);

/// The weight of band `hz` under `weighting`, dB: 0 for flat.
double bandWeight(int16_t hz, Weighting weighting);

/// The name of a weighting on the command line and in the grid's JSON:
/// "flat" or "a".
const char* weightingName(Weighting weighting);
/// The weighting of a name (see weightingName); nothing for an unknown one.
std::optional<Weighting> weightingNamed(std::string_view name);

/// The band centres of a range, from lo to hi; empty when either end is not a
/// centre or lo is above hi.
std::vector<int16_t> bandsOf(const BandRange& range);

/// Whether a range can be averaged: both ends centres, lo not above hi.
bool validRange(const BandRange& range);

/// The power average of band levels L_b with weights W_b (dB):
///     10 log10( (1/B) sum_b 10^((L_b + W_b) / 10) ).
/// A level that is NaN makes it NaN; no bands give NaN too. A response equal
/// in every band with flat weights averages to that level.
double powerAverage(std::span<const float> levels, std::span<const double> weights);

/// Adds the power of `n` band levels with weight `weight` dB to their sums:
/// sum[i] += 10^((levels[i] + weight) / 10), to within a few units in the last
/// place of the double (levels of minus infinity add nothing).
void addBandPowers(const float* levels, int n, double weight, double* sum);

/// The averages of `n` power sums over `bands` bands, as singles:
/// 10 log10(sum[i] / bands); NaN when there are no bands.
void bandAverages(const double* sum, int n, int bands, float* out);

/// Accumulates band levels into the power sum of a band average, point by
/// point: add every band's levels, then read the averages.
class BandAccumulator
{
public:
    explicit BandAccumulator(std::size_t points) : m_sum(points, 0.0) {}
    /// Adds one band's levels (one per point) with weight `weight` dB.
    void add(std::span<const float> levels, double weight);
    /// The averaged levels, as singles, of the bands added so far.
    void averages(std::span<float> out) const;
    int bands() const { return m_bands; }

private:
    std::vector<double> m_sum;
    int m_bands = 0;
};

} // namespace spl
