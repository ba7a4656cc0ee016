#include "platform/MessageText.h"

#include <algorithm>

namespace messagetext {

namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void appendEscaped(QString& out, QChar c)
{
    switch (c.unicode()) {
    case u'\n':
        out += QLatin1String("\\n");
        return;
    case u'\r':
        out += QLatin1String("\\r");
        return;
    case u'\t':
        out += QLatin1String("\\t");
        return;
    default:
        break;
    }
    if (isControl(c.unicode()))
        out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else
        out += c;
}

} // namespace

QString printable(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        appendEscaped(out, c);
    return out;
}

QString quoted(const QString& text, qsizetype maxChars)
{
    QString out = QStringLiteral("\"");
    qsizetype shown = std::min(text.size(), std::max<qsizetype>(maxChars, 0));
    // Never half of a character written as two UTF-16 units.
    if (shown > 0 && shown < text.size() && text[shown - 1].isHighSurrogate())
        --shown;
    for (qsizetype i = 0; i < shown; ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\\')
            out += u'\\';
        appendEscaped(out, c);
    }
    if (shown < text.size())
        return out + QStringLiteral("...\" (%1 characters)").arg(text.size());
    return out + u'"';
}

} // namespace messagetext
