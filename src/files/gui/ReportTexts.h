#pragma once

#include "project/data/CalculationSettings.h"

#include <QLocale>
#include <QString>
#include <utility>
#include <vector>

class Languages;

namespace report {

/// The texts of the exported report in the current language (the "Report"
/// section of the language files), with figures written in the user's form
/// and their units.
class ReportTexts
{
public:
    ReportTexts(const Languages& languages, const QLocale& locale);

    /// The text of a tag of the "Report" section.
    QString operator()(const char* tag) const;
    /// A text of the section with `%1` (and `%2`) filled in.
    QString filled(const char* tag, const QString& a, const QString& b = {}) const;

    /// A figure as the user typed it, with its unit; nothing for an empty field.
    QString metres(const QString& figure) const { return withUnit("Metres", figure); }
    QString degrees(const QString& figure) const { return withUnit("Degrees", figure); }
    QString hertz(int figure) const { return withUnit("Hertz", m_locale.toString(figure)); }
    /// A range of band centres, "125–8000 Hz".
    QString hertz(int lo, int hi) const
    {
        return withUnit("Hertz", m_locale.toString(lo) + QChar(0x2013) + m_locale.toString(hi));
    }

    /// A band average's range and weighting, "125–8000 Hz (A)".
    QString bandRange(const spl::BandRange& range) const;
    /// The name of a weighting: the language's word for flat, or "A".
    QString weightingName(spl::Weighting weighting) const;

    /// The name of a map style, as the SPL window offers it.
    QString styleName(spl::MapStyle style) const;
    /// The level model's name as the SPL window lists it.
    QString modelName(spl::LevelModelKind model) const;
    /// The date as the user writes it.
    QString date() const;

private:
    QString withUnit(const char* tag, const QString& figure) const;

    const Languages& m_languages;
    QLocale m_locale;
};

/// What made a map, as the report states it: caption and value of each line
/// (for a band average its range and weighting instead of the band).
std::vector<std::pair<QString, QString>> mapFacts(const CalculationSettings& settings,
                                                  const ReportTexts& texts);

/// What the map's colour legend says under its caption: a band average's range
/// and weighting; nothing for one band, which the facts name.
QString legendNote(const CalculationSettings& settings, const ReportTexts& texts);

} // namespace report
