#include "app/ReportCommand.h"

#include "app/CalculationOptions.h"
#include "app/MapOptions.h"
#include "files/gui/ReportPdf.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "spl/CellMap.h"
#include "spl/Grid.h"

namespace {

const char kUsage[] = "usage: splmap report PROJECT.ini --out FILE.pdf [--freq HZ] [--res M] "
                      "[--style distribution|cells] [--model classic|coherent] "
                      "[--bands LO-HI [--weighting flat|a]] [--no-map]";

int fail(QIODevice& err, const QString& why)
{
    return failCommand(err, "report", why);
}

} // namespace

int runReport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runReport(args, out, err, defaultLanguagesDir());
}

int runReport(const QStringList& args, QIODevice&, QIODevice& err, const QString& languagesDir)
{
    // --no-map is a switch; the other options take values.
    QStringList rest = args;
    const bool withMap = rest.removeAll(QStringLiteral("--no-map")) == 0;
    CalculationOptions options;
    const QString refused = parseCalculationOptions(
        rest, QStringList{QStringLiteral("--out")} + kMapOptions, kUsage, options);
    if (!refused.isEmpty())
        return fail(err, refused);
    const QString outPath = options.values.value(QStringLiteral("--out"));
    if (outPath.isEmpty())
        return fail(err, QStringLiteral("--out FILE.pdf is needed. ") + kUsage);
    CalculationSettings settings;
    CalculationSetup setup(languagesDir);
    if (const QString problem = prepareMapCommand(options, settings, setup); !problem.isEmpty())
        return fail(err, problem);
    ProjectDocument& doc = setup.document();
    // The side view as the main window would show it, without the window.
    picture::ShownPicture shown(doc);
    if (withMap) {
        if (const QString problem = calculateShownMap(setup, options, settings, shown);
            !problem.isEmpty())
            return fail(err, problem);
    }
    if (const QString problem = report::exportPdf(outPath, doc, shown.value(), setup.languages());
        !problem.isEmpty())
        return fail(err, problem);
    return 0;
}
