#include "spl/BandResponse.h"

#include "spl/Bands.h"
#include "spl/LevelModel.h"

namespace spl {

BandResponse bandResponseAt(const Request& request, double X, double Y)
{
    BandResponse s;
    s.X = X;
    s.Y = Y;
    const float x = static_cast<float>(X), y = static_cast<float>(Y);
    std::array<double, kFrequencies.size()> flat{}, a{};
    for (std::size_t b = 0; b < kFrequencies.size(); ++b) {
        levelModel(bandRequest(request, kFrequencies[b]))
            ->levelsAt({&x, 1}, {&y, 1}, {&s.levels[b], 1});
        a[b] = aWeighting(kFrequencies[b]);
    }
    s.averageFlat = powerAverage(s.levels, flat);
    s.averageA = powerAverage(s.levels, a);
    return s;
}

} // namespace spl
