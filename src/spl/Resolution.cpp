#include "spl/Resolution.h"

#include "platform/Numbers.h"

namespace spl {

QString resolutionProblem(const QString& text, const QLocale& locale)
{
    if (!numbers::isNumber(text, locale))
        return QStringLiteral("Value");
    const double v = numbers::toDouble(text, locale);
    if (v < 0)
        return QStringLiteral("ValNeg");
    if (v < 0.1)
        return QStringLiteral("ValSma");
    if (v > 1)
        return QStringLiteral("ValHi");
    return {};
}

} // namespace spl
