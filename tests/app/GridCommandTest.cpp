#include "app/GridCommand.h"
#include "Harness.h"
#include "files/Bytes.h"
#include "files/Ini.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

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

// A band average says its range and weighting, and its cells are the power
// average of the bands' own cells, each band weighted (A: 0 dB at 1 kHz,
// +0.6 dB at 1.25 kHz).
TEST(GridCommand, TheBandsOption)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const auto cells = [&](const QStringList& options) {
        const Outcome r = grid(QStringList{demo, "--res", "0.5", "--cells", csv} + options);
        EXPECT_EQ(r.code, 0) << r.err.constData();
        std::vector<double> levels; // the SPL column, cell after cell
        for (const QByteArray& line : contents(csv).trimmed().split('\n').mid(1))
            levels.push_back(line.split(',').last().toFloat());
        return std::pair{QJsonDocument::fromJson(r.out).object(), levels};
    };
    const auto [single, low] = cells({"--freq", "1000"});
    const auto high = cells({"--freq", "1250"}).second;
    const auto [average, levels] = cells({"--bands", "1000-1250", "--weighting", "a"});
    EXPECT_FALSE(single.contains("bands") || single.contains("weighting"));
    EXPECT_EQ(average["bands"].toArray(), QJsonArray({1000, 1250}));
    EXPECT_EQ(average["weighting"].toString(), "a");
    EXPECT_EQ(cells({"--bands", "1000-1250"}).first["weighting"].toString(), "flat");
    ASSERT_TRUE(levels.size() == low.size() && levels.size() == high.size());
    int differing = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double sum = std::pow(10.0, low[i] / 10) + std::pow(10.0, (high[i] + 0.6) / 10);
        differing += float(levels[i]) != static_cast<float>(10 * std::log10(sum / 2));
    }
    EXPECT_EQ(differing, 0);
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
        {{demo, "--weighting", "a"}, "--weighting needs --bands"},
        {{demo, "--bands", "8000-125"}, "runs downwards"},
        {{demo, "--bands", "125-8001"}, "8001 is not a third-octave band centre"},
        {{demo, "--bands", "125"}, "LO-HI"},
        {{demo, "--bands", "0125-8000"}, "LO-HI"},
        {{demo, "--bands", "125-8000", "--weighting", "A"}, "no weighting A"},
        {{QStringLiteral("/nonexistent/p.ini")}, ""},
        {{tall, "--res", "0.1"}, "too large"},
        {{demo, "--cells", dir.path()}, "Is a directory"}};
    for (const auto& [args, reason] : cases) {
        const Outcome r = grid(args);
        EXPECT_TRUE(r.code == 2 && r.out.isEmpty() && r.err.count('\n') == 1 &&
                    r.err.contains(reason))
            << args.join(' ').toStdString() << ": " << r.err.constData();
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
