#include "CommandTools.h"
#include "analysis/Autosplay.h"
#include "analysis/RequestFromProject.h"
#include "files/Bytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

/// The request and areas of the project file at `path`, for the box-by-box model.
std::pair<spl::Request, std::vector<spl::AreaSegment>> projectAt(const QString& path)
{
    const HeadlessProject p = loadHeadless(path, QLocale::c());
    EXPECT_TRUE(p.document && p.document->requestSplWindow());
    return {spl::requestFromDocument(*p.document, {100, "0.3", spl::MapStyle::Distribution,
                                                   spl::LevelModelKind::Coherent}),
            spl::areasInUse(p.document->fields(), p.document->state(), QLocale::c())};
}

} // namespace

// The proposal as JSON, in the keys' order, with the options read as given:
// the J it reports is the one the model gives the angles it prints under
// those options. --out writes a project that loads with those angles and
// leaves the project file as it was.
TEST(AutosplayCommand, PrintsTheProposalAndWritesTheNewProject)
{
    QTemporaryDir dir;
    const QString project = demoWith(dir.filePath("demo.ini")), out = dir.filePath("new.ini");
    const QByteArray original = contents(project);
    const auto [request, areas] = projectAt(project);
    const std::pair<QStringList, spl::AutosplayOptions> cases[] = {
        {{}, {}},
        {{"--bands", "500-2000", "--slope", "3", "--height", "1,5", "--min-splay", "1.5",
          "--keep-tilt"},
         {{500, 2000, spl::Weighting::Flat}, 3, 1.5, 1.5, true}},
    };
    for (const auto& [args, options] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome r = command("autosplay", QStringList{project, "--out", out} + args);
        ASSERT_EQ(r.code, 0) << r.err.constData();
        static const QRegularExpression order(
            "^\\{\"angles\":.*\"J_before\":.*\"J_after\":.*\"spread_before\":.*"
            "\"spread_after\":.*\"areas\":.*\"evaluated\":[^:\n]*\\}\n$");
        EXPECT_TRUE(order.match(QString::fromUtf8(r.out)).hasMatch()) << r.out.constData();
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        std::vector<double> angles;
        for (const QJsonValue& a : o["angles"].toArray())
            angles.push_back(a.toDouble());
        ASSERT_EQ(int(angles.size()), request.N);
        EXPECT_TRUE(!options.keepTilt || angles[0] == request.angle[1]);
        EXPECT_GE(*std::min_element(angles.begin() + 1, angles.end()), options.minSplay);

        const std::vector<double> current(request.angle.begin(), request.angle.begin() + request.N);
        const spl::AutosplayScore before = spl::autosplayScore(request, areas, options, current);
        const spl::AutosplayScore after = spl::autosplayScore(request, areas, options, angles);
        EXPECT_NEAR(o["J_before"].toDouble(), before.J, 1e-9);
        EXPECT_NEAR(o["J_after"].toDouble(), after.J, 1e-9);
        EXPECT_NEAR(o["spread_after"].toDouble(), after.spread, 1e-9);
        EXPECT_GT(o["evaluated"].toInt(), 0);
        // Each area's figures within the whole's.
        ASSERT_EQ(o["areas"].toArray().size(), qsizetype(areas.size()));
        for (const QJsonValue& area : o["areas"].toArray())
            for (const char* when : {"before", "after"}) {
                const QJsonObject s = area[when].toObject();
                EXPECT_NEAR(s["spread"].toDouble(), s["max"].toDouble() - s["min"].toDouble(),
                            1e-9);
                EXPECT_LE(s["spread"].toDouble(), o[QString("spread_") + when].toDouble());
            }
        EXPECT_EQ(contents(project), original);
        const spl::Request written = projectAt(out).first;
        EXPECT_EQ(std::vector<double>(written.angle.begin(), written.angle.begin() + written.N),
                  angles);
    }
}
