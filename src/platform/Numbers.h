#pragma once

#include <QLocale>
#include <QString>

/// Number conversions between field texts and values, always in the given
/// locale (the user's, for every text shown in a window or stored in a file).
namespace numbers {

/// True when the locale's parser accepts the text as a number (sign, decimal
/// separator, grouping in its proper places, exponent, blanks around it) and
/// its value is finite in single precision. Empty text, "inf" and "nan" are not
/// numbers, nor is "1e39", so such values can never reach the arithmetic.
bool isNumber(const QString& text, const QLocale& locale);

/// The value of a numeric text, or 0 when the text is not a number: a field left
/// empty or holding letters counts as 0 wherever a number is needed.
double toDouble(const QString& text, const QLocale& locale);

/// As toDouble, rounded to single precision (the stored figures are singles).
float toSingle(const QString& text, const QLocale& locale);

/// "#,##0.00": two decimals and the locale's digit grouping.
QString formatFixed2(double value, const QLocale& locale);

/// General number form of a single: up to 7 significant digits, no grouping, no
/// trailing zeros, the scientific form ("1.5E+10") where the fixed one won't do.
QString generalSingle(float value, const QLocale& locale);

/// General number form of a double: as generalSingle with up to 15 digits.
QString generalDouble(double value, const QLocale& locale);

/// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
long long roundHalfEven(double value);

/// Reads a number written with a "." or "," decimal separator whatever the
/// locale, for texts that the program itself wrote under some locale: a single
/// "," or "." followed by digits (and perhaps an exponent) and no other
/// separator is the decimal separator. Returns the text with that separator
/// replaced by the given locale's, everything else unchanged, or the text
/// itself when it has no such form.
QString normaliseDecimalSeparator(const QString& text, const QLocale& locale);

} // namespace numbers
