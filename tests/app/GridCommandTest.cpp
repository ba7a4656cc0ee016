#include "app/GridCommand.h"
#include "Harness.h"
#include "files/Ini.h"

#include <QFile>
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

    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
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

TEST(GridCommand, RejectsBadArgumentsAndAGridTooLarge)
{
    QTemporaryDir dir;
    const QString tall = dir.filePath("tall.ini");
    QFile::copy(demo, tall);
    INIwrite(tall, "Default", "Text13", "3000"); // a view thousands of metres high
    for (const QStringList& args :
         {QStringList{demo, "--freq", "1001"}, QStringList{demo, "--freq", "abc"},
          QStringList{demo, "--res", "0.09"}, QStringList{demo, "--res", "x"},
          QStringList{demo, "--res"}, QStringList{}, QStringList{demo, "--what", "1"},
          QStringList{demo, "--model", "Coherent"},
          QStringList{QStringLiteral("/nonexistent/p.ini")}, QStringList{tall, "--res", "0.1"}}) {
        const Outcome r = grid(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    }
    EXPECT_TRUE(grid({demo, "--res", "0.09"}).err.contains("too small"));
    EXPECT_TRUE(grid({demo, "--res", "x"}).err.contains("not a number"));
    EXPECT_TRUE(grid({tall, "--res", "0.1"}).err.contains("too large"));
    EXPECT_EQ(grid({demo, "--res", "0.1", "--freq", "10000"}).code, 0);
}
