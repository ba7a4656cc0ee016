#include "spl/ArrayGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

/// N boxes of the model with these angles: box 1's tilt, then the splays.
spl::Request array(int model, std::initializer_list<double> angles, double T = 10)
{
    spl::Request r;
    r.modelcaixa = int16_t(model);
    r.pot = spl::potFor(model);
    r.alturaunacaixa = model == 0 ? 0.314f : 0.181f;
    r.ampladaunacaixa = model == 0 ? 0.572f : 0.49f;
    r.N = int(angles.size());
    std::size_t k = 1;
    for (double a : angles)
        r.angle[k++] = a;
    r.T = T;
    return r;
}

spl::Geometry classify(const spl::Request& r)
{
    spl::Geometry g;
    spl::CasInclinacio(r, g);
    spl::CalcularCentreArray(r, g);
    return g;
}

} // namespace

TEST(ReferenceLevel, IsPowerSensitivityAndBoxCount)
{
    EXPECT_NEAR(spl::CalcularSPLInicial(1000, 8, 0), 143.03, 0.005);
    EXPECT_NEAR(spl::CalcularSPLInicial(250, 8, 1), 132.01, 0.005);
    EXPECT_EQ(spl::CalcularSPLInicial(1000, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(spl::CalcularSPLInicial(1000, 1, 2), 30.0f); // a model without a sensitivity
    EXPECT_EQ(spl::potFor(2), 0);
}

// The four shapes; their figures are compared with the literal model elsewhere.
TEST(ArrayShape, StraightTiltedAndCurvedArrays)
{
    struct Case
    {
        int model;
        std::initializer_list<double> angles;
        int cas, rectes, corbes;
    };
    const Case cases[] = {{0, {0}, 1, 0, 0},          {0, {7}, 2, 0, 0},
                          {0, {5, 0, 0}, 2, 0, 0},    {0, {0, 2, -2}, 1, 0, 0}, // splays cancel
                          {0, {0, 0, 2, 2}, 3, 1, 2}, {1, {3, 0, 2, 0, 3}, 4, 1, 3}};
    for (const Case& c : cases) {
        const spl::Geometry g = classify(array(c.model, c.angles));
        SCOPED_TRACE(g.CasArray);
        EXPECT_EQ(g.CasArray, c.cas);
        if (c.cas > 2) {
            EXPECT_EQ(g.CaixesRectes, c.rectes);
            EXPECT_EQ(g.CaixesCorbes, c.corbes);
        } else {
            EXPECT_FLOAT_EQ(g.alturarray, float(int(c.angles.size()) * double(0.314f)));
            EXPECT_TRUE(std::isfinite(g.RadiCorba));
        }
    }
}

TEST(NearField, LimitOfTheWholeArray)
{
    spl::Request r = array(0, {0, 1, 1, 1, 1, 1, 1, 1});
    r.frequencia = 1000;
    EXPECT_NEAR(spl::CalcularNearField(r), 9.38, 0.005);
    r.frequencia = 100; // q = 1.76 > 1
    EXPECT_EQ(spl::CalcularNearField(r), 0.0f);
    r.N = 0;
    r.frequencia = 10000;
    EXPECT_EQ(spl::CalcularNearField(r), 0.0f);
}
