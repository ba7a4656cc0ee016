#pragma once

#include "project/data/CalculationSettings.h"
#include "spl/CellGrid.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include <vector>

namespace spl {

/// The array reduced to what the level model needs: its shape, its straight
/// source and its curved part. Fields not written for the array's shape stay 0.
struct Geometry
{
    int16_t CasArray = 0;      ///< 1 straight, 2 straight tilted, 3 curved, 4 curved tilted
    int16_t CaixesRectes = 0;  ///< zero splays from box 2 on
    float AlturaRecta = 0;     ///< height of the straight top section
    int16_t CaixesCorbes = 0;  ///< boxes of the curved part
    float AngleCorbaTotal = 0; ///< sum of the splays of the curved part
    float AngleCorbaMig = 0;   ///< mean splay of the curved part
    float AmpladaCorba = 0;    ///< horizontal extent of the curved part
    float AlturaCorba = 0;     ///< vertical extent of the curved part
    float RadiCorba = 0;       ///< radius of the curved part
    float alturarray = 0;      ///< height of the straight line source
    float ycerclefresnel = 0;  ///< height of its centre: the grid's vertical origin
    float SPLTotalFLAT = 0;    ///< level at 1 m of a straight array, dB
    float SPLTotalCURBAT = 0;  ///< level at 1 m of a curved array, dB

    bool curved() const { return CasArray == 3 || CasArray == 4; }
    /// The reference level of the array's shape.
    float Lref() const { return curved() ? SPLTotalCURBAT : SPLTotalFLAT; }
};

/// The six level classes, 1 loudest (above 120 dB) to 6 quietest (below 95 dB).
inline constexpr int kClasses = 6;

/// One calculation's result: the geometry, the near-field limit, the grid's
/// dimensions and steps, the per-cell grids and the class counts per row.
///
/// Rows run from 1 at the top to PartYFarField, the centre row being
/// FilesSobre + 1; columns from 1 at the array plane to ParticionsXmapa. The
/// cell centres depend only on the column (x) and on the row (y), so they are
/// kept once per column and per row. The other grids are flat, row-major, and
/// empty when the request did not ask to keep the cells. A model that has no
/// near field (the box-by-box one) keeps the levels only.
struct Result : Geometry
{
    LevelModelKind model = LevelModelKind::Classic; ///< the model that gave the levels
    float distanciaborder = 0; ///< near-field limit distance; 0 when there is no near field
    float PasHoritzontal = 0;  ///< cell width, m
    int16_t ParticionsXmapa = 0;
    int16_t FilesSota = 0; ///< rows from the centre row down, centre row included
    int16_t FilesSobre = 0;
    int16_t PartYFarField = 0;
    int16_t frequencia = 0;
    float landamig = 0;
    /// The band range whose average the levels are; none for a single band.
    std::optional<BandRange> bands = std::nullopt;
    float resolucioy = 0;

    std::vector<float> columnX; ///< cell centre distance from the array plane, per column
    std::vector<float> rowY;    ///< cell centre height above the floor, per row
    CellGrid<int8_t> nField;    ///< 1 for a near-field cell
    CellGrid<int8_t> border;    ///< 1 for a cell nearer than the limit but off the source
    CellGrid<float> splInicial;
    CellGrid<float> graus;
    /// The level the level model gave each cell. The centre row holds its own
    /// levels; the map shows it with those of the row below (see MatriuDistribucio).
    CellGrid<float> spl;
    /// Cells of each class per row, kClasses per row, after the centre-row copy.
    std::vector<float> distribucio;

    float MatriuX(int, int c) const { return columnX[std::size_t(c - 1)]; }
    float MatriuY(int r, int) const { return rowY[std::size_t(r - 1)]; }
    int16_t MatriuNField(int r, int c) const { return nField[cell(r, c)]; }
    int16_t MatriuBorder(int r, int c) const { return border[cell(r, c)]; }
    float MatriuSPLInicial(int r, int c) const { return splInicial[cell(r, c)]; }
    float MatriuGraus(int r, int c) const { return graus[cell(r, c)]; }
    float MatriuSPL(int r, int c) const { return spl[cell(r, c)]; }
    /// Number of cells of row r in class k (1..6).
    float MatriuDistribucio(int r, int k) const
    {
        return distribucio[std::size_t(r - 1) * kClasses + std::size_t(k - 1)];
    }

    /// Index of cell (r, c) in the flat grids.
    std::size_t cell(int r, int c) const
    {
        return std::size_t(r - 1) * std::size_t(ParticionsXmapa) + std::size_t(c - 1);
    }
};

} // namespace spl
