#include "app/RenderCommand.h"

#include "app/CalculationOptions.h"
#include "app/PngFile.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"
#include "spl/Grid.h"
#include "spl/gui/CalculationSequence.h"

#include <QImage>
#include <QSaveFile>
#include <memory>

namespace {

const char kUsage[] = "usage: splmap render PROJECT.ini [--freq HZ] [--res M] "
                      "[--surface Picture1|Picture33|Picture44] --out FILE.png";

int fail(QIODevice& err, const QString& why)
{
    err.write(("splmap render: " + why.simplified() + "\n").toUtf8());
    return 2;
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

/// The client area of the window as it looks, one pixel per pixel.
QImage clientArea(const Principal& window)
{
    QWidget* client = window.centralWidget();
    QImage image(client->size(), QImage::Format_RGB32);
    image.fill(client->palette().color(QPalette::Window));
    client->render(&image);
    return image;
}

/// Writes through a temporary file renamed at the end: an error leaves nothing.
QString writePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path + ": " + file.errorString();
    const QByteArray png = encodePng(image);
    if (png.isEmpty() || file.write(png) != png.size()) {
        const QString why = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QStringLiteral("cannot write PNG");
        file.cancelWriting();
        return path + ": " + why;
    }
    if (!file.commit())
        return path + ": " + file.errorString();
    return {};
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
        args, {QStringLiteral("--surface"), QStringLiteral("--out")}, kUsage, options);
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

    CalculationSetup setup(languagesDir);
    if (const QString problem = setup.prepare(options); !problem.isEmpty())
        return fail(err, problem);
    ProjectDocument& doc = setup.document();

    // The main window over the loaded project, as the user would see it.
    std::unique_ptr<Principal> window;
    try {
        window = std::make_unique<Principal>(doc, setup.languages(), userLanguageId());
    } catch (const LanguageError& e) {
        return fail(err, e.description());
    }
    // The SPL button: the side view redrawn, or the refusal without audience.
    if (!doc.requestSplWindow())
        return fail(err, setup.message(QStringLiteral("Audience")));
    // CALCULATE.
    const auto result = spl::runCalculation(
        doc, options.frequencia, options.resolutionText, *window->picture(sideview::Picture1),
        *window->picture(sideview::Picture33), *window->picture(sideview::Picture44));
    if (!result)
        return fail(err, setup.message(QString::fromLatin1(spl::kGridRefusedTag)));

    const QImage image = surface ? window->picture(surface)->canvas().image() : clientArea(*window);
    if (const QString problem = writePng(image, outPath); !problem.isEmpty())
        return fail(err, problem);
    return 0;
}
