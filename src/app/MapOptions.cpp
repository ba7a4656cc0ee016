#include "app/MapOptions.h"

#include "picture/CalculationSequence.h"
#include "spl/CellMap.h"
#include "spl/Grid.h"
#include "spl/LevelModel.h"

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
    settings.style = *style;
    settings.model = *model;
    return {};
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
