#include "spl/Bands.h"
#include "spl/PassTargets.h"

#include "spl/VectorMath.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace spl {

namespace {
// IEC 61672-1, at the 21 band centres of kFrequencies.
constexpr double kAWeighting[21] = {-19.1, -16.1, -13.4, -10.9, -8.6, -6.6, -4.8,
                                    -3.2,  -1.9,  -0.8,  0.0,   0.6,  1.0,  1.2,
                                    1.3,   1.2,   1.0,   0.5,   -0.1, -1.1, -2.5};
static_assert(std::size(kAWeighting) == kFrequencies.size());
} // namespace

std::optional<int> bandIndex(int hz)
{
    for (std::size_t i = 0; i < kFrequencies.size(); ++i)
        if (kFrequencies[i] == hz)
            return int(i);
    return std::nullopt;
}

double aWeighting(int16_t hz)
{
    const std::optional<int> i = bandIndex(hz);
    return i ? kAWeighting[*i] : 0.0;
}

double bandWeight(int16_t hz, Weighting weighting)
{
    return weighting == Weighting::A ? aWeighting(hz) : 0.0;
}

const char* weightingName(Weighting weighting)
{
    return weighting == Weighting::A ? "a" : "flat";
}

std::optional<Weighting> weightingNamed(std::string_view name)
{
    for (const Weighting w : {Weighting::Flat, Weighting::A})
        if (name == weightingName(w))
            return w;
    return std::nullopt;
}

bool validRange(const BandRange& range)
{
    const std::optional<int> lo = bandIndex(range.lo), hi = bandIndex(range.hi);
    return lo && hi && *lo <= *hi;
}

std::vector<int16_t> bandsOf(const BandRange& range)
{
    std::vector<int16_t> out;
    if (!validRange(range))
        return out;
    for (std::size_t i = std::size_t(*bandIndex(range.lo)); i <= std::size_t(*bandIndex(range.hi));
         ++i)
        out.push_back(kFrequencies[i]);
    return out;
}

double powerAverage(std::span<const float> levels, std::span<const double> weights)
{
    assert(levels.size() == weights.size());
    double sum = 0;
    for (std::size_t b = 0; b < levels.size(); ++b)
        addBandPowers(&levels[b], 1, weights[b], &sum);
    return levels.empty() ? NAN : 10.0 * std::log10(sum / double(levels.size()));
}

namespace {

/// The powers of a run of levels, 10^(L / 10) = e^(L ln 10 / 10); marks in `odd`
/// the levels beyond the vectorised exponential (infinite, NaN, or beyond
/// hundreds of dB) and returns how many they are.
SPL_PASS int powerPass(const float* levels, int n, double weight, double* sum, int64_t* odd)
{
    constexpr double kLn10Over10 = 0.230258509299404568401799; // ln 10 / 10
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        const double x = (double(levels[i]) + weight) * kLn10Over10;
        const bool inside = std::abs(x) <= vmath::kExpLimit;
        sum[i] += inside ? vmath::expModerate(x) : 0.0;
        odd[i] = inside ? 0 : 1;
        count += inside ? 0 : 1;
    }
    return count;
}

} // namespace

void addBandPowers(const float* levels, int n, double weight, double* sum)
{
    constexpr int kChunk = 256;
    int64_t odd[kChunk];
    for (int at = 0; at < n; at += kChunk) {
        const int m = std::min(kChunk, n - at);
        if (powerPass(levels + at, m, weight, sum + at, odd) == 0)
            continue;
        for (int i = 0; i < m; ++i)
            if (odd[i])
                sum[at + i] += std::pow(10.0, (double(levels[at + i]) + weight) / 10.0);
    }
}

void bandAverages(const double* sum, int n, int bands, float* out)
{
    for (int i = 0; i < n; ++i)
        out[i] = bands == 0 ? NAN : static_cast<float>(10.0 * std::log10(sum[i] / double(bands)));
}

void BandAccumulator::add(std::span<const float> levels, double weight)
{
    assert(levels.size() == m_sum.size());
    addBandPowers(levels.data(), int(levels.size()), weight, m_sum.data());
    ++m_bands;
}

void BandAccumulator::averages(std::span<float> out) const
{
    assert(out.size() == m_sum.size());
    bandAverages(m_sum.data(), int(m_sum.size()), m_bands, out.data());
}

} // namespace spl
