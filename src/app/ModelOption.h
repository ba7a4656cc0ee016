#pragma once

#include "app/CalculationOptions.h"
#include "project/data/CalculationSettings.h"

/// The level model named by --model (classic when there is none) in `model`.
/// Returns the one-line reason an unknown name is refused, or an empty string.
QString readModelOption(const CalculationOptions& options, spl::LevelModelKind& model);
