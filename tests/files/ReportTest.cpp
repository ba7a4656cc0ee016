#include "files/Report.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

/// A project as the window shows it: eight boxes, areas with distinct values.
report::Input sample(float seleccio)
{
    report::Input in;
    in.numcaixes = 7;
    in.distanceToFloor = "9.5";
    for (std::size_t i = 0; i < 8; ++i)
        in.angles[i] = QString::number(i);
    in.numberOfAreas = QString::number(int(seleccio) + 1);
    in.seleccio = seleccio;
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t k = 0; k < 4; ++k)
            in.areas[a][k] = QStringLiteral("%1.%2").arg(a + 1).arg(k);
    return in;
}

} // namespace

TEST(Report, DataLinesThenOneBlockPerAreaWithTheirBlanks)
{
    const auto rows = report::rows(sample(2));
    QStringList t;
    for (const auto& r : rows)
        t << r.text();
    ASSERT_EQ(t.size(), 34);
    EXPECT_EQ(t.mid(0, 3), QStringList({"Number of Boxes     8 ", "Distance to floor      9.5",
                                        "Angle Box 1          0"}));
    EXPECT_EQ(t[10], "Angle Box 9          "); // beyond the boxes: ends after the blanks
    EXPECT_EQ(t[11], "Angle Box 10        ");
    EXPECT_EQ(t.mid(18, 6), QStringList({"Numb.of Areas       3", "AREA 1",
                                         "Distance to Array     1.0", "Lenght              1.1",
                                         "Elevation Z1        1.2", "Elevation Z2        1.3"}));
    EXPECT_EQ(t.mid(24, 2), QStringList({"AREA 2", "Distance to Array    2.0"}));
    EXPECT_EQ(t[29], "AREA 3");
    EXPECT_EQ(t[33], "Elevation Z2        3.3");
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].heading, i == 19 || i == 24 || i == 29) << i;

    report::Input in = sample(0);
    in.numcaixes = -2; // a project file may hold any index: the sign takes the blank's place
    EXPECT_EQ(report::rows(in)[0].text(), "Number of Boxes    -1 ");
    // A selection outside the list prints no area block.
    EXPECT_EQ(report::rows(in).size(), 24u);
    for (float s : {-1.0f, 3.0f, 0.5f})
        EXPECT_EQ(report::rows(sample(s)).size(), 19u) << s;
}
