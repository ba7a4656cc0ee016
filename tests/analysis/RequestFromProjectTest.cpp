#include "analysis/RequestFromProject.h"
#include "spl/Resolution.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(RequestFromProject, ReadsTheFieldsWithTheUsersLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    ProjectFields f;
    f.Text[13] = "12,5";
    f.Combo3[1] = "2,5";
    f.Combo3[2] = "0";
    f.Combo3[4] = "x"; // not a number: 0
    ProjectState s;
    s.applyModel(1);
    s.numcaixes = 3;
    const spl::Request r = spl::requestFromProject(f, s, german, {1000, "0,3"});
    EXPECT_EQ(std::tuple(r.N, r.T, r.angle[1], r.angle[4], r.pot, r.landamig, r.resolucioy),
              std::tuple(4, 12.5, 2.5, 0.0, int16_t(250), 0.1725f, 0.3f));

    s.numcaixes = -1; // a project saved before the boxes were chosen
    const spl::Request unset = spl::requestFromProject(f, s, german, {100, "0,3"});
    EXPECT_EQ(std::tuple(unset.N, unset.landamig), std::tuple(0, 1.725f));
}

TEST(Resolution, AcceptedFromOneTenthToOneMetre)
{
    const QLocale c = QLocale::c();
    // (Too small and not a number are checked through the window.)
    EXPECT_EQ(spl::resolutionProblem("0.1", c), "");
    EXPECT_EQ(spl::resolutionProblem("1.01", c), "ValHi");
    EXPECT_EQ(spl::resolutionProblem("-1", c), "ValNeg");
}
