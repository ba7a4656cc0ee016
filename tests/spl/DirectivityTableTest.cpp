#include "LiteralModel.h"
#include "RandomProjects.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"
#include "spl/LevelPasses.h"

#include <cmath>
#include <gtest/gtest.h>
#include <span>
#include <vector>

namespace {

/// Sixteen boxes of the larger model bent up to 6 degrees a box, 12 m high:
/// a long arc whose sum has deep nulls at high frequencies.
spl::Request longArc(int16_t hz, float resolution)
{
    std::mt19937 rng(1);
    spl::Request r = randomRequest(rng, hz, resolution);
    r.modelcaixa = 0;
    r.pot = spl::potFor(0);
    r.alturaunacaixa = 0.314f;
    r.ampladaunacaixa = 0.572f;
    r.N = 16;
    const double splays[] = {2, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
    for (int k = 1; k <= 16; ++k)
        r.angle[std::size_t(k)] = splays[k - 1];
    r.T = 12;
    r.alturamax = 12;
    r.offsetmax = 60;
    return r;
}

/// Every row of a grid through farRow, with the given table or without one;
/// the levels of the far cells, row after row.
std::vector<float> farLevels(const spl::Request& req, const spl::DirectivityTable* table)
{
    const spl::Calculation calc(req);
    const spl::Result& g = calc.result();
    const spl::RowModel model = spl::prepareRows(req, g);
    const int cols = g.ParticionsXmapa;
    const auto size = static_cast<std::size_t>(cols);
    std::vector<double> invX(size);
    for (int c = 0; c < cols; ++c)
        invX[std::size_t(c)] = 1 / double(g.columnX[std::size_t(c)]);
    const std::vector<float> onAxis(size, 0.0f);
    std::vector<int8_t> nField(size), border(size);
    std::vector<float> splInicial(size), graus(size), spl(size);
    auto scratch = std::make_unique<spl::RowBuffers>(cols);
    std::vector<float> levels;
    for (float Y : g.rowY) {
        spl::RowCells row{nField.data(), border.data(), splInicial.data(), graus.data(),
                          spl.data()};
        spl::farRow(model, table, g.columnX.data(), invX.data(), onAxis.data(), Y, 0, cols / 4,
                    cols, row, *scratch);
        levels.insert(levels.end(), spl.begin(), spl.end());
    }
    return levels;
}

/// The table for the whole grid, or for the angles from tauMin to tauMax only.
spl::DirectivityTable tableFor(const spl::Request& req, double tauMin = -1.0001,
                               double tauMax = 1.0001)
{
    const spl::Calculation calc(req);
    const spl::RowModel model = spl::prepareRows(req, calc.result());
    spl::DirectivityTable table = spl::planDirectivityTable(model, tauMin, tauMax, 1LL << 40);
    spl::fillDirectivityTable(model, table, 0, table.intervals);
    return table;
}

/// Levels equal to a unit in the last place of their single, in the same class.
void expectSameLevels(std::span<const float> a, std::span<const float> b)
{
    ASSERT_EQ(a.size(), b.size());
    int bad = 0;
    for (std::size_t i = 0; i < a.size() && bad < 5; ++i) {
        const bool close = a[i] == b[i] || std::nextafter(a[i], b[i]) == b[i];
        if (!close || spl::levelClass(a[i]) != spl::levelClass(b[i])) {
            ++bad;
            ADD_FAILURE() << "cell " << i << ": " << a[i] << " vs " << b[i];
        }
    }
}

} // namespace

TEST(DirectivityTable, PlannedOnlyWhereItPays)
{
    const spl::Request req = longArc(8000, 0.3f);
    const spl::Calculation calc(req);
    const spl::RowModel model = spl::prepareRows(req, calc.result());
    EXPECT_FALSE(spl::planDirectivityTable(model, -1, 1, 1'000'000).empty());
    EXPECT_TRUE(
        spl::planDirectivityTable(model, -1, 1, 2'000).empty()); // a few cells: term by term

    spl::Request straight = req;
    for (int k = 2; k <= 16; ++k)
        straight.angle[std::size_t(k)] = 0;
    const spl::Calculation line(straight);
    EXPECT_TRUE(
        spl::planDirectivityTable(spl::prepareRows(straight, line.result()), -1, 1, 1'000'000)
            .empty());
}

// A table of a few angles only: the rows as computed term by term, the angles
// beyond the table too (the whole table is checked through the calculation).
TEST(DirectivityTable, AnglesBeyondTheTableAreComputedTermByTerm)
{
    const spl::Request req = longArc(4000, 0.5f);
    const spl::DirectivityTable narrow = tableFor(req, 0.0, 0.05);
    ASSERT_FALSE(narrow.empty());
    expectSameLevels(farLevels(req, &narrow), farLevels(req, nullptr));
}

TEST(DirectivityTable, LargeGridsAsTheLiteralModel)
{
    // Grids large enough for the calculation to make a table, against the
    // literal model cell by cell.
    for (int16_t hz : {int16_t(630), int16_t(5000), int16_t(10000)}) {
        const spl::Request req = longArc(hz, 0.3f);
        const auto lit = literalCalculation(req);
        const auto fast = spl::calculate(req, 2);
        ASSERT_TRUE(lit && fast);
        SCOPED_TRACE(hz);
        expectSameLevels(fast->spl, lit->spl);
        EXPECT_EQ(fast->distribucio, lit->distribucio);
    }
}
