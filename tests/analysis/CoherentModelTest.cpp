#include "spl/CoherentModel.h"
#include "CoherentLiteral.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/Grid.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using spl::LevelModelKind;

constexpr double kPi = std::numbers::pi;

/// N TS250 boxes (TS160 with `ts160`) hanging straight from 20 m, box 1
/// tilted by `tilt` degrees, at 4 kHz, a map reaching 30 m up.
spl::Request straightArray(int N, double tilt, bool ts160)
{
    spl::Request r;
    r.model = LevelModelKind::Coherent;
    r.modelcaixa = ts160 ? 1 : 0;
    r.pot = spl::potFor(r.modelcaixa);
    r.alturaunacaixa = ts160 ? 0.181f : 0.314f;
    r.N = N;
    r.angle[1] = tilt;
    r.T = 20;
    r.alturamax = 30;
    r.offsetmax = 100;
    r.frequencia = 4000;
    r.landamig = spl::landamigFor(r.velso, 4000);
    return r;
}

float levelAt(const spl::LevelModel& model, double X, double Y)
{
    const float x = float(X), y = float(Y);
    float L = 0;
    model.levelsAt({&x, 1}, {&y, 1}, {&L, 1});
    return L;
}

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

// On the axis through a straight array's middle, one box falls 20 dB per
// decade from its level at 1 m, and far away N boxes add in phase.
TEST(CoherentModel, OnItsAxisTheArrayFallsSixDecibelsPerDoublingAndAddsInPhase)
{
    for (const int N : {1, 2, 5, 16})
        for (const bool ts160 : {false, true})
            for (const double tilt : {0.0, 7.0, -12.0}) {
                const auto model = spl::levelModel(straightArray(N, tilt, ts160));
                const double H = N * (ts160 ? 0.181 : 0.314), t = tilt * kPi / 180;
                const double Lbox = ts160 ? 99 + 10 * std::log10(250.0) : 134;
                const double far = std::max(20.0, 10 * H * H / (345.0 / 4000));
                for (const double r : N == 1 ? std::vector{2.0, 5.0, 20.0} : std::vector{far}) {
                    const double X = -H / 2 * std::sin(t) + r * std::cos(t);
                    const double Y = 20 - H / 2 * std::cos(t) - r * std::sin(t);
                    EXPECT_NEAR(levelAt(*model, X, Y),
                                Lbox + 20 * std::log10(N) - 20 * std::log10(r),
                                N == 1 ? 0.01 : 0.05)
                        << N << (ts160 ? " TS160 " : " TS250 ") << tilt << " deg at " << r;
                }
            }
}
