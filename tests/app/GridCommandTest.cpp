#include "app/GridCommand.h"
#include "files/Ini.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int code;
    QByteArray out, err;
};

Outcome grid(const QStringList& args)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = runGrid(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    return {code, out.data(), err.data()};
}

const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

} // namespace

TEST(GridCommand, PrintsTheCalculationOfTheDemo)
{
    const Outcome r = grid({demo, "--freq", "1000", "--res", "0.3"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(r.out.count('\n'), 1);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o.size(), 23);
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
}

TEST(GridCommand, WritesEveryCell)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const Outcome r = grid({demo, "--res", "1", "--cells", csv});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    EXPECT_EQ(lines[0], "row,col,X,Y,NField,Border,SPLInicial,Graus,SPL");
    EXPECT_EQ(lines.size() - 2, o["PartYFarField"].toInt() * o["ParticionsXmapa"].toInt());
    EXPECT_TRUE(lines[1].startsWith("1,1,")) << lines[1].constData();
}

TEST(GridCommand, RejectsBadArguments)
{
    for (const QStringList& args :
         {QStringList{demo, "--freq", "1001"}, QStringList{demo, "--freq", "abc"},
          QStringList{demo, "--res", "0.09"}, QStringList{demo, "--res", "x"},
          QStringList{demo, "--res"}, QStringList{}, QStringList{demo, "--what", "1"},
          QStringList{QStringLiteral("/nonexistent/p.ini")}}) {
        const Outcome r = grid(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    }
    EXPECT_TRUE(grid({demo, "--res", "0.09"}).err.contains("too small"));
    EXPECT_TRUE(grid({demo, "--res", "x"}).err.contains("not a number"));
    EXPECT_EQ(grid({demo, "--res", "0.1", "--freq", "10000"}).code, 0);
}

TEST(GridCommand, RefusesAGridTooLarge)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tall.ini");
    QFile::copy(demo, path);
    INIwrite(path, "Default", "Text13", "3000"); // a view thousands of metres high
    const Outcome r = grid({path, "--res", "0.1"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("too large")) << r.err.constData();
}
