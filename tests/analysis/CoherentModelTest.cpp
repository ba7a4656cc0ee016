#include "spl/CoherentModel.h"
#include "CoherentLiteral.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/Grid.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using spl::LevelModelKind;

spl::Request fromExample(const char* file, int16_t hz, const char* res)
{
    const HeadlessProject loaded =
        loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/") + file, QLocale::c());
    EXPECT_TRUE(loaded.document);
    return spl::requestFromDocument(
        *loaded.document, {hz, res, spl::MapStyle::Distribution, LevelModelKind::Coherent});
}

} // namespace

// Every `step`-th row of the map against the term-by-term evaluation: within
// 0.01 dB where the level is within 40 dB of the row's loudest, 0.1 dB
// elsewhere; and the classic grid.
TEST(CoherentModel, TheMapIsTheFormulaOnTheClassicGrid)
{
    std::mt19937 rng(21);
    std::vector<std::tuple<std::string, spl::Request, int>> cases = {
        {"demo 1 kHz", fromExample("demo.ini", 1000, "0.3"), 1},
        {"demo 100 Hz", fromExample("demo.ini", 100, "1"), 1},
        {"extreme 10 kHz", fromExample("extreme.ini", 10000, "0.1"), 23}};
    for (int16_t hz : {250, 2500, 8000}) {
        spl::Request r = randomRequest(rng, hz, 0.5f);
        r.model = LevelModelKind::Coherent;
        cases.emplace_back("random " + std::to_string(hz), r, 3);
    }
    for (const auto& [what, request, step] : cases) {
        SCOPED_TRACE(what);
        const auto model = spl::levelModel(request);
        EXPECT_FALSE(model->placement().corners); // never turned
        spl::Request classic = request;
        classic.model = LevelModelKind::Classic;
        const std::optional<spl::Result> g = model->grid(2), k = spl::levelModel(classic)->grid(2);
        ASSERT_TRUE(g && k);
        EXPECT_EQ(std::tie(g->ParticionsXmapa, g->FilesSota, g->FilesSobre, g->PasHoritzontal),
                  std::tie(k->ParticionsXmapa, k->FilesSota, k->FilesSobre, k->PasHoritzontal));
        EXPECT_EQ(g->columnX, k->columnX);
        EXPECT_EQ(g->rowY, k->rowY);

        int bad = 0;
        for (int row = 1; row <= g->PartYFarField; row += step) {
            std::vector<double> literal;
            for (int col = 1; col <= g->ParticionsXmapa; ++col)
                literal.push_back(
                    literalCoherentLevel(request, g->MatriuX(row, col), g->MatriuY(row, col)));
            const double loudest = *std::max_element(literal.begin(), literal.end());
            for (int col = 1; col <= g->ParticionsXmapa; ++col) {
                const double want = literal[std::size_t(col - 1)];
                const float L = g->MatriuSPL(row, col);
                if (!(std::abs(L - want) <= (want >= loudest - 40 ? 0.01 : 0.1)) && bad++ < 5)
                    ADD_FAILURE() << "cell " << row << "," << col << ": " << L << " instead of "
                                  << want;
            }
        }
    }
}

// One box's level 1 m out on its axis: 134 dB for TS250, 122.98 dB for TS160.
TEST(CoherentModel, OneBoxAtOneMetreOnItsAxis)
{
    for (const int16_t model : {0, 1}) {
        spl::Request r;
        r.model = LevelModelKind::Coherent;
        r.modelcaixa = model;
        r.pot = spl::potFor(model);
        r.alturaunacaixa = model == 0 ? 0.314f : 0.181f;
        r.N = 1;
        const float x = 1, y = float(r.T - r.alturaunacaixa / 2);
        float L = 0;
        spl::levelModel(r)->levelsAt({&x, 1}, {&y, 1}, {&L, 1});
        EXPECT_NEAR(L, model == 0 ? 134 : 122.98, 0.01) << model;
    }
}
