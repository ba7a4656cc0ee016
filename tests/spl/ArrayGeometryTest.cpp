#include "spl/ArrayGeometry.h"

#include <gtest/gtest.h>

// The reference level (no sensitivity for a model without one) and the
// near-field limit of known arrays; their shapes and edge cases are compared
// with the literal model on random projects.
TEST(ArrayGeometry, ReferenceLevelAndNearField)
{
    EXPECT_NEAR(spl::CalcularSPLInicial(1000, 8, 0), 143.03, 0.005);
    EXPECT_NEAR(spl::CalcularSPLInicial(250, 8, 1), 132.01, 0.005);
    EXPECT_FLOAT_EQ(spl::CalcularSPLInicial(1000, 1, 2), 30.0f); // a model without a sensitivity
    spl::Request r; // eight boxes of the larger model at 1 kHz
    r.N = 8;
    r.frequencia = 1000;
    EXPECT_NEAR(spl::CalcularNearField(r), 9.38, 0.005);
}
