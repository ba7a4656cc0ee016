#include "app/CalculationOptions.h"

#include "platform/Numbers.h"
#include "spl/Request.h"
#include "spl/Resolution.h"

#include <QLocale>

QString parseCalculationOptions(const QStringList& args, const QStringList& own,
                                const QString& usage, CalculationOptions& options)
{
    QString freqText = QStringLiteral("100");
    options.resolutionText = numbers::generalDouble(0.3, QLocale());
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--freq" || a == "--res" || own.contains(a)) {
            if (i + 1 >= args.size())
                return a + " needs a value. " + usage;
            const QString& value = args[++i];
            if (a == "--freq")
                freqText = value;
            else if (a == "--res")
                options.resolutionText = value;
            else
                options.values.insert(a, value);
        } else if (options.project.isEmpty() && !a.startsWith("--")) {
            options.project = a;
        } else {
            return usage;
        }
    }
    if (options.project.isEmpty())
        return usage;
    bool ok = false;
    const int hz = freqText.toInt(&ok);
    if (!ok || !spl::isBandCentre(hz))
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
    const QString problem = spl::resolutionProblem(options.resolutionText, document().locale());
    if (!problem.isEmpty())
        return "resolution " + options.resolutionText + ": " + message(problem);
    return {};
}

QString CalculationSetup::message(const QString& tag) const
{
    return m_languages.GetLabel(QStringLiteral("MsgBox"), tag);
}
