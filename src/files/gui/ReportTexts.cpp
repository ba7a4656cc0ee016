#include "files/gui/ReportTexts.h"

#include "i18n/Languages.h"

#include <QDate>

namespace report {

ReportTexts::ReportTexts(const Languages& languages, const QLocale& locale)
    : m_languages(languages), m_locale(locale)
{
    // Band centres are written whole, as the SPL window lists them ("1000 Hz").
    m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
}

QString ReportTexts::operator()(const char* tag) const
{
    return m_languages.GetLabel(QStringLiteral("Report"), QLatin1String(tag));
}

QString ReportTexts::filled(const char* tag, const QString& a, const QString& b) const
{
    QString text = (*this)(tag);
    text.replace(QLatin1String("%1"), a);
    return text.replace(QLatin1String("%2"), b);
}

QString ReportTexts::withUnit(const char* tag, const QString& figure) const
{
    const QString trimmed = figure.trimmed();
    return trimmed.isEmpty() ? QString() : filled(tag, trimmed);
}

QString ReportTexts::bandRange(const spl::BandRange& range) const
{
    return hertz(range.lo, range.hi) + " (" + weightingName(range.weighting) + ")";
}

QString ReportTexts::weightingName(spl::Weighting weighting) const
{
    return weighting == spl::Weighting::A ? QStringLiteral("A") : (*this)("Flat");
}

QString ReportTexts::styleName(spl::MapStyle style) const
{
    return m_languages.GetLabel(QStringLiteral("SPL"), style == spl::MapStyle::Cells
                                                           ? QStringLiteral("Cells")
                                                           : QStringLiteral("Distribution"));
}

QString ReportTexts::modelName(spl::LevelModelKind model) const
{
    return m_languages.GetLabel(QStringLiteral("SPL"), model == spl::LevelModelKind::Coherent
                                                           ? QStringLiteral("Coherent")
                                                           : QStringLiteral("Classic"));
}

QString ReportTexts::date() const
{
    return m_locale.toString(QDate::currentDate(), QLocale::ShortFormat);
}

std::vector<std::pair<QString, QString>> mapFacts(const CalculationSettings& settings,
                                                  const ReportTexts& texts)
{
    std::vector<std::pair<QString, QString>> facts;
    facts.emplace_back(texts("LevelModel"), texts.modelName(settings.model));
    if (settings.bands) {
        facts.emplace_back(texts("Bands"), texts.hertz(settings.bands->lo, settings.bands->hi));
        facts.emplace_back(texts("Weighting"), texts.weightingName(settings.bands->weighting));
    } else {
        facts.emplace_back(texts("Band"), texts.hertz(settings.frequencia));
    }
    facts.emplace_back(texts("Resolution"), texts.metres(settings.resolutionText));
    facts.emplace_back(texts("Style"), texts.styleName(settings.style));
    return facts;
}

QString legendNote(const CalculationSettings& settings, const ReportTexts& texts)
{
    return settings.bands ? texts.bandRange(*settings.bands) : QString();
}

} // namespace report
