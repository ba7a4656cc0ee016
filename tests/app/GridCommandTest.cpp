#include "app/GridCommand.h"
#include "Harness.h"
#include "files/Bytes.h"
#include "files/Ini.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Outcome grid(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runGrid(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

} // namespace

// The demo's calculation as JSON, and every cell of it in the CSV file.
TEST(GridCommand, PrintsTheCalculationOfTheDemoAndWritesEveryCell)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const Outcome r = grid({demo, "--freq", "1000", "--res", "0.3", "--cells", csv});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(r.out.count('\n'), 1);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    // Eight TS250 boxes, box 1 at 5 degrees and splays from the second one.
    EXPECT_EQ(o["CasArray"].toInt(), 4);
    EXPECT_EQ(o["CaixesCorbes"].toInt(), 7);
    EXPECT_NEAR(o["SPLTotalCURBAT"].toDouble(), 143.03, 0.005);
    EXPECT_NEAR(o["distanciaborder"].toDouble(), 9.38, 0.005);
    EXPECT_EQ(float(o["landamig"].toDouble()), 0.1725f); // 9 digits name the single
    const QJsonArray rows = o["MatriuDistribucio"].toArray();
    ASSERT_EQ(rows.size(), o["PartYFarField"].toInt());
    for (const QJsonValue& row : rows) {
        double sum = 0;
        for (const QJsonValue& n : row.toArray())
            sum += n.toDouble();
        EXPECT_EQ(sum, o["ParticionsXmapa"].toInt());
    }

    const QList<QByteArray> lines = contents(csv).split('\n');
    EXPECT_EQ(lines[0], "row,col,X,Y,NField,Border,SPLInicial,Graus,SPL");
    EXPECT_EQ(lines.size() - 2, o["PartYFarField"].toInt() * o["ParticionsXmapa"].toInt());
    EXPECT_TRUE(lines[1].startsWith("1,1,")) << lines[1].constData();
}

// --model classic is the default, to the byte; the box-by-box model's JSON
// has the grid's figures only, on the classic grid.
TEST(GridCommand, TheModelOption)
{
    const Outcome plain = grid({demo, "--freq", "2000"});
    EXPECT_EQ(grid({demo, "--freq", "2000", "--model", "classic"}).out, plain.out);
    const Outcome coherent = grid({demo, "--freq", "2000", "--model", "coherent"});
    ASSERT_EQ(coherent.code, 0) << coherent.err.constData();
    const QJsonObject c = QJsonDocument::fromJson(coherent.out).object();
    const QJsonObject k = QJsonDocument::fromJson(plain.out).object();
    EXPECT_EQ(c.keys(), QStringList({"FilesSobre", "FilesSota", "MatriuDistribucio",
                                     "PartYFarField", "ParticionsXmapa", "PasHoritzontal",
                                     "frequencia", "model", "resolucioy"}));
    EXPECT_EQ(c["model"].toString(), "coherent");
    for (const char* same : {"FilesSobre", "FilesSota", "ParticionsXmapa", "PasHoritzontal",
                             "frequencia", "resolucioy"})
        EXPECT_EQ(c[same], k[same]) << same;
    EXPECT_NE(c["MatriuDistribucio"], k["MatriuDistribucio"]);
}

TEST(GridCommand, RejectsBadArgumentsAGridTooLargeAndAFileTooLarge)
{
    QTemporaryDir dir;
    const QString tall = dir.filePath("tall.ini");
    QFile::copy(demo, tall);
    INIwrite(tall, "Default", "Text13", "3000"); // a view thousands of metres high
    const std::pair<QStringList, const char*> cases[] = {
        {{demo, "--freq", "1001"}, "band centre"},
        {{demo, "--freq", "abc"}, "whole number"},
        {{demo, "--freq", " 1000"}, "whole number"},
        {{demo, "--freq", "+1000"}, "whole number"},
        {{demo, "--freq", "01000"}, "whole number"},
        {{demo, "--freq", "1000", "--freq", "2000"}, "--freq is given more than once"},
        {{demo, "--res", "0.09"}, "too small"},
        {{demo, "--res", "1e308"}, "too high"},
        {{demo, "--res", "x"}, "not a number"},
        {{demo, "--res", " 0.3"}, "not a number"},
        {{demo, "--res"}, "needs a value"},
        {{demo, "--cells", ""}, "needs a value"},
        {{demo, "--cells", "--res", "0.3"}, "needs a value"},
        {{}, "usage"},
        {{demo, "--what", "1"}, "usage"},
        {{demo, "--model", "Coherent"}, "model"},
        {{QStringLiteral("/nonexistent/p.ini")}, ""},
        {{tall, "--res", "0.1"}, "too large"},
        {{demo, "--cells", dir.path()}, "Is a directory"}};
    for (const auto& [args, reason] : cases) {
        const Outcome r = grid(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(r.err.contains(reason)) << r.err.constData();
    }
    EXPECT_EQ(grid({demo, "--res", "0.1", "--freq", "10000"}).code, 0);

    // A cells file beyond the size limit keeps the old one, with no file left beside it.
    const QString csv = dir.filePath("cells.csv");
    put(csv, "the old table");
    Outcome r{};
    underFileSizeLimit(4096, [&] { r = grid({demo, "--cells", csv}); });
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, ("splmap grid: " + csv + ": File too large\n").toUtf8());
    EXPECT_EQ(contents(csv), "the old table");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"cells.csv", "tall.ini"}));
}

TEST(GridCommand, TakesNumbersWithAPointAndSpeaksTheUsersLanguage)
{
    const QByteArray oldLang = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Outcome point = grid({demo, "--res", "0.5"});
    const Outcome comma = grid({demo, "--res", "0,5"});
    const Outcome word = grid({demo, "--res", "x"});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    qputenv("LC_ALL", oldLang);
    EXPECT_EQ(QJsonDocument::fromJson(point.out)["resolucioy"].toDouble(), 0.5);
    EXPECT_EQ(comma.out, point.out);
    EXPECT_TRUE(word.err.contains("keine Zahl")) << word.err.constData();
}
