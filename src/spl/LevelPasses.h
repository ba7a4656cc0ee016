#pragma once

#include "spl/Request.h"
#include "spl/Result.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace spl {

/// A level as the grids store it: a single; a level with no value (the
/// logarithm of a negative magnitude, reachable only with a box height or pitch
/// of zero or less) is stored as minus infinity, the lowest class.
inline float storedLevel(double level)
{
    return std::isnan(level) ? -std::numeric_limits<float>::infinity() : static_cast<float>(level);
}

/// The figures of Calculargraus and CalculardBFarField that do not depend on
/// the cell, worked out once per calculation.
struct RowModel
{
    bool curved = false;
    float yc = 0;
    double pi = 0;
    double Kfar = 0;    ///< level of a far cell before the distance and directivity terms
    double Kborder = 0; ///< the same for a border cell
    // Straight source: x = Kx sin(theta).
    double Kx = 0;
    // Curved array.
    double Ku = 0;                  ///< u = Ku sin(theta)
    double Ka = 0;                  ///< a = Ka sin(theta)
    double Cpsi = 0;                ///< psi = Cpsi cos(beta)
    double Cg = 0;                  ///< g = Cg sin(beta)
    double Cg180 = 0;               ///< the same, as written for the numerator of the element term
    double arcScale = 0;            ///< arc length / number of boxes of the curved part
    std::vector<double> cosK, sinK; ///< cos and sin of k times the mean splay
    std::vector<double> psiC, psiS; ///< the same times Cpsi, in quarter turns (2 / pi)
    std::vector<double> elemC, elemS;           ///< the same times Cg180
    std::vector<double> elemTurnsC, elemTurnsS; ///< the same in half turns (1 / pi)
    double elementRatio = 1;                    ///< Cg180 / Cg
    bool wideTrig = false;                      ///< arguments too large for the fast reduction
    bool lowElement = false;                    ///< element arguments small enough for vmath::sinc
};

RowModel prepareRows(const Request& in, const Result& geometry);

/// Where one row's cells go.
struct RowCells
{
    int8_t* nField = nullptr;
    int8_t* border = nullptr;
    float* splInicial = nullptr;
    float* graus = nullptr;
    float* spl = nullptr;
};

/// Working space of one thread.
struct RowBuffers
{
    explicit RowBuffers(int) {}
    static constexpr int kChunk = 256;
    alignas(64) double st[kChunk], ct[kChunk], re[kChunk], im[kChunk], w[kChunk];
    alignas(64) int64_t flag[kChunk], odd[kChunk], weak[kChunk];
    alignas(64) int32_t interval[kChunk];
    alignas(64) double x[kChunk];
};

/// A curved array's P and Q (the straight section combined with the arc sum)
/// tabulated over the elevation angle, for grids with many more cells than the
/// table has intervals: each cell then evaluates its interval's polynomial
/// instead of adding the arc sum's terms and working out the straight section.
/// The polynomials (degree 9, complex P + iQ) interpolate at the Chebyshev
/// points of their interval, whose width follows the highest angular frequency
/// of P and Q so that their error stays below 1e-13 of their size. A cell whose level could
/// move by more than 1e-8 dB for it, or that lies near a class bound, is
/// computed term by term.
struct DirectivityTable
{
    static constexpr int kDegree = 9;
    double start = 0; ///< lower end of the first interval, quarter turns
    double width = 0; ///< width of an interval, quarter turns
    int intervals = 0;
    /// Per interval, the coefficients of x^0 .. x^9, P and Q side by side, x
    /// running from -1 to 1 over the interval.
    std::vector<double> coef;
    double minAmplitude2 = 0; ///< weaker cells (P^2 + Q^2) are computed term by term
    bool empty() const { return intervals == 0; }
};

/// The table for elevation angles from tauMin to tauMax (quarter turns), its
/// coefficients still to be filled; or an empty table when computing the
/// `cells` cells term by term costs less than making it: for straight arrays,
/// short arcs, small grids and angles too large for the fast functions.
DirectivityTable planDirectivityTable(const RowModel& model, double tauMin, double tauMax,
                                      long long cells);

/// Fills the coefficients of intervals first..end-1 of a planned table; parts
/// that do not overlap may be filled at the same time.
void fillDirectivityTable(const RowModel& model, DirectivityTable& table, int first, int end);

/// The elevation angles of a row's cells (Calculargraus) with their sines and
/// cosines: they depend on the array's shape and the cell, not on the band.
struct RowAngles
{
    std::vector<float> graus;
    std::vector<double> st, ct;
};

/// The angles of columns 0..cols-1 of the row at height Y, exactly as farRow
/// works them out.
void rowAngles(const RowModel& model, const float* X, const double* invX, float Y, int cols,
               RowAngles& out, RowBuffers& scratch);

/// Calculargraus and CalculardBFarField over columns from..cols-1 of one row at
/// height Y: the elevation angle and final level of every cell outside the near
/// field; columns below borderEnd are border cells. `invX` is 1 / X and
/// `onAxis` the level of an on-axis cell, per column. `table`, when given and
/// not empty, stands in for the terms of a curved array's P and Q. `angles`,
/// when given, are the row's (see rowAngles), worked out once for several bands.
void farRow(const RowModel& model, const DirectivityTable* table, const float* X,
            const double* invX, const float* onAxis, float Y, int from, int borderEnd, int cols,
            RowCells& row, RowBuffers& scratch, const RowAngles* angles = nullptr);

} // namespace spl
