#include "app/AutosplayCommand.h"

#include "analysis/Autosplay.h"
#include "analysis/RequestFromProject.h"
#include "app/CalculationOptions.h"
#include "files/OutputFile.h"
#include "files/ProjectFile.h"
#include "platform/Json.h"
#include "project/ProjectDocument.h"
#include "spl/Bands.h"
#include "spl/Grid.h"
#include "spl/LevelModel.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>

namespace {

const char kUsage[] = "usage: splmap autosplay PROJECT.ini [--bands LO-HI] [--slope S] "
                      "[--height H] [--min-splay A] [--keep-tilt] [--out NEW.ini]";

int fail(QIODevice& err, const QString& why)
{
    return failCommand(err, "autosplay", why);
}

/// The search's options from the command's values; the reason they are
/// refused, or an empty string.
QString readOptions(const CalculationOptions& options, bool keepTilt, spl::AutosplayOptions& out)
{
    out.keepTilt = keepTilt;
    if (options.values.contains("--bands")) {
        const QString text = options.values.value("--bands");
        const QStringList ends = text.split(u'-');
        const auto centre = [](const QString& t) {
            static const QRegularExpression whole(QStringLiteral("^[1-9][0-9]{0,4}$"));
            return whole.match(t).hasMatch() && spl::isBandCentre(t.toInt()) ? t.toInt() : 0;
        };
        const int lo = ends.size() == 2 ? centre(ends[0]) : 0;
        const int hi = ends.size() == 2 ? centre(ends[1]) : 0;
        if (lo == 0 || hi == 0 || lo > hi)
            return "the bands \"" + text +
                   "\" are not LO-HI, two third-octave band centres from 100 to 10000 Hz with "
                   "LO not above HI";
        out.bands = {int16_t(lo), int16_t(hi), spl::Weighting::Flat};
    }
    constexpr double kNoLimit = std::numeric_limits<double>::infinity();
    struct Number
    {
        const char* option;
        const char* what;
        double low, high;
        double& value;
    };
    const Number numbers[] = {
        {"--slope", "the slope", 0, 6, out.slope},
        {"--height", "the listening height", 0, kNoLimit, out.listeningHeight},
        {"--min-splay", "the minimum splay", 0, kNoLimit, out.minSplay},
    };
    for (const Number& n : numbers) {
        const QString option = QString::fromLatin1(n.option);
        if (!options.values.contains(option))
            continue;
        const QString text = options.values.value(option);
        const std::optional<double> v = plainDecimal(text);
        if (!v || *v < n.low || *v > n.high)
            return QStringLiteral("%1 \"%2\" is not a number from %3 to %4")
                .arg(QLatin1String(n.what), text, QString::number(n.low), QString::number(n.high));
        n.value = *v;
    }
    return {};
}

void appendStats(QByteArray& text, const spl::LevelStats& s)
{
    json::Object o(text);
    o.real("max", s.max);
    o.real("min", s.min);
    o.real("spread", s.spread);
    o.real("deviation", s.deviation);
}

QByteArray proposalJson(const spl::AutosplayProposal& p)
{
    QByteArray text;
    {
        json::Object j(text);
        {
            json::Array angles(j.key("angles"));
            for (const double a : p.proposed)
                json::appendNumber(angles.next(), a, 17);
        }
        j.real("J_before", p.Jbefore);
        j.real("J_after", p.Jafter);
        j.real("spread_before", p.spreadBefore);
        j.real("spread_after", p.spreadAfter);
        {
            json::Array areas(j.key("areas"));
            for (const spl::AutosplayArea& a : p.areas) {
                json::Object area(areas.next());
                area.integer("area", a.area);
                appendStats(area.key("before"), a.before);
                appendStats(area.key("after"), a.after);
            }
        }
        j.integer("evaluated", p.evaluated);
    }
    return text;
}

/// Writes the document's project to `path` as Save would write it over a copy
/// of `original` (so that the file's other lines survive), through a
/// temporary file.
QString writeProject(const ProjectDocument& doc, const QString& original, const QString& path)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return path + ": " + dir.errorString();
    const QString copy = dir.filePath(QStringLiteral("project.ini"));
    if (!QFile::copy(original, copy))
        return path + ": cannot read " + original;
    if (const auto error = projectfile::save(copy, doc.fields(), doc.state(), doc.locale()))
        return *error;
    QFile saved(copy);
    if (!saved.open(QIODevice::ReadOnly))
        return path + ": " + saved.errorString();
    const QByteArray bytes = saved.readAll();
    return writeOutputFile(path, [&](QIODevice& file) {
        return file.write(bytes) == bytes.size() ? QString() : file.errorString();
    });
}

} // namespace

int runAutosplay(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runAutosplay(args, out, err, defaultLanguagesDir());
}

int runAutosplay(const QStringList& args, QIODevice& out, QIODevice& err,
                 const QString& languagesDir)
{
    // --keep-tilt is the one option without a value; --freq and --res are not
    // this command's.
    QStringList rest;
    int keepTilt = 0;
    for (const QString& a : args) {
        if (a == "--freq" || a == "--res")
            return fail(err, kUsage);
        if (a == "--keep-tilt")
            ++keepTilt;
        else
            rest << a;
    }
    if (keepTilt > 1)
        return fail(err, QStringLiteral("--keep-tilt is given more than once. ") + kUsage);
    CalculationOptions options;
    const QString refused = parseCalculationOptions(
        rest, {"--bands", "--slope", "--height", "--min-splay", "--out"}, kUsage, options);
    if (!refused.isEmpty())
        return fail(err, refused);
    spl::AutosplayOptions search;
    if (const QString problem = readOptions(options, keepTilt > 0, search); !problem.isEmpty())
        return fail(err, problem);

    CalculationSetup setup(languagesDir);
    if (const QString problem = setup.prepare(options); !problem.isEmpty())
        return fail(err, problem);
    ProjectDocument& doc = setup.document();
    const std::vector<double> splays = spl::splayChoices(doc.state().modelcaixa);
    if (search.minSplay > splays.back())
        return fail(err,
                    QStringLiteral("the minimum splay %1 is above the largest splay of the "
                                   "model, %2")
                        .arg(QString::number(search.minSplay), QString::number(splays.back())));
    // The SPL button's check: some area must reach beyond the array plane.
    if (!doc.requestSplWindow())
        return fail(err, setup.message(QStringLiteral("Audience")));

    CalculationSettings settings;
    settings.resolutionText = setup.resolutionText();
    settings.model = spl::LevelModelKind::Coherent;
    const spl::Request request = spl::requestFromDocument(doc, settings);
    const std::vector<spl::AreaSegment> areas =
        spl::areasInUse(doc.fields(), doc.state(), doc.locale());
    const std::optional<spl::AutosplayProposal> proposal = spl::autosplay(request, areas, search);
    if (!proposal)
        return fail(err, setup.message(spl::levelModel(request)->refused()
                                           ? QString::fromLatin1(spl::kGridRefusedTag)
                                           : QStringLiteral("Audience")));

    const QString outPath = options.values.value("--out");
    if (!outPath.isEmpty()) {
        doc.setAngles(proposal->proposed);
        if (const QString problem = writeProject(doc, options.project, outPath); !problem.isEmpty())
            return fail(err, problem);
    }
    out.write(proposalJson(*proposal));
    out.write("\n");
    return 0;
}
