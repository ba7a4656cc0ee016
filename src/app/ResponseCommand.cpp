#include "app/ResponseCommand.h"

#include "analysis/RequestFromProject.h"
#include "app/CalculationOptions.h"
#include "app/MapOptions.h"
#include "platform/Json.h"
#include "spl/BandResponse.h"
#include "spl/LevelModel.h"

#include <QRegularExpression>
#include <cmath>

namespace {

const char kUsage[] =
    "usage: splmap spectrum PROJECT.ini --at X,Y [--model classic|coherent] [--res M]";

int fail(QIODevice& err, const QString& why)
{
    return failCommand(err, "spectrum", why);
}

/// A level, or null where there is none.
void appendLevel(QByteArray& out, double level)
{
    if (std::isnan(level))
        out += "null";
    else
        json::appendNumber(out, level, 9);
}

} // namespace

int runResponse(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runResponse(args, out, err, defaultLanguagesDir());
}

int runResponse(const QStringList& args, QIODevice& out, QIODevice& err,
                const QString& languagesDir)
{
    // Every band is read: a band of its own makes no sense here.
    if (args.contains(QStringLiteral("--freq")))
        return fail(err, QStringLiteral("--freq is not an option of spectrum. ") + kUsage);
    CalculationOptions options;
    const QString refused = parseCalculationOptions(
        args, {QStringLiteral("--at"), QStringLiteral("--model")}, kUsage, options);
    if (!refused.isEmpty())
        return fail(err, refused);
    const QString at = options.values.value(QStringLiteral("--at"));
    if (at.isEmpty())
        return fail(err, QStringLiteral("--at X,Y is needed. ") + kUsage);
    static const QRegularExpression form(QStringLiteral(
        "^(-?(?:0|[1-9][0-9]*)(?:\\.[0-9]+)?),(-?(?:0|[1-9][0-9]*)(?:\\.[0-9]+)?)$"));
    const QRegularExpressionMatch point = form.match(at);
    if (!point.hasMatch())
        return fail(err, "the point \"" + at +
                             "\" is not written as X,Y, two numbers of metres with a point");
    const double X = point.captured(1).toDouble(), Y = point.captured(2).toDouble();
    CalculationSettings settings;
    CalculationSetup setup(languagesDir);
    if (const QString problem = prepareMapCommand(options, settings, setup); !problem.isEmpty())
        return fail(err, problem);
    settings.resolutionText = setup.resolutionText();
    const spl::Request request = spl::requestFromDocument(setup.document(), settings);
    const spl::BandResponse s = spl::bandResponseAt(request, X, Y);

    QByteArray text;
    {
        json::Object j(text);
        // The point as typed: fifteen digits give back any decimal of fewer.
        json::appendNumber(j.key("x"), X, 15);
        json::appendNumber(j.key("y"), Y, 15);
        j.string("model", QString::fromLatin1(spl::levelModelName(settings.model)));
        {
            json::Array levels(j.key("levels"));
            for (std::size_t b = 0; b < spl::kFrequencies.size(); ++b) {
                json::Object band(levels.next());
                band.integer("freq", spl::kFrequencies[b]);
                appendLevel(band.key("level"), s.levels[b]);
            }
        }
        appendLevel(j.key("average_flat"), s.averageFlat);
        appendLevel(j.key("average_a"), s.averageA);
    }
    text += "\n";
    out.write(text);
    return 0;
}
