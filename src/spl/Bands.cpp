#include "spl/Bands.h"

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
    if (levels.empty())
        return NAN;
    double sum = 0;
    for (std::size_t b = 0; b < levels.size(); ++b)
        sum += std::pow(10.0, (double(levels[b]) + weights[b]) / 10.0);
    return 10.0 * std::log10(sum / double(levels.size()));
}

void BandAccumulator::add(std::span<const float> levels, double weight)
{
    assert(levels.size() == m_sum.size());
    for (std::size_t i = 0; i < m_sum.size(); ++i)
        m_sum[i] += std::pow(10.0, (double(levels[i]) + weight) / 10.0);
    ++m_bands;
}

void BandAccumulator::averages(std::span<float> out) const
{
    assert(out.size() == m_sum.size());
    for (std::size_t i = 0; i < m_sum.size(); ++i)
        out[i] =
            m_bands == 0 ? NAN : static_cast<float>(10.0 * std::log10(m_sum[i] / double(m_bands)));
}

} // namespace spl
