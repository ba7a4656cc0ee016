#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace spl {

/// How a calculated map is painted: the per-row distribution of the level
/// classes (the default), or every cell at its place.
enum class MapStyle { Distribution, Cells };

/// The level models a map can be calculated with (see LevelModel).
enum class LevelModelKind {
    Classic,  ///< the straight source and the arc of equal splays, in the frame of the top box
    Coherent, ///< every box a source where it hangs, summed with its phase
};

/// The model's name in English, as the report writes it.
inline QString levelModelTitle(LevelModelKind kind)
{
    return kind == LevelModelKind::Coherent ? QStringLiteral("Box by box")
                                            : QStringLiteral("Classic");
}

/// How the bands of a band average are weighted: all alike, or by the
/// A-weighting at each band centre.
enum class Weighting { Flat, A };

/// A range of band centres (both ends among the 21, lo <= hi) whose levels are
/// power-averaged into one level, each band weighted as `weighting` says.
struct BandRange
{
    int16_t lo = 125;
    int16_t hi = 8000;
    Weighting weighting = Weighting::Flat;
    bool operator==(const BandRange&) const = default;
};

} // namespace spl

/// The choices a map is calculated and painted with, held once by the
/// document: the SPL window edits them, and everything that shows a level
/// (the map, the live map, the level along the areas, the report, render)
/// reads them there, so no two views can show different bands or models.
struct CalculationSettings
{
    int16_t frequencia = 100; ///< band centre, Hz
    QString resolutionText;   ///< the vertical resolution as typed, in the user's form
    spl::MapStyle style = spl::MapStyle::Distribution;
    spl::LevelModelKind model = spl::LevelModelKind::Classic;
    /// When set, every level is the band average over this range instead of
    /// the level in the single band `frequencia`.
    std::optional<spl::BandRange> bands = std::nullopt;

    bool operator==(const CalculationSettings&) const = default;
};
