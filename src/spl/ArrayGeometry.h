#pragma once

#include "spl/Request.h"
#include "spl/Result.h"

namespace spl {

/// The sensitivity S of a model, dB: 104 for TS250, 99 for TS160, 0 for any
/// other index.
constexpr double sensitivity(int modelcaixa)
{
    return modelcaixa == 0 ? 104.0 : modelcaixa == 1 ? 99.0 : 0.0;
}

/// The reference level at 1 m of `numca` boxes fed with `pot` watts:
/// 10 log10(numca) + S + 10 log10(pot), S being the model's sensitivity (104 dB
/// for TS250, 99 dB for TS160, 0 for other models). No boxes give 0. The count
/// may be fractional (a near-field count); a negative one gives minus infinity.
float CalcularSPLInicial(int pot, double numca, int modelcaixa);

/// Classifies the array into one of four shapes and writes its reference
/// level; for a curved array also the straight section, the curved part's
/// boxes and splays, then its extents and radius. A curved part whose splays
/// sum to zero (possible only with typed negative angles) is treated as
/// straight, so the radius never divides by tan 0.
void CasInclinacio(const Request& in, Geometry& g);

/// Horizontal and vertical extents of the curved part (boxes after the
/// straight section, without the tilt of box 1).
void Calcularampladaarray(const Request& in, Geometry& g);

/// Radius of the curved part: AlturaCorba / tan(AngleCorbaTotal) + AmpladaCorba.
void CalcularRadi(const Request& in, Geometry& g);

/// Height of the straight line source (the whole array when straight, the
/// straight top section when curved) and height of its centre above the floor.
void CalcularCentreArray(const Request& in, Geometry& g);

/// The near-field limit distance of a straight source as long as the whole
/// array; 0 when the frequency is too low or the array too short for one.
float CalcularNearField(const Request& in);

} // namespace spl
