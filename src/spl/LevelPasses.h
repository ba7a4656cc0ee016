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
    alignas(64) int64_t flag[kChunk], odd[kChunk];
};

/// Calculargraus and CalculardBFarField over columns from..cols-1 of one row at
/// height Y: the elevation angle and final level of every cell outside the near
/// field; columns below borderEnd are border cells. `invX` is 1 / X and
/// `onAxis` the level of an on-axis cell, per column.
void farRow(const RowModel& model, const float* X, const double* invX, const float* onAxis, float Y,
            int from, int borderEnd, int cols, RowCells& row, RowBuffers& scratch);

} // namespace spl
