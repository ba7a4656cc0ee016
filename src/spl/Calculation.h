#pragma once

#include "spl/Request.h"
#include "spl/Result.h"

#include <functional>
#include <memory>
#include <optional>

namespace spl {

struct RowAngles;

/// Where a near-field cell's Fresnel zone is counted: the straight source and
/// the figures of the count.
struct FresnelSource
{
    double T = 0;       ///< top of the source: the number in Text13
    double B = 0;       ///< bottom: T - alturarray
    float yc = 0;       ///< centre of the source, ycerclefresnel
    float landamig = 0; ///< half wavelength
    float d2 = 0;       ///< box pitch, ampladaunacaixa
    int Nb = 0;         ///< boxes of the straight source
    int pot = 0;        ///< power figure
    int modelcaixa = 0;
};

/// The near-field level of a cell at (X, Y): the reference level of the
/// (fractional) number of boxes of the straight source inside the first
/// Fresnel zone seen from the cell.
float CalcularcaixesFresnel(const FresnelSource& s, float X, float Y);

/// One calculation, open so that its rows can be computed in parts: the
/// constructor classifies the array, finds the near-field limit and lays out
/// the grid; computeRows fills rows; finish hands over the result. Disjoint row
/// ranges may be computed at the same time on different threads, so a caller
/// can spread the rows, stop early or throw the calculation away.
class Calculation
{
public:
    explicit Calculation(const Request& request);
    ~Calculation();
    Calculation(Calculation&&) noexcept;
    Calculation& operator=(Calculation&&) noexcept;

    /// The grid would be too large (see PintarMapa): there are no rows to compute.
    bool refused() const;
    /// Number of rows, PartYFarField.
    int rows() const;
    /// Computes rows first..last (1-based, inclusive): each cell's near-field
    /// class and level, elevation angle and final level (Calculargraus and
    /// CalculardBFarField), and the row's class counts. With `levels` the
    /// rows' final levels go there instead, row after row, and nothing is kept:
    /// neither the cells nor the counts. `angles`, with one row only, are that
    /// row's angles from rowAngles, made once for several bands.
    void computeRows(int first, int last, float* levels = nullptr,
                     const RowAngles* angles = nullptr);
    /// The elevation angles of row r's cells (see RowAngles): the same in every
    /// band, so that the calculations of several bands may share them.
    void rowAngles(int r, RowAngles& out) const;
    /// Gives the centre row the counts of the row below it and hands over the
    /// result. Call once, after every row was computed.
    Result finish();
    /// The result so far: geometry and grid dimensions are set from the start.
    const Result& result() const;

    /// The final level at each of `n` points (X[i], Y[i]) in the vertical
    /// plane, as the grid would give a cell centred there: the point is near
    /// field, border or far field by the same tests as a cell, with the left
    /// edge of the grid column it lies in (not its own distance) compared with
    /// the near-field limit, and its own height tested against the source.
    /// A point at a cell's centre thus gets exactly that cell's level. Points
    /// at or behind the array plane, and every point of a refused grid, get NaN.
    void levelsAt(const float* X, const float* Y, int n, float* levels) const;

private:
    /// Fills the directivity table, sharing the work with other threads that call it
    /// at the same time; returns once it is complete.
    void fillTable();
    /// Works out the per-column figures of the rows, once, whichever thread
    /// asks first.
    void prepareColumns() const;

    struct Model;
    std::unique_ptr<Model> m;
};

/// The whole calculation on up to `threads` threads (0: one per core); a grid
/// too small to repay starting a thread takes fewer. Returns nothing when the
/// grid is refused. `stop`, when given, is asked between batches of a few
/// rows: once it answers true the rows left are not computed and nothing is
/// returned either, so that a calculation no longer wanted ends early.
std::optional<Result> calculate(const Request& request, int threads = 0,
                                const std::function<bool()>& stop = {});

} // namespace spl
