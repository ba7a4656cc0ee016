#pragma once

#include "app/CalculationOptions.h"
#include "project/data/CalculationSettings.h"

#include <QString>

namespace picture {
class ShownPicture;
}

/// What the commands that make a map read beyond the band and resolution:
/// --style distribution|cells and --model classic|coherent.
inline const QStringList kMapOptions = {QStringLiteral("--style"), QStringLiteral("--model")};

/// The map style and level model the options name (the distribution and the
/// classic model when they name none), into `settings`. Returns the one-line
/// reason an unknown name is refused, or an empty string.
QString readMapOptions(const CalculationOptions& options, CalculationSettings& settings);

/// The SPL button and CALCULATE on `shown`, without any window: the side view
/// redrawn, `settings` (with the setup's band and resolution) made the
/// document's, the map calculated and painted. Returns the message that
/// refused it (no audience, a grid too large), or an empty string.
QString calculateShownMap(CalculationSetup& setup, const CalculationOptions& options,
                          CalculationSettings settings, picture::ShownPicture& shown);
