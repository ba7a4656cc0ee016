#include "platform/Json.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray number(double v, int digits)
{
    QByteArray out;
    json::appendNumber(out, v, digits);
    return out;
}

} // namespace

TEST(Json, NumbersKeepTheirDigitsAndNameWhatIsNotFinite)
{
    EXPECT_EQ(number(0.314f, 9), "0.31400001"); // trailing zeros dropped
    EXPECT_EQ(number(0.1, 17), "0.10000000000000001");
    EXPECT_EQ(number(0, 9), "0");
    EXPECT_EQ(number(1.5e20, 9), "1.5e+20");
    EXPECT_EQ(number(-std::numeric_limits<double>::infinity(), 17), "\"-inf\"");
    EXPECT_EQ(number(-std::numeric_limits<double>::quiet_NaN(), 9), "\"nan\"");
}
