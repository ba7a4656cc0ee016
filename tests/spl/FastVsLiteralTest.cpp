#include "LiteralModel.h"
#include "RandomProjects.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"
#include "spl/LevelPasses.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <span>
#include <tuple>

namespace {

/// Levels within `dB` of each other (0: a unit in the last place of their
/// single), and always in the same class.
void expectSameLevels(std::span<const float> a, std::span<const float> b, double dB)
{
    ASSERT_EQ(a.size(), b.size());
    int bad = 0;
    for (std::size_t i = 0; i < a.size() && bad < 5; ++i) {
        const bool close = a[i] == b[i] || (dB > 0 ? std::abs(double(a[i]) - b[i]) <= dB
                                                   : std::nextafter(a[i], b[i]) == b[i]);
        if (!close || spl::levelClass(a[i]) != spl::levelClass(b[i])) {
            ++bad;
            ADD_FAILURE() << "cell " << i << ": " << a[i] << " vs " << b[i];
        }
    }
}

/// Every field, every cell and every count of two results, the levels within
/// `dB` and always in the same class (never NaN).
void expectSameResult(const spl::Result& fast, const spl::Result& lit, const std::string& what,
                      double dB = 1e-4)
{
    SCOPED_TRACE(what);
    const auto shape = [](const spl::Result& r) {
        return std::tie(r.CasArray, r.CaixesRectes, r.AlturaRecta, r.CaixesCorbes,
                        r.AngleCorbaTotal, r.AngleCorbaMig, r.AmpladaCorba, r.AlturaCorba,
                        r.RadiCorba, r.alturarray, r.ycerclefresnel, r.SPLTotalFLAT,
                        r.SPLTotalCURBAT, r.distanciaborder, r.PasHoritzontal, r.ParticionsXmapa,
                        r.FilesSota, r.FilesSobre, r.PartYFarField);
    };
    ASSERT_EQ(shape(fast), shape(lit));
    const auto cells = [](const spl::Result& r) {
        return std::tie(r.columnX, r.rowY, r.nField, r.border, r.splInicial, r.graus,
                        r.distribucio);
    };
    EXPECT_EQ(cells(fast), cells(lit));
    expectSameLevels(fast.spl, lit.spl, dB);
}

} // namespace

// Every field and cell as the literal model, at every frequency, for projects
// as the main window holds them and as hand-edited files may hold them (any
// model index, no boxes, typed angles of every sign or that cancel, odd box
// dimensions, a radius of kilometres: only the classes there). A calculation
// that keeps no cells keeps the same class counts.
TEST(FastVsLiteral, RandomProjectsAtEveryFrequency)
{
    std::mt19937 rng(20261207);
    auto pick = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(rng); };
    int project = 0;
    for (int16_t f : spl::kFrequencies)
        for (int i = 0; i < 7; ++i, ++project) {
            spl::Request req = randomRequest(rng, f, float(4 + pick(7)) / 10.0f);
            req.alturamax = std::min(req.alturamax, 8.0f);
            req.keepCells = i != 3;
            const int kind = i < 4 ? -1 : project % 6; // as edited by hand
            if (kind == 0)
                req.modelcaixa = int16_t(2 + pick(3));
            req.pot = spl::potFor(req.modelcaixa);
            req.N = kind == 1 ? 0 : req.N;
            for (std::size_t k = 1; kind == 2 && k <= 16; ++k)
                req.angle[k] = pick(40) - 20;
            if (kind == 2 && project % 12 == 2 && req.N >= 3) // splays that cancel: straight
                req.angle[std::size_t(req.N)] =
                    -std::accumulate(&req.angle[2], &req.angle[std::size_t(req.N)], 0.0);
            if (kind == 3) // a negative, no and a unit pitch in turn
                req.ampladaunacaixa = float((project / 6) % 3) - 1.0f;
            if (kind == 4)
                req.alturaunacaixa = float(pick(3)) - 1.0f;
            if (kind == 5) {
                req.angle[2] = 0.001;
                req.angle[3] = 0;
            }
            const auto lit = literalCalculation(req);
            const auto fast = spl::calculate(req, 1 + i % 2);
            const std::string what = "f=" + std::to_string(f) + " project " + std::to_string(i);
            ASSERT_EQ(lit.has_value(), fast.has_value()) << what;
            if (!lit)
                continue;
            if (req.keepCells) { // the literal model's sums lose digits in a huge radius's nulls
                expectSameResult(*fast, *lit, what, kind == 5 ? INFINITY : 1e-4);
            } else {
                EXPECT_TRUE(fast->spl.empty() && fast->distribucio == lit->distribucio) << what;
            }
        }
}

// Grids large enough for the calculation to make a table, cell by cell: sixteen
// boxes of the larger model bent up to 6 degrees a box, 12 m high, a long arc
// whose sum has deep nulls at high frequencies. With a table of a few angles
// only, the rows' angles beyond it are computed term by term.
TEST(DirectivityTable, LargeGridsAsTheLiteralModel)
{
    spl::Request arc;
    arc.N = 16;
    const double splays[] = {2, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
    for (std::size_t k = 1; k <= 16; ++k)
        arc.angle[k] = splays[k - 1];
    arc.T = arc.alturamax = 12;
    arc.offsetmax = 60;
    arc.resolucioy = 0.3f;
    for (int16_t hz : {int16_t(630), int16_t(5000), int16_t(10000)}) {
        const spl::Request req = spl::bandRequest(arc, hz);
        const auto lit = literalCalculation(req);
        const auto fast = spl::calculate(req, 2);
        ASSERT_TRUE(lit && fast);
        SCOPED_TRACE(hz);
        expectSameLevels(fast->spl, lit->spl, 0);
        EXPECT_EQ(fast->distribucio, lit->distribucio);
        if (hz != 5000)
            continue;
        const spl::RowModel model = spl::prepareRows(req, *fast);
        spl::DirectivityTable narrow = spl::planDirectivityTable(model, 0.0, 0.05, 1LL << 40);
        ASSERT_FALSE(narrow.empty());
        spl::fillDirectivityTable(model, narrow, 0, narrow.intervals);
        const auto n = std::size_t(fast->ParticionsXmapa);
        std::vector<double> invX(fast->columnX.begin(), fast->columnX.end());
        std::for_each(invX.begin(), invX.end(), [](double& x) { x = 1 / x; });
        std::vector<int8_t> flags(2 * n);
        std::vector<float> row(5 * n); // no on-axis level, level, angle, two final levels
        auto scratch = std::make_unique<spl::RowBuffers>(int(n));
        for (const float Y :
             {fast->rowY.front(), fast->MatriuY(fast->FilesSobre - 4, 1), fast->rowY.back()}) {
            for (const std::size_t at : {3 * n, 4 * n}) {
                spl::RowCells cells{&flags[0], &flags[n], &row[n], &row[2 * n], &row[at]};
                spl::farRow(model, at == 3 * n ? &narrow : nullptr, fast->columnX.data(),
                            invX.data(), row.data(), Y, 0, int(n) / 4, int(n), cells, *scratch);
            }
            expectSameLevels({&row[3 * n], n}, {&row[4 * n], n}, 0);
        }
    }
}
