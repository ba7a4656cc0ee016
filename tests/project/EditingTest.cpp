#include "project/Editing.h"

#include <gtest/gtest.h>
#include <vector>

// Box j's angle is the sum of the splay angles of boxes 1..j; box 1's own is its text.
TEST(SplayAngles, ShiftTheBoxAndEveryBoxBelow)
{
    struct Step
    {
        int k;
        double a;
        const char* first = "0"; // box 1's text
    };
    struct Case
    {
        std::vector<Step> steps;
        std::vector<double> boxes; // boxes 1, 2, 3, 4, 5 and 16
    };
    const Case cases[] = {
        {{{3, 2}, {3, 1.5}, {3, 2.5}}, {0, 0, 2.5, 2.5, 2.5, 2.5}}, // a new angle replaces the old
        {{{3, 1.5}, {5, 4}}, {0, 0, 1.5, 1.5, 5.5, 5.5}},
        {{{2, 1}, {1, 10, "10"}}, {10, 11, 11, 11, 11, 11}},
        {{{2, 1}, {1, 10, "10"}, {1, 4, "4"}}, {4, 5, 5, 5, 5, 5}},
        // A first-box text that is no number counts as 0.
        {{{2, 1}, {1, 10, "10"}, {1, 0, "abc"}}, {0, 1, 1, 1, 1, 1}},
    };
    const QLocale point = QLocale::c();
    for (const Case& c : cases) {
        ProjectState s;
        for (const Step& step : c.steps)
            editing::applySplayAngle(s, step.k, step.a, step.first, point);
        std::vector<double> boxes;
        for (int j : {1, 2, 3, 4, 5, 16})
            boxes.push_back(s.box[j].toDouble(point));
        EXPECT_EQ(boxes, c.boxes) << c.steps.size() << " steps to " << c.steps.back().a;
        const Step& last = c.steps.back();
        EXPECT_FLOAT_EQ(s.LastAngle[last.k], float(last.a));
        if (last.k == 1) {
            EXPECT_EQ(s.box[1], BoxValue::text(last.first));
        }
    }
}
