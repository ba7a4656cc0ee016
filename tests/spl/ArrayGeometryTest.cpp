#include "spl/ArrayGeometry.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <tuple>

namespace {

/// Boxes of the model with these angles: box 1's tilt, then the splays.
spl::Request array(int model, std::initializer_list<double> angles)
{
    spl::Request r;
    r.modelcaixa = int16_t(model);
    r.alturaunacaixa = model == 0 ? 0.314f : 0.181f;
    r.N = int(angles.size());
    std::size_t k = 1;
    for (double a : angles)
        r.angle[k++] = a;
    return r;
}

} // namespace

// The four shapes (splays that cancel leave the array straight), and the
// reference level and near-field limit of known arrays; the edge cases of
// both are compared with the literal model on random projects.
TEST(ArrayGeometry, ShapesReferenceLevelAndNearField)
{
    struct Case
    {
        int model;
        std::initializer_list<double> angles;
        int cas, rectes, corbes;
    };
    const Case cases[] = {{0, {0}, 1, 0, 0},          {0, {7}, 2, 0, 0},
                          {0, {5, 0, 0}, 2, 2, 0},    {0, {0, 2, -2}, 1, 0, 0},
                          {0, {0, 0, 2, 2}, 3, 1, 2}, {1, {3, 0, 2, 0, 3}, 4, 1, 3}};
    for (const Case& c : cases) {
        spl::Geometry g;
        spl::CasInclinacio(array(c.model, c.angles), g);
        EXPECT_EQ(std::tuple(g.CasArray, g.CaixesRectes, g.CaixesCorbes),
                  std::tuple(c.cas, c.rectes, c.corbes))
            << c.angles.size() << " boxes, model " << c.model;
    }
    EXPECT_NEAR(spl::CalcularSPLInicial(1000, 8, 0), 143.03, 0.005);
    EXPECT_NEAR(spl::CalcularSPLInicial(250, 8, 1), 132.01, 0.005);
    spl::Request r = array(0, {0, 1, 1, 1, 1, 1, 1, 1});
    r.frequencia = 1000;
    EXPECT_NEAR(spl::CalcularNearField(r), 9.38, 0.005);
}
