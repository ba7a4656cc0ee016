#pragma once

#include "spl/Result.h"

#include <QByteArray>
#include <QIODevice>

namespace spl {

/// The result as one JSON object: the array figures, the near-field limit, the
/// grid's dimensions and steps, the frequency and "MatriuDistribucio", one
/// array of six counts per row. A map of another model than the classic one
/// starts with "model" (its name) and has the grid's figures only. A band
/// average says its range and weighting after the frequency (see weightingName). Reals carry 9
/// significant digits; infinities and NaN are the strings "inf", "-inf" and "nan". No trailing
/// newline.
QByteArray gridJson(const Result& r);

/// Writes one CSV line per cell, rows from the top, after the header
/// "row,col,X,Y,NField,Border,SPLInicial,Graus,SPL"; SPL is the level the
/// level model gave the cell (the other columns are 0 for a model that keeps
/// the levels only). Needs the kept cells. Returns false when the
/// device fails.
bool writeCellsCsv(const Result& r, QIODevice& out);

} // namespace spl
