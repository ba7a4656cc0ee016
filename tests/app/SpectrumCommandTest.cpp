#include "app/SpectrumCommand.h"
#include "Harness.h"
#include "app/GridCommand.h"
#include "files/Bytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

Outcome spectrum(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runSpectrum(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

} // namespace

// At a cell's centre the box-by-box spectrum reads the cell of each band's
// grid; its averages are those of its 21 levels, and a point behind the
// array has no levels.
TEST(SpectrumCommand, ReadsEveryBandsGridAtACellCentre)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const auto cell = [&](const char* hz, int line) {
        const Outcome g = captured([&](QIODevice& out, QIODevice& err) {
            return runGrid(
                {demo, "--model", "coherent", "--res", "0.5", "--freq", hz, "--cells", csv}, out,
                err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
        });
        EXPECT_EQ(g.code, 0) << g.err.constData();
        return contents(csv).split('\n')[line].split(',');
    };
    const QList<QByteArray> at = cell("100", 23456);
    const Outcome r =
        spectrum({demo, "--model", "coherent", "--res", "0.5", "--at", at[2] + "," + at[3]});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["model"].toString(), "coherent");
    EXPECT_EQ(float(o["x"].toDouble()), at[2].toFloat());
    const QJsonArray levels = o["levels"].toArray();
    ASSERT_EQ(levels.size(), 21);
    double flat = 0;
    for (const QJsonValue& v : levels)
        flat += std::pow(10.0, v["level"].toDouble() / 10);
    EXPECT_FLOAT_EQ(float(o["average_flat"].toDouble()), float(10 * std::log10(flat / 21)));
    EXPECT_LT(o["average_a"].toDouble(), o["average_flat"].toDouble());
    for (const int b : {0, 10, 20}) {
        const QByteArray hz = QByteArray::number(levels[b]["freq"].toInt());
        EXPECT_EQ(float(levels[b]["level"].toDouble()), cell(hz.constData(), 23456)[8].toFloat())
            << hz.constData();
    }

    const QJsonObject behind =
        QJsonDocument::fromJson(spectrum({demo, "--at", "-5,3"}).out).object();
    EXPECT_EQ(behind["model"].toString(), "classic");
    EXPECT_TRUE(behind["levels"][3]["level"].isNull());
    EXPECT_TRUE(behind["average_a"].isNull());
}

TEST(SpectrumCommand, RejectsBadArguments)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{demo}, "--at X,Y is needed"},
        {{demo, "--at", "3"}, "X,Y"},
        {{demo, "--at", "3,4,5"}, "X,Y"},
        {{demo, "--at", "3,5;4"}, "X,Y"},
        {{demo, "--at", "3,4", "--at", "4,4"}, "more than once"},
        {{demo, "--at", "3,4", "--freq", "1000"}, "--freq is not an option"},
        {{demo, "--at", "3,4", "--model", "box"}, "model"},
        {{demo, "--at", "3,4", "--res", "0.01"}, "too small"},
        {{demo, "--at", "3,4", "--bands", "100-200"}, "usage"},
    };
    for (const auto& [args, reason] : cases) {
        const Outcome r = spectrum(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(r.err.contains(reason)) << r.err.constData();
    }
}
