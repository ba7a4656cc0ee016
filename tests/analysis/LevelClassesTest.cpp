#include "spl/Grid.h"

#include <gtest/gtest.h>
#include <limits>

// A level on a bound between two classes is in the quieter one, but 95 dB is in class 5.
TEST(LevelClasses, UpperBoundsAreInclusive)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int> cases[] = {{inf, 1},      {120.0001f, 1}, {120, 2}, {110.0001f, 2},
                                           {110, 3},      {105, 4},       {100, 5}, {95, 5},
                                           {94.9999f, 6}, {-inf, 6}};
    for (const auto& [level, k] : cases)
        EXPECT_EQ(spl::levelClass(level), k) << level;
}
