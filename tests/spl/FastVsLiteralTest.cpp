#include "LiteralModel.h"
#include "RandomProjects.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

/// Every field, every cell and every count of two results, the levels within
/// 1e-4 dB and always in the same class.
void expectSameResult(const spl::Result& fast, const spl::Result& lit, const std::string& what)
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
    EXPECT_EQ(fast.columnX, lit.columnX);
    EXPECT_EQ(fast.rowY, lit.rowY);
    EXPECT_EQ(fast.nField, lit.nField);
    EXPECT_EQ(fast.border, lit.border);
    EXPECT_EQ(fast.splInicial, lit.splInicial);
    EXPECT_EQ(fast.graus, lit.graus);
    int bad = 0;
    for (std::size_t i = 0; i < lit.spl.size() && bad < 5; ++i) {
        const float a = fast.spl[i], b = lit.spl[i];
        const bool same = a == b || std::abs(double(a) - b) <= 1e-4;
        if (!same || spl::levelClass(a) != spl::levelClass(b)) {
            ++bad;
            ADD_FAILURE() << "cell " << i / std::size_t(lit.ParticionsXmapa) + 1 << ","
                          << i % std::size_t(lit.ParticionsXmapa) + 1 << ": " << a << " vs " << b;
        }
    }
    EXPECT_EQ(fast.distribucio, lit.distribucio);
}

} // namespace

// Every field and cell as the literal model; a calculation that keeps no cells
// keeps the same class counts.
TEST(FastVsLiteral, SmallRandomProjectsAtEveryFrequency)
{
    std::mt19937 rng(20261207);
    for (int16_t f : spl::kFrequencies)
        for (int i = 0; i < 5; ++i) {
            const float res = float(std::uniform_int_distribution<>(4, 10)(rng)) / 10.0f;
            spl::Request req = randomRequest(rng, f, res);
            req.alturamax = std::min(req.alturamax, 8.0f);
            req.keepCells = i != 4;
            const auto lit = literalCalculation(req);
            const auto fast = spl::calculate(req, 1 + i % 2);
            const std::string what = "f=" + std::to_string(f) + " project " + std::to_string(i);
            ASSERT_EQ(lit.has_value(), fast.has_value()) << what;
            if (lit && req.keepCells) {
                expectSameResult(*fast, *lit, what);
            } else if (lit) {
                EXPECT_TRUE(fast->spl.empty() && fast->distribucio == lit->distribucio) << what;
            }
        }
}

// Projects as hand-edited files may hold them (any model index, no boxes,
// typed angles of every sign, odd box dimensions, a radius of kilometres) give
// no NaN; those of another model index or angles of every sign are as the
// literal model.
TEST(FastVsLiteral, NoGridEverHoldsNaN)
{
    std::mt19937 rng(99);
    auto pick = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(rng); };
    for (int i = 0; i < 60; ++i) {
        spl::Request req = randomRequest(rng, spl::kFrequencies[std::size_t(pick(21))], 0.5f);
        req.alturamax = std::min(req.alturamax, 8.0f);
        const int kind = i % 6;
        if (kind == 0)
            req.modelcaixa = int16_t(2 + pick(3));
        req.pot = spl::potFor(req.modelcaixa);
        req.N = kind == 1 ? 0 : req.N;
        for (std::size_t k = 1; kind == 2 && k <= 16; ++k)
            req.angle[k] = pick(40) - 20;
        if (kind == 3)
            req.ampladaunacaixa = float(pick(3)) - 1.0f;
        if (kind == 4)
            req.alturaunacaixa = float(pick(3)) - 1.0f;
        if (kind == 5) {
            req.angle[2] = 0.001;
            req.angle[3] = 0;
        }
        const auto fast = spl::calculate(req, 2);
        ASSERT_TRUE(fast.has_value());
        for (const auto* grid : {&fast->splInicial, &fast->graus, &fast->spl})
            for (float v : *grid)
                ASSERT_FALSE(std::isnan(v)) << "project " << i;
        if (kind == 0 || kind == 2)
            expectSameResult(*fast, *literalCalculation(req), "project " + std::to_string(i));
    }
}
