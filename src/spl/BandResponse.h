#pragma once

#include "spl/Request.h"

#include <array>

namespace spl {

/// The level in every band at one point of the vertical plane, as the map of
/// each band shows it there (see LevelModel::levelsAt), and their averages over
/// all 21 bands, flat and A-weighted.
struct BandResponse
{
    double X = 0, Y = 0;                             ///< the point, m
    std::array<float, kFrequencies.size()> levels{}; ///< dB per band centre; NaN where none
    double averageFlat = 0;
    double averageA = 0;
};

/// The spectrum of `request`'s model and grid at (X, Y); the request's own band
/// and band range are not read.
BandResponse bandResponseAt(const Request& request, double X, double Y);

} // namespace spl
