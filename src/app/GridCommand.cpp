#include "app/GridCommand.h"

#include "analysis/RequestFromProject.h"
#include "app/CalculationOptions.h"
#include "app/MapOptions.h"
#include "files/OutputFile.h"
#include "spl/Grid.h"
#include "spl/GridOutput.h"
#include "spl/LevelModel.h"

namespace {

const char kUsage[] = "usage: splmap grid PROJECT.ini [--freq HZ] [--res M] "
                      "[--model classic|coherent] [--bands LO-HI [--weighting flat|a]] "
                      "[--cells FILE.csv]";

int fail(QIODevice& err, const QString& why)
{
    return failCommand(err, "grid", why);
}

} // namespace

int runGrid(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runGrid(args, out, err, defaultLanguagesDir());
}

int runGrid(const QStringList& args, QIODevice& out, QIODevice& err, const QString& languagesDir)
{
    CalculationOptions options;
    const QString refused = parseCalculationOptions(
        args, QStringList{QStringLiteral("--cells"), QStringLiteral("--model")} + kBandOptions,
        kUsage, options);
    if (!refused.isEmpty())
        return fail(err, refused);
    const QString cellsPath = options.values.value(QStringLiteral("--cells"));
    CalculationSettings settings;
    CalculationSetup setup(languagesDir);
    if (const QString problem = prepareMapCommand(options, settings, setup); !problem.isEmpty())
        return fail(err, problem);

    settings.frequencia = options.frequencia;
    settings.resolutionText = setup.resolutionText();
    spl::Request request = spl::requestFromDocument(setup.document(), settings);
    request.keepCells = !cellsPath.isEmpty();
    const std::optional<spl::Result> result = spl::levelModel(request)->grid();
    if (!result)
        return fail(err, setup.message(spl::kGridRefusedTag));

    if (!cellsPath.isEmpty()) {
        const QString problem = writeOutputFile(cellsPath, [&](QIODevice& cells) {
            return spl::writeCellsCsv(*result, cells) ? QString() : cells.errorString();
        });
        if (!problem.isEmpty())
            return fail(err, problem);
    }
    out.write(spl::gridJson(*result));
    out.write("\n");
    return 0;
}
