#include "platform/Numbers.h"

#include <gtest/gtest.h>
#include <vector>

using namespace numbers;

namespace {
const QLocale point(QLocale::English, QLocale::UnitedStates);
const QLocale comma(QLocale::German, QLocale::Germany);
} // namespace

TEST(Numbers, RecognisesNumbersInTheLocaleAndCountsOtherTextAsZero)
{
    for (const char* t : {"3", "-2", "+4", "1,234.5", "1e3", " 7 ", "-0.25E-2"})
        EXPECT_TRUE(isNumber(QString::fromLatin1(t), point)) << t;
    for (const char* t : {"", "  ", "abc", "1.2.3", "inf", "nan", "1e39", "-1e39", "3m", "12,34.5"})
        EXPECT_FALSE(isNumber(QString::fromLatin1(t), point)) << t;
    EXPECT_DOUBLE_EQ(toDouble("1.234,5", comma), 1234.5);
    EXPECT_FALSE(isNumber("0.5", comma)); // a point in the wrong place for a group separator
    EXPECT_EQ(toDouble("abc", point), 0.0);
    EXPECT_EQ(toSingle("1e39", point), 0.0f);
    EXPECT_EQ(toSingle("0.572", point), 0.572f);
}

TEST(Numbers, FormatsFixedWithGroupingAndGeneralWithoutAndRoundsHalvesToEven)
{
    EXPECT_EQ(formatFixed2(1234.567, point), "1,234.57");
    EXPECT_EQ(formatFixed2(1234.567, comma), "1.234,57");
    EXPECT_EQ(formatFixed2(-0.001, point), "0.00");

    EXPECT_EQ(generalSingle(0.572f, comma), "0,572");
    EXPECT_EQ(generalSingle(12345.0f, point), "12345");
    EXPECT_EQ(generalDouble(1234567.125, point), "1234567.125");
    EXPECT_EQ(generalDouble(0.1 + 0.2, point), "0.3");
    // Too large for the fixed form: the scientific one, read back to the same value.
    const QString big = generalSingle(1.5e10f, point);
    EXPECT_EQ(big, "1.5E+10");
    EXPECT_EQ(toSingle(big, point), 1.5e10f);

    // Halves round to even; the other decimal separator is read as this one.
    EXPECT_EQ(std::vector({roundHalfEven(2.5), roundHalfEven(3.5), roundHalfEven(-2.5)}),
              std::vector<long long>({2, 4, -2}));
    EXPECT_EQ(roundHalfEven(-0.6), -1);
    EXPECT_EQ(normaliseDecimalSeparator("-3,5", point), "-3.5");
    EXPECT_EQ(normaliseDecimalSeparator("0.572", comma), "0,572");
    EXPECT_EQ(normaliseDecimalSeparator("1,2,3", point), "1,2,3");
    EXPECT_EQ(normaliseDecimalSeparator("abc,5", point), "abc,5");
}
