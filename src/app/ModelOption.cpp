#include "app/ModelOption.h"

#include "spl/LevelModel.h"

QString readModelOption(const CalculationOptions& options, spl::LevelModelKind& model)
{
    const QString name = options.values.value(QStringLiteral("--model"));
    const std::optional<spl::LevelModelKind> named =
        name.isEmpty() ? spl::LevelModelKind::Classic : spl::levelModelNamed(name);
    if (!named)
        return "there is no level model " + name + " (classic or coherent)";
    model = *named;
    return {};
}
