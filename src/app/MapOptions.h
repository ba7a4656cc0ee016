#pragma once

#include "app/CalculationOptions.h"
#include "project/data/CalculationSettings.h"

#include <QString>

namespace picture {
class ShownPicture;
}

/// A band average instead of one band: --bands LO-HI (two band centres, LO
/// not above HI) and --weighting flat|a (flat when not given; only with --bands).
inline const QStringList kBandOptions = {QStringLiteral("--bands"), QStringLiteral("--weighting")};

/// What the commands that make a map read beyond the band and resolution:
/// --style distribution|cells, --model classic|coherent and the band options.
inline const QStringList kMapOptions =
    QStringList{QStringLiteral("--style"), QStringLiteral("--model")} + kBandOptions;

/// The map style, level model and band range the options name (the
/// distribution, the classic model and one band when they name none), into
/// `settings`. Returns the one-line reason an option is refused, or an empty
/// string.
QString readMapOptions(const CalculationOptions& options, CalculationSettings& settings);

/// The band range of --bands and --weighting, into `bands` (none without
/// --bands). Returns the one-line reason they are refused, or an empty string.
QString readBandOptions(const CalculationOptions& options, std::optional<spl::BandRange>& bands);

/// What every command that makes a map does first: the map options into
/// `settings` (see readMapOptions), then `setup` prepared from the options
/// (the project loaded, the band and resolution read). Returns the one-line
/// reason either refused, or an empty string.
QString prepareMapCommand(const CalculationOptions& options, CalculationSettings& settings,
                          CalculationSetup& setup);

/// The SPL button and CALCULATE on `shown`, without any window: the side view
/// redrawn, `settings` (with the setup's band and resolution) made the
/// document's, the map calculated and painted. Returns the message that
/// refused it (no audience, a grid too large), or an empty string.
QString calculateShownMap(CalculationSetup& setup, const CalculationOptions& options,
                          CalculationSettings settings, picture::ShownPicture& shown);
