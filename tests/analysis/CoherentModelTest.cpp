#include "spl/CoherentModel.h"
#include "CoherentLiteral.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
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
// elsewhere; the grid is the classic one. A point at a cell's centre gets
// exactly the cell's level, on this map and on the classic one unturned
// (near field, border, far, on axis, straight or curved array).
TEST(CoherentModel, TheMapIsTheFormulaOnTheClassicGridAndCellCentresReadTheirCells)
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
        spl::Request unturned = request;
        unturned.model = LevelModelKind::Classic;
        unturned.turn.reset();
        const auto model = spl::levelModel(request), classic = spl::levelModel(unturned);
        const std::optional<spl::Result> g = model->grid(2), k = classic->grid(2);
        ASSERT_TRUE(g && k);
        EXPECT_EQ(std::tie(g->ParticionsXmapa, g->FilesSota, g->FilesSobre, g->PasHoritzontal),
                  std::tie(k->ParticionsXmapa, k->FilesSota, k->FilesSobre, k->PasHoritzontal));

        int bad = 0;
        for (int row = 1; row <= g->PartYFarField; row += step) {
            const std::vector<float>& X = g->columnX;
            std::vector<float> Y(X.size(), g->rowY[std::size_t(row - 1)]), L(X.size()), C(X.size());
            model->levelsAt(X, Y, L);
            classic->levelsAt(X, Y, C);
            std::vector<double> literal;
            for (std::size_t c = 0; c < X.size(); ++c)
                literal.push_back(literalCoherentLevel(request, X[c], Y[c]));
            const double loudest = *std::max_element(literal.begin(), literal.end());
            for (int col = 1; col <= g->ParticionsXmapa; ++col) {
                const std::size_t c = std::size_t(col - 1);
                const float cell = g->MatriuSPL(row, col);
                if ((!(std::abs(cell - literal[c]) <= (literal[c] >= loudest - 40 ? 0.01 : 0.1)) ||
                     L[c] != cell || C[c] != k->MatriuSPL(row, col)) &&
                    bad++ < 5)
                    ADD_FAILURE() << "cell " << row << "," << col << ": " << cell
                                  << ", at its centre " << L[c] << ", term by term " << literal[c]
                                  << "; classic " << k->MatriuSPL(row, col) << ", at its centre "
                                  << C[c];
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
