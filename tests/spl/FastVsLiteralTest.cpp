#include "LiteralModel.h"
#include "RandomProjects.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"

#include <gtest/gtest.h>

namespace {

/// Every field, every cell and every count of two results, the levels within
/// 1e-4 dB and always in the same class.
void expectSameResult(const spl::Result& fast, const spl::Result& lit, const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(fast.CasArray, lit.CasArray);
    EXPECT_EQ(fast.CaixesRectes, lit.CaixesRectes);
    EXPECT_EQ(fast.AlturaRecta, lit.AlturaRecta);
    EXPECT_EQ(fast.CaixesCorbes, lit.CaixesCorbes);
    EXPECT_EQ(fast.AngleCorbaTotal, lit.AngleCorbaTotal);
    EXPECT_EQ(fast.AngleCorbaMig, lit.AngleCorbaMig);
    EXPECT_EQ(fast.AmpladaCorba, lit.AmpladaCorba);
    EXPECT_EQ(fast.AlturaCorba, lit.AlturaCorba);
    EXPECT_EQ(fast.RadiCorba, lit.RadiCorba);
    EXPECT_EQ(fast.alturarray, lit.alturarray);
    EXPECT_EQ(fast.ycerclefresnel, lit.ycerclefresnel);
    EXPECT_EQ(fast.SPLTotalFLAT, lit.SPLTotalFLAT);
    EXPECT_EQ(fast.SPLTotalCURBAT, lit.SPLTotalCURBAT);
    EXPECT_EQ(fast.distanciaborder, lit.distanciaborder);
    EXPECT_EQ(fast.PasHoritzontal, lit.PasHoritzontal);
    ASSERT_EQ(fast.ParticionsXmapa, lit.ParticionsXmapa);
    ASSERT_EQ(fast.FilesSota, lit.FilesSota);
    ASSERT_EQ(fast.FilesSobre, lit.FilesSobre);
    ASSERT_EQ(fast.PartYFarField, lit.PartYFarField);
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

TEST(FastVsLiteral, SmallRandomProjectsAtEveryFrequency)
{
    std::mt19937 rng(20261207);
    for (int16_t f : spl::kFrequencies)
        for (int i = 0; i < 6; ++i) {
            const float res = std::uniform_int_distribution<>(3, 10)(rng) / 10.0f;
            spl::Request req = randomRequest(rng, f, res);
            const auto lit = literalCalculation(req);
            const auto fast = spl::calculate(req, 1 + i % 2);
            ASSERT_EQ(lit.has_value(), fast.has_value());
            if (lit)
                expectSameResult(*fast, *lit,
                                 "f=" + std::to_string(f) + " project " + std::to_string(i));
        }
}
