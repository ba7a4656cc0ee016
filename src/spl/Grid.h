#pragma once

#include "spl/Request.h"
#include "spl/Result.h"

namespace spl {

/// The tag, in the "MsgBox" section of the language files, of the message that
/// refuses a grid too large to calculate.
inline constexpr const char* kGridRefusedTag = "Grid";

/// Largest number of rows or of columns of a grid (they are 16-bit numbers).
inline constexpr int kMaxGridSide = 32767;
/// Largest number of cells of a grid.
inline constexpr long long kMaxGridCells = 10'000'000;

/// The grid over the vertical plane in front of the array: sets resolucioy,
/// PasHoritzontal (from the outer size of Picture44), runs CalcularCentreArray,
/// then sets the number of columns and of rows below and above the centre of
/// the straight source, and the cell centres of every column and row. Numbers
/// are singles, whole numbers round half to even.
///
/// Returns false, leaving the grid's dimensions at 0, when the grid cannot be
/// made: more than kMaxGridSide rows or columns, more than kMaxGridCells cells,
/// or a negative number of rows (a source above the map).
bool PintarMapa(const Request& in, Result& out);

/// The class (1..6) of a level: above 120 dB is 1, then the upper bounds 120,
/// 110, 105 and 100 dB are inclusive, 95 dB falls in class 5 and below it is 6.
/// Minus infinity is class 6.
inline int levelClass(float L)
{
    if (L < 95)
        return 6;
    if (L <= 100)
        return 5;
    if (L <= 105)
        return 4;
    if (L <= 110)
        return 3;
    if (L <= 120)
        return 2;
    return 1;
}

/// Adds the class of each of `n` levels to the six counts of one row.
void countClasses(const float* levels, int n, float* counts);

/// The map shows the centre row with the levels of the row below it, when
/// there is one: its class counts become those of that row.
void copyCentreRowCounts(Result& r);

/// Counts the classes of every row from the kept cell levels, the centre row
/// with the levels of the row below it.
void OmplirMatriusGradient(Result& r);

} // namespace spl
