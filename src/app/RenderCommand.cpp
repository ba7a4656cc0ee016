#include "app/RenderCommand.h"

#include "app/CalculationOptions.h"
#include "app/MapOptions.h"
#include "files/gui/ImageExport.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "sideview/SideView.h"
#include "spl/Grid.h"

#include <QImage>

namespace {

const char kUsage[] = "usage: splmap render PROJECT.ini [--freq HZ] [--res M] "
                      "[--surface Picture1|Picture33|Picture44] [--style distribution|cells] "
                      "[--model classic|coherent] [--bands LO-HI [--weighting flat|a]] "
                      "--out FILE.png";

int fail(QIODevice& err, const QString& why)
{
    return failCommand(err, "render", why);
}

/// The surface named on the command line, 0 for none, -1 for an unknown name.
int surfaceNamed(const QString& name)
{
    if (name.isEmpty())
        return 0;
    for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44})
        if (name == QStringLiteral("Picture%1").arg(id))
            return id;
    return -1;
}

} // namespace

int runRender(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runRender(args, out, err, defaultLanguagesDir());
}

int runRender(const QStringList& args, QIODevice&, QIODevice& err, const QString& languagesDir)
{
    CalculationOptions options;
    const QString refused = parseCalculationOptions(
        args, QStringList{QStringLiteral("--surface"), QStringLiteral("--out")} + kMapOptions,
        kUsage, options);
    if (!refused.isEmpty())
        return fail(err, refused);
    const QString outPath = options.values.value(QStringLiteral("--out"));
    if (outPath.isEmpty())
        return fail(err, QStringLiteral("--out FILE.png is needed. ") + kUsage);
    const QString surfaceName = options.values.value(QStringLiteral("--surface"));
    const int surface = surfaceNamed(surfaceName);
    if (surface < 0)
        return fail(err,
                    "there is no surface " + surfaceName + " (Picture1, Picture33 or Picture44)");

    CalculationSettings settings;
    CalculationSetup setup(languagesDir);
    if (const QString problem = prepareMapCommand(options, settings, setup); !problem.isEmpty())
        return fail(err, problem);
    // The side view as the main window would show it, without the window.
    picture::ShownPicture shown(setup.document());
    if (const QString problem = calculateShownMap(setup, options, settings, shown);
        !problem.isEmpty())
        return fail(err, problem);

    const QImage image =
        surface ? shown.value().canvas(surface).image() : picture::sideViewImage(shown.value());
    if (const QString problem = imageexport::writeImage(image, outPath, "PNG"); !problem.isEmpty())
        return fail(err, problem);
    return 0;
}
