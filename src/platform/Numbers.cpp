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
    // The number proper lies between the blanks around it, which are kept.
    qsizetype i = 0;
    qsizetype last = text.size();
    while (i < last && text[i].isSpace())
        ++i;
    while (last > i && text[last - 1].isSpace())
        --last;
    const auto skipDigits = [&](qsizetype& j) {
        const qsizetype from = j;
        while (j < last && text[j] >= u'0' && text[j] <= u'9')
            ++j;
        return j > from;
    };

    // [sign] digits separator digits [exponent], and nothing else.
    if (i < last && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    skipDigits(i);
    if (i >= last || (text[i] != u'.' && text[i] != u','))
        return text;
    const qsizetype at = i++;
    if (!skipDigits(i))
        return text;
    if (i < last && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < last && (text[i] == u'-' || text[i] == u'+'))
            ++i;
        if (!skipDigits(i))
            return text;
    }
    if (i != last)
        return text;
    QString out = text;
    out.replace(at, 1, locale.decimalPoint());
    return out;
}

} // namespace numbers
