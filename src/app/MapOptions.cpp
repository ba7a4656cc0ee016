#include "app/MapOptions.h"

#include "picture/CalculationSequence.h"
#include "spl/Bands.h"
#include "spl/CellMap.h"
#include "spl/Grid.h"
#include "spl/LevelModel.h"
#include "spl/Request.h"

#include <QRegularExpression>

QString readMapOptions(const CalculationOptions& options, CalculationSettings& settings)
{
    const QString styleName = options.values.value(QStringLiteral("--style"));
    const std::optional<spl::MapStyle> style =
        styleName.isEmpty() ? spl::MapStyle::Distribution : spl::mapStyleNamed(styleName);
    if (!style)
        return "there is no map style " + styleName + " (distribution or cells)";
    const QString modelName = options.values.value(QStringLiteral("--model"));
    const std::optional<spl::LevelModelKind> model =
        modelName.isEmpty() ? spl::LevelModelKind::Classic : spl::levelModelNamed(modelName);
    if (!model)
        return "there is no level model " + modelName + " (classic or coherent)";
    if (const QString problem = readBandOptions(options, settings.bands); !problem.isEmpty())
        return problem;
    settings.style = *style;
    settings.model = *model;
    return {};
}

QString readBandOptions(const CalculationOptions& options, std::optional<spl::BandRange>& bands)
{
    const QString text = options.values.value(QStringLiteral("--bands"));
    const QString weighting = options.values.value(QStringLiteral("--weighting"));
    bands.reset();
    if (text.isEmpty())
        return weighting.isEmpty() ? QString() : QStringLiteral("--weighting needs --bands LO-HI");
    static const QRegularExpression form(QStringLiteral("^([1-9][0-9]{0,4})-([1-9][0-9]{0,4})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return "the band range \"" + text +
               "\" is not written as LO-HI, two band centres in whole hertz";
    for (int i : {1, 2})
        if (!spl::isBandCentre(m.captured(i).toInt()))
            return "the band range " + text + ": " + m.captured(i) +
                   " is not a third-octave band centre from 100 to 10000 Hz";
    spl::BandRange range;
    range.lo = static_cast<int16_t>(m.captured(1).toInt());
    range.hi = static_cast<int16_t>(m.captured(2).toInt());
    if (range.lo > range.hi)
        return "the band range " + text + " runs downwards: " + m.captured(1) + " is above " +
               m.captured(2);
    if (!weighting.isEmpty()) {
        const std::optional<spl::Weighting> named = spl::weightingNamed(weighting.toStdString());
        if (!named)
            return "there is no weighting " + weighting + " (flat or a)";
        range.weighting = *named;
    }
    bands = range;
    return {};
}

QString prepareMapCommand(const CalculationOptions& options, CalculationSettings& settings,
                          CalculationSetup& setup)
{
    if (QString problem = readMapOptions(options, settings); !problem.isEmpty())
        return problem;
    return setup.prepare(options);
}

QString calculateShownMap(CalculationSetup& setup, const CalculationOptions& options,
                          CalculationSettings settings, picture::ShownPicture& shown)
{
    ProjectDocument& doc = setup.document();
    if (!doc.requestSplWindow())
        return setup.message(QStringLiteral("Audience"));
    settings.frequencia = options.frequencia;
    settings.resolutionText = setup.resolutionText();
    doc.setCalculationSettings(settings);
    if (!spl::runCalculation(doc, shown))
        return setup.message(QString::fromLatin1(spl::kGridRefusedTag));
    return {};
}
