#include "project/Editing.h"

#include <gtest/gtest.h>

namespace {

const QLocale point = QLocale::c();

double boxAt(const ProjectState& s, int j)
{
    return s.box[j].toDouble(point);
}

/// Sets box k's angle as the list choice does, with box 1's text as given.
void choose(ProjectState& s, int k, double a, const QString& first = QStringLiteral("0"))
{
    editing::applySplayAngle(s, k, a, first, point);
}

} // namespace

TEST(SplayAngles, ChangingOneBoxShiftsItAndEveryBoxBelow)
{
    ProjectState s;
    choose(s, 3, 2);
    choose(s, 3, 1.5); // replaces the 2, does not add to it
    for (int j = 1; j <= 16; ++j)
        EXPECT_DOUBLE_EQ(boxAt(s, j), j >= 3 ? 1.5 : 0.0) << j;
    EXPECT_FLOAT_EQ(s.LastAngle[3], 1.5f);

    // A second box adds to the first: box j is the sum of the angles of boxes 1..j.
    choose(s, 5, 4);
    EXPECT_DOUBLE_EQ(boxAt(s, 4), 1.5);
    EXPECT_DOUBLE_EQ(boxAt(s, 16), 5.5);
}

TEST(SplayAngles, FirstBoxStoresItsTextAndTiltsTheWholeArray)
{
    ProjectState s;
    choose(s, 2, 1);
    choose(s, 1, 10, "10");
    EXPECT_EQ(s.box[1].kind(), BoxValue::Kind::Text);
    EXPECT_DOUBLE_EQ(boxAt(s, 2), 11.0);
    EXPECT_DOUBLE_EQ(boxAt(s, 16), 11.0);

    // Reducing box 1 subtracts the difference below and keeps the text.
    choose(s, 1, 4, "4");
    EXPECT_EQ(s.box[1].rawText(), "4");
    EXPECT_DOUBLE_EQ(boxAt(s, 2), 5.0);

    // A first-box text that is not a number counts as 0 where a number is needed.
    choose(s, 1, 0, "abc");
    EXPECT_DOUBLE_EQ(boxAt(s, 1), 0.0);
    EXPECT_DOUBLE_EQ(boxAt(s, 2), 1.0);
}
