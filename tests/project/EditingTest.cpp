#include "project/Editing.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

// Box j's angle is the sum of the splay angles of boxes 1..j; box 1's own is its text.
TEST(SplayAngles, ShiftTheBoxAndEveryBoxBelow)
{
    // Steps (box, angle, box 1's text), then boxes 1, 2, 3, 4, 5 and 16.
    using Steps = std::vector<std::tuple<int, double, const char*>>;
    const std::pair<Steps, std::vector<double>> cases[] = {
        {{{3, 2, "0"}, {3, 1.5, "0"}, {3, 2.5, "0"}}, {0, 0, 2.5, 2.5, 2.5, 2.5}}, // replaced
        {{{3, 1.5, "0"}, {5, 4, "0"}}, {0, 0, 1.5, 1.5, 5.5, 5.5}},
        {{{2, 1, "0"}, {1, 10, "10"}}, {10, 11, 11, 11, 11, 11}},
        {{{2, 1, "0"}, {1, 10, "10"}, {1, 4, "4"}}, {4, 5, 5, 5, 5, 5}},
        // A first-box text that is no number counts as 0.
        {{{2, 1, "0"}, {1, 10, "10"}, {1, 0, "abc"}}, {0, 1, 1, 1, 1, 1}},
    };
    const QLocale point = QLocale::c();
    for (const auto& [steps, expected] : cases) {
        ProjectState s;
        for (const auto& [k, a, first] : steps)
            editing::applySplayAngle(s, k, a, first, point);
        std::vector<double> boxes;
        for (int j : {1, 2, 3, 4, 5, 16})
            boxes.push_back(s.box[j].toDouble(point));
        EXPECT_EQ(boxes, expected) << steps.size() << " steps to " << std::get<1>(steps.back());
        const auto& [k, a, first] = steps.back();
        EXPECT_FLOAT_EQ(s.LastAngle[k], float(a));
        EXPECT_TRUE(k != 1 || s.box[1] == BoxValue::text(first)) << first; // box 1 keeps its text
    }
}
