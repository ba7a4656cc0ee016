#include "app/AutosplayCommand.h"
#include "Harness.h"
#include "analysis/Autosplay.h"
#include "analysis/RequestFromProject.h"
#include "files/Bytes.h"
#include "files/Ini.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Outcome autosplay(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runAutosplay(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

/// The request and areas of the project file at `path`, for the box-by-box model.
std::pair<spl::Request, std::vector<spl::AreaSegment>> projectAt(const QString& path)
{
    const HeadlessProject p = loadHeadless(path, QLocale::c());
    EXPECT_TRUE(p.document);
    p.document->requestSplWindow();
    CalculationSettings settings;
    settings.resolutionText = QStringLiteral("0.3");
    settings.model = spl::LevelModelKind::Coherent;
    return {spl::requestFromDocument(*p.document, settings),
            spl::areasInUse(p.document->fields(), p.document->state(), QLocale::c())};
}

} // namespace

// The proposal as JSON, in the keys' order, with the options read as given:
// the J it reports is the one the model gives the angles it prints under
// those options. --out writes a project that loads with those angles and
// leaves the project file as it was.
TEST(AutosplayCommand, PrintsTheProposalAndWritesTheNewProject)
{
    struct Case
    {
        QStringList args;
        spl::AutosplayOptions options;
    };
    const std::vector<Case> cases = {
        {{}, {}},
        {{"--bands", "500-2000", "--slope", "3", "--height", "1,5", "--min-splay", "1.5",
          "--keep-tilt"},
         {{500, 2000, spl::Weighting::Flat}, 3, 1.5, 1.5, true}},
    };
    QTemporaryDir dir;
    const QString project = dir.filePath("demo.ini");
    ASSERT_TRUE(QFile::copy(demo, project));
    const QByteArray original = contents(project);
    const auto [request, areas] = projectAt(project);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const QString out = dir.filePath("new.ini");
        const Outcome r = autosplay(QStringList{project, "--out", out} + c.args);
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_TRUE(r.out.endsWith("}\n") && r.out.count('\n') == 1);
        qsizetype at = 0;
        for (const char* key : {"\"angles\"", "\"J_before\"", "\"J_after\"", "\"spread_before\"",
                                "\"spread_after\"", "\"areas\"", "\"evaluated\""}) {
            const qsizetype next = r.out.indexOf(key);
            EXPECT_GT(next, at) << key;
            at = next;
        }
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        std::vector<double> angles;
        for (const QJsonValue& a : o["angles"].toArray())
            angles.push_back(a.toDouble());
        ASSERT_EQ(int(angles.size()), request.N);
        if (c.options.keepTilt) {
            EXPECT_EQ(angles[0], request.angle[1]);
        }
        EXPECT_GE(*std::min_element(angles.begin() + 1, angles.end()), c.options.minSplay);

        const std::vector<double> current(request.angle.begin(), request.angle.begin() + request.N);
        const spl::AutosplayScore before = spl::autosplayScore(request, areas, c.options, current);
        const spl::AutosplayScore after = spl::autosplayScore(request, areas, c.options, angles);
        EXPECT_NEAR(o["J_before"].toDouble(), before.J, 1e-9);
        EXPECT_NEAR(o["J_after"].toDouble(), after.J, 1e-9);
        EXPECT_NEAR(o["spread_after"].toDouble(), after.spread, 1e-9);
        EXPECT_LT(after.J, before.J);
        EXPECT_GT(o["evaluated"].toInt(), 0);
        // Each area's figures within the whole's.
        const QJsonArray perArea = o["areas"].toArray();
        ASSERT_EQ(perArea.size(), qsizetype(areas.size()));
        for (qsizetype a = 0; a < perArea.size(); ++a)
            for (const char* when : {"before", "after"}) {
                const QJsonObject s = perArea[a][when].toObject();
                EXPECT_EQ(perArea[a]["area"].toInt(), a + 1);
                EXPECT_NEAR(s["spread"].toDouble(), s["max"].toDouble() - s["min"].toDouble(),
                            1e-9);
                EXPECT_LE(s["spread"].toDouble(), o[QString("spread_") + when].toDouble());
            }

        EXPECT_EQ(contents(project), original);
        const auto [written, writtenAreas] = projectAt(out);
        EXPECT_EQ(std::vector<double>(written.angle.begin(), written.angle.begin() + written.N),
                  angles);
        EXPECT_EQ(writtenAreas.size(), areas.size());
    }
}

// Options it cannot take, and a project with no audience in front of the
// array: exit status 2, one line, nothing printed.
TEST(AutosplayCommand, RefusesWhatItCannotTake)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("no-audience.ini");
    ASSERT_TRUE(QFile::copy(demo, empty));
    for (const char* key : {"Text1", "Text4", "Text5", "Text8"})
        INIwrite(empty, "Default", key, "0");
    QList<QStringList> refused = {{}, {empty}};
    for (const char* args :
         {"--slope 6.5", "--slope -1", "--height -0.5", "--bands 250-8001", "--bands 2000-250",
          "--bands 250", "--bands +250-8000", "--min-splay one", "--min-splay 6.5", "--colour red",
          "--keep-tilt --keep-tilt", "--freq 1000", "--out"})
        refused.append(QStringList{demo} + QString(args).split(' '));
    for (const QStringList& args : refused) {
        const Outcome r = autosplay(args);
        EXPECT_TRUE(r.code == 2 && r.out.isEmpty() && r.err.startsWith("splmap autosplay: ") &&
                    r.err.count('\n') == 1)
            << args.join(' ').toStdString() << ": " << r.err.constData();
    }
}
