#include "CommandTools.h"
#include "analysis/RequestFromProject.h"
#include "files/Bytes.h"
#include "spl/GridOutput.h"
#include "spl/LevelModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

// Each option reaches the calculation: the JSON is the core's grid of the
// demo with those settings (classic, one band, 100 Hz and 0.3 m unless
// told), and --cells writes every cell.
TEST(GridCommand, PrintsTheCalculationOfTheOptionsAndWritesEveryCell)
{
    using spl::LevelModelKind, spl::MapStyle, spl::Weighting;
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const spl::BandRange aWeighted{1000, 1250, Weighting::A};
    const std::pair<QStringList, CalculationSettings> cases[] = {
        {{"--freq", "1000", "--cells", csv}, {1000, "0.3"}},
        {{"--freq", "2000", "--model", "coherent"},
         {2000, "0.3", MapStyle::Distribution, LevelModelKind::Coherent}},
        {{"--res", "0.5", "--bands", "1000-1250", "--weighting", "a", "--model", "classic"},
         {100, "0.5", MapStyle::Distribution, LevelModelKind::Classic, aWeighted}},
        {{"--bands", "1000-1250"},
         {100, "0.3", MapStyle::Distribution, LevelModelKind::Classic, spl::BandRange{1000, 1250}}},
    };
    const HeadlessProject project = loadHeadless(demo, QLocale::c());
    ASSERT_TRUE(project.document);
    std::vector<QJsonObject> printed;
    for (const auto& [options, settings] : cases) {
        const Outcome r = command("grid", QStringList{demo} + options);
        ASSERT_EQ(r.code, 0) << r.err.constData();
        const auto core = spl::levelModel(spl::requestFromDocument(*project.document, settings));
        EXPECT_EQ(r.out, spl::gridJson(*core->grid()) + "\n") << options.join(' ').toStdString();
        printed.push_back(QJsonDocument::fromJson(r.out).object());
    }
    // Eight boxes, box 1 at 5 degrees and splays from the second one; 9 digits name a single.
    const QJsonObject& o = printed[0];
    EXPECT_EQ(std::tuple(o["CasArray"].toInt(), o["CaixesCorbes"].toInt(),
                         float(o["landamig"].toDouble())),
              std::tuple(4, 7, 0.1725f));
    EXPECT_EQ(o["MatriuDistribucio"].toArray().size(), o["PartYFarField"].toInt());
    const QList<QByteArray> lines = contents(csv).split('\n');
    EXPECT_EQ(lines[0], "row,col,X,Y,NField,Border,SPLInicial,Graus,SPL");
    EXPECT_EQ(lines.size() - 2, o["PartYFarField"].toInt() * o["ParticionsXmapa"].toInt());
    EXPECT_TRUE(lines[1].startsWith("1,1,")) << lines[1].constData();
    // Another model than the classic one has the grid's figures only.
    EXPECT_EQ(printed[1].keys(), QStringList({"FilesSobre", "FilesSota", "MatriuDistribucio",
                                              "PartYFarField", "ParticionsXmapa", "PasHoritzontal",
                                              "frequencia", "model", "resolucioy"}));
    // A band average says its range and weighting.
    EXPECT_FALSE(o.contains("bands") || o.contains("weighting"));
    EXPECT_EQ(printed[2]["bands"].toArray(), QJsonArray({1000, 1250}));
    EXPECT_EQ(std::pair(printed[2]["weighting"].toString(), printed[3]["weighting"].toString()),
              std::pair(QString("a"), QString("flat")));
}

TEST(GridCommand, TakesNumbersWithAPointAndSpeaksTheUsersLanguage)
{
    const QByteArray oldLang = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Outcome point = command("grid", {demo, "--res", "0.5"});
    const Outcome comma = command("grid", {demo, "--res", "0,5"});
    const Outcome word = command("grid", {demo, "--res", "x"});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    qputenv("LC_ALL", oldLang);
    EXPECT_EQ(QJsonDocument::fromJson(point.out)["resolucioy"].toDouble(), 0.5);
    EXPECT_EQ(comma.out, point.out);
    EXPECT_TRUE(word.err.contains("keine Zahl")) << word.err.constData();
}
