#pragma once

#include "platform/OneBased.h"
#include "project/data/CalculationSettings.h"

#include <array>
#include <cstdint>
#include <optional>

/// The SPL model: array geometry, level model and calculation grid, over plain
/// data. One calculation reads a Request and produces a Result; nothing is kept
/// between calculations, so several may run at once on different requests.
namespace spl {

/// The 21 third-octave band centres the SPL window offers, in its order.
inline constexpr std::array<int16_t, 21> kFrequencies = {100,  125,  160,  200,  250,  315,  400,
                                                         500,  630,  800,  1000, 1250, 1600, 2000,
                                                         2500, 3150, 4000, 5000, 6300, 8000, 10000};

/// Every figure one calculation reads, taken from the project and the SPL
/// window when it starts. Lengths in metres, angles in degrees.
struct Request
{
    int N = 0;                         ///< boxes in use (the numcaixes index + 1), 0..16
    OneBased<double, 16> angle;        ///< angle numbers of boxes 1..16: tilt of box 1, then splays
    int16_t modelcaixa = 0;            ///< 0 TS250, 1 TS160; other values have no sensitivity
    int16_t pot = 1000;                ///< power figure of the model, W (see potFor)
    float alturaunacaixa = 0.314f;     ///< h, front height of one box
    float ampladaunacaixa = 0.572f;    ///< d2, box pitch of the near-field count
    double T = 0;                      ///< number in Text13: height of the array's top point
    float pi = 3.1415167f;             ///< the program's single-precision pi
    int16_t velso = 345;               ///< speed of sound, m/s
    int16_t frequencia = 100;          ///< band centre, Hz
    float landamig = 1.725f;           ///< half wavelength, velso / (2 * frequencia)
    float resolucioy = 0.3f;           ///< vertical resolution (the SPL window's Text1)
    int16_t LongitudMapa = 200;        ///< the grid covers 1.5 * LongitudMapa metres
    float picture44Height = 7317;      ///< outer height of Picture44, twips
    float picture44Width = 11790;      ///< outer width of Picture44, twips
    float alturamax = 0;               ///< height of the view from the last side-view redraw
    float offsetmax = 0;               ///< width of the view from the last side-view redraw
    float SW1 = 121.06f, SH1 = 118.0f; ///< scale of Picture1, for painting the map
    float SW44 = 178.0f, SH44 = 212.3f; ///< scale of Picture44, for painting the map
    float SW33 = 177.45f;               ///< scale width of Picture33, whose map is turned
    /// Pixels of the overlays' pictures, where the map is turned.
    int16_t overlayWidth = 782, overlayHeight = 484;
    LevelModelKind model = LevelModelKind::Classic;
    /// The turn of the map by the tilt of box 1, radians (see rotationAngle);
    /// none when the view has no largest tilt. Only a model whose map is
    /// turned reads it.
    std::optional<double> turn;
    /// Whether the Result keeps the per-cell grids. Without them a calculation
    /// needs memory for its class counts only (enough for painting the map).
    bool keepCells = true;
    /// When set, every level is the band average over this range (see
    /// bandAverage); frequencia and landamig are then unused.
    std::optional<BandRange> bands = std::nullopt;
};

/// `request` for the single band centred at `hz`, with its half wavelength
/// and no band average.
Request bandRequest(const Request& request, int16_t hz);

/// The power figure the calculation uses for a model: 1000 W for TS250, 250 W
/// for TS160, 0 for any other index.
constexpr int16_t potFor(int modelcaixa)
{
    return modelcaixa == 0 ? int16_t{1000} : modelcaixa == 1 ? int16_t{250} : int16_t{0};
}

/// Half wavelength for a frequency: velso / (2 * frequencia), the product taken
/// as a 16-bit whole number, stored as a single.
float landamigFor(int16_t velso, int16_t frequencia);

/// Whether `hz` is one of the 21 band centres.
bool isBandCentre(int hz);

} // namespace spl
