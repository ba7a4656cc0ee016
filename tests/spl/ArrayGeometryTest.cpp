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

TEST(ArrayShape, StraightArrays)
{
    spl::Geometry g = classify(array(0, {0}));
    EXPECT_EQ(g.CasArray, 1);
    EXPECT_FLOAT_EQ(g.SPLTotalFLAT, 134.0f);
    EXPECT_FLOAT_EQ(g.alturarray, 0.314f);
    EXPECT_FLOAT_EQ(g.ycerclefresnel, float(10 - 0.157));

    g = classify(array(0, {7}));
    EXPECT_EQ(g.CasArray, 2);
    EXPECT_FLOAT_EQ(g.alturarray, 0.314f); // the tilt does not shorten the source

    g = classify(array(0, {5, 0, 0}));
    EXPECT_EQ(g.CasArray, 2);
    EXPECT_EQ(g.SPLTotalCURBAT, 0.0f); // only the reference of the shape is written

    // Splays that cancel make a straight array.
    g = classify(array(0, {0, 2, -2}));
    EXPECT_EQ(g.CasArray, 1);
    EXPECT_FLOAT_EQ(g.alturarray, float(3 * 0.314f));
    EXPECT_TRUE(std::isfinite(g.RadiCorba));
}

TEST(ArrayShape, CurvedArraysSumTheirCurvedPart)
{
    spl::Geometry g = classify(array(0, {0, 0, 2, 2}));
    EXPECT_EQ(g.CasArray, 3);
    EXPECT_EQ(g.CaixesRectes, 1);
    EXPECT_FLOAT_EQ(g.alturarray, float(2 * 0.314f));
    EXPECT_EQ(g.CaixesCorbes, 2);
    EXPECT_FLOAT_EQ(g.AngleCorbaMig, 2.0f);
    EXPECT_FLOAT_EQ(g.SPLTotalCURBAT, spl::CalcularSPLInicial(1000, 4, 0));

    g = classify(array(1, {3, 0, 2, 0, 3}));
    EXPECT_EQ(g.CasArray, 4);
    EXPECT_EQ(g.CaixesRectes, 1);
    EXPECT_EQ(g.CaixesCorbes, 3);
    EXPECT_FLOAT_EQ(g.AngleCorbaMig, float(5.0 / 3));
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
