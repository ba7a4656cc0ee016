#include "platform/Numbers.h"

#include <cmath>
#include <limits>

namespace numbers {

namespace {

QLocale withoutGrouping(const QLocale& locale)
{
    QLocale l(locale);
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    return l;
}

bool parse(const QString& text, const QLocale& locale, double& value)
{
    if (text.trimmed().isEmpty())
        return false;
    bool ok = false;
    // The locale parser would take "inf" and "nan"; the program never wants them.
    const double v = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        return false;
    value = v;
    return true;
}

QString general(double value, int digits, const QLocale& locale)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return withoutGrouping(locale).toString(value, 'G', digits);
}

} // namespace

bool isNumber(const QString& text, const QLocale& locale)
{
    double v = 0;
    return parse(text, locale, v);
}

double toDouble(const QString& text, const QLocale& locale)
{
    double v = 0;
    return parse(text, locale, v) ? v : 0.0;
}

float toSingle(const QString& text, const QLocale& locale)
{
    return static_cast<float>(toDouble(text, locale));
}

QString formatFixed2(double value, const QLocale& locale)
{
    QLocale l(locale);
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString s = l.toString(value, 'f', 2);
    // "-0.00" reads as a plain zero.
    if (std::fabs(value) < 0.005)
        s = l.toString(0.0, 'f', 2);
    return s;
}

QString generalSingle(float value, const QLocale& locale)
{
    return general(static_cast<double>(value), 7, locale);
}

QString generalDouble(double value, const QLocale& locale)
{
    return general(value, 15, locale);
}

long long roundHalfEven(double value)
{
    const double fl = std::floor(value);
    const double diff = value - fl;
    double r = fl;
    if (diff > 0.5)
        r = fl + 1.0;
    else if (diff == 0.5)
        r = (std::fmod(fl, 2.0) == 0.0) ? fl : fl + 1.0;
    return static_cast<long long>(r);
}

QString normaliseDecimalSeparator(const QString& text, const QLocale& locale)
{
    const QString t = text.trimmed();
    int seps = 0;
    int at = -1;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] == u'.' || t[i] == u',') {
            ++seps;
            at = i;
        }
    }
    if (seps != 1 || at + 1 >= t.size() || !t[at + 1].isDigit())
        return text;
    for (int i = 0; i < at; ++i) {
        const QChar c = t[i];
        if (!(c.isDigit() || (i == 0 && (c == u'-' || c == u'+'))))
            return text;
    }
    for (int i = at + 1; i < t.size(); ++i) {
        const QChar c = t[i];
        // Digits, possibly followed by an exponent: "1,5E+10".
        if (!(c.isDigit() || c == u'E' || c == u'e' || c == u'+' || c == u'-'))
            return text;
    }
    QString out = t;
    out[at] = locale.decimalPoint().at(0);
    return out;
}

} // namespace numbers
