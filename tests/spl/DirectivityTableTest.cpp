#include "LiteralModel.h"
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
    spl::Request r;
    r.N = 16;
    const double splays[] = {2, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
    for (std::size_t k = 1; k <= 16; ++k)
        r.angle[k] = splays[k - 1];
    r.T = r.alturamax = 12;
    r.offsetmax = 60;
    r.frequencia = hz;
    r.landamig = spl::landamigFor(r.velso, hz);
    r.resolucioy = resolution;
    return r;
}

/// The levels of the far cells, row after row, with the given table or without one.
std::vector<float> farLevels(const spl::Request& req, const spl::DirectivityTable* table)
{
    const spl::Calculation calc(req);
    const spl::Result& g = calc.result();
    const spl::RowModel model = spl::prepareRows(req, g);
    const int cols = g.ParticionsXmapa;
    const auto size = std::size_t(cols);
    std::vector<double> invX(size);
    for (std::size_t c = 0; c < size; ++c)
        invX[c] = 1 / double(g.columnX[c]);
    const std::vector<float> onAxis(size, 0.0f);
    std::vector<int8_t> nField(size), border(size);
    std::vector<float> splInicial(size), graus(size), spl(size), levels;
    auto scratch = std::make_unique<spl::RowBuffers>(cols);
    for (float Y : g.rowY) {
        spl::RowCells row{nField.data(), border.data(), splInicial.data(), graus.data(),
                          spl.data()};
        spl::farRow(model, table, g.columnX.data(), invX.data(), onAxis.data(), Y, 0, cols / 4,
                    cols, row, *scratch);
        levels.insert(levels.end(), spl.begin(), spl.end());
    }
    return levels;
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

// A table of a few angles only: the angles beyond it are computed term by term.
TEST(DirectivityTable, AnglesBeyondTheTableAreComputedTermByTerm)
{
    const spl::Request req = longArc(4000, 0.5f);
    const spl::Calculation calc(req);
    const spl::RowModel model = spl::prepareRows(req, calc.result());
    spl::DirectivityTable narrow = spl::planDirectivityTable(model, 0.0, 0.05, 1LL << 40);
    ASSERT_FALSE(narrow.empty());
    spl::fillDirectivityTable(model, narrow, 0, narrow.intervals);
    expectSameLevels(farLevels(req, &narrow), farLevels(req, nullptr));
}

// Grids large enough for the calculation to make a table, cell by cell.
TEST(DirectivityTable, LargeGridsAsTheLiteralModel)
{
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
