#include "app/CalculationOptions.h"

#include "platform/Numbers.h"
#include "spl/Request.h"
#include "spl/Resolution.h"

#include <QRegularExpression>
#include <cmath>

namespace {

/// A whole number as people type it: no sign, blank or leading zero.
bool isPlainWhole(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]{0,8}$"));
    return form.match(text).hasMatch();
}

/// A decimal number as the command line takes it, whatever the locale: a
/// point (or a comma) before the decimals, an exponent perhaps; no sign, blank
/// or superfluous leading zero.
bool isPlainDecimal(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^(0|[1-9][0-9]*)([.,][0-9]+)?([eE][-+]?[0-9]+)?$"));
    return form.match(text).hasMatch();
}

} // namespace

std::optional<double> plainDecimal(const QString& text)
{
    if (!isPlainDecimal(text))
        return std::nullopt;
    QString point = text;
    point.replace(u',', u'.');
    const double value = point.toDouble();
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

int failCommand(QIODevice& err, const char* command, const QString& why)
{
    err.write(("splmap " + QString::fromLatin1(command) + ": " + why.simplified() + "\n").toUtf8());
    return 2;
}

QString parseCalculationOptions(const QStringList& args, const QStringList& own,
                                const QString& usage, CalculationOptions& options)
{
    QString freqText = QStringLiteral("100");
    options.resolutionText = QStringLiteral("0.3");
    QStringList given;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--freq" || a == "--res" || own.contains(a)) {
            if (given.contains(a))
                return a + " is given more than once. " + usage;
            given << a;
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || args[i + 1].startsWith("--"))
                return a + " needs a value. " + usage;
            const QString& value = args[++i];
            if (a == "--freq")
                freqText = value;
            else if (a == "--res")
                options.resolutionText = value;
            else
                options.values.insert(a, value);
        } else if (options.project.isEmpty() && !a.isEmpty() && !a.startsWith("--")) {
            options.project = a;
        } else {
            return usage;
        }
    }
    if (options.project.isEmpty())
        return usage;
    if (!isPlainWhole(freqText))
        return "the frequency \"" + freqText + "\" is not written as a whole number of hertz";
    const int hz = freqText.toInt();
    if (!spl::isBandCentre(hz))
        return "the frequency " + freqText +
               " is not a third-octave band centre from 100 to 10000 Hz";
    options.frequencia = static_cast<int16_t>(hz);
    return {};
}

CalculationSetup::CalculationSetup(const QString& languagesDir) : m_languages(languagesDir) {}

QString CalculationSetup::prepare(const CalculationOptions& options)
{
    try {
        m_languages.ApplyLanguage(languageId::English);
        m_languages.ApplyLanguage(userLanguageId());
    } catch (const LanguageError& e) {
        return e.description();
    }
    m_loaded = loadHeadless(options.project);
    if (!m_loaded.document)
        return m_loaded.error;
    // The command line's number, with a point, becomes the field's text in
    // the project's own form, which the SPL window's checks then take.
    QString point = options.resolutionText;
    point.replace(u',', u'.');
    const double value = point.toDouble();
    const QString local = numbers::normaliseDecimalSeparator(point, document().locale());
    QString why = spl::resolutionProblem(local, document().locale());
    if (!isPlainDecimal(point))
        why = QStringLiteral("Value");
    else if (value < 0.1)
        why = QStringLiteral("ValSma");
    else if (!(value <= 1))
        why = QStringLiteral("ValHi"); // the field's check takes 1e39 for no number
    if (!why.isEmpty())
        return "resolution " + options.resolutionText + ": " + message(why);
    m_resolutionText = local;
    return {};
}

QString CalculationSetup::message(const QString& tag) const
{
    return m_languages.GetLabel(QStringLiteral("MsgBox"), tag);
}
