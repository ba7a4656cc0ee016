#pragma once

#include "platform/DrawList.h"

/// The decorative pictures of the SPL window, drawn by the program. Both are
/// drawn on surface 0 in units of their own size (one unit a pixel).
namespace spl {

/// `Image1`: a curved line array hanging from its bar, with the sound leaving
/// it in the colours of the map.
DrawList arrayPicture(double width, double height);

/// `Image2`: the six class ramps of the map side by side, loudest first.
DrawList rampPicture(double width, double height);

} // namespace spl
