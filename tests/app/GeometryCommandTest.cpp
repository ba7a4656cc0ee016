#include "app/GeometryCommand.h"
#include "files/Ini.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {

struct Outcome
{
    int code;
    QByteArray out, err;
};

Outcome geometry(const QStringList& args)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = runGeometry(args, out, err);
    return {code, out.data(), err.data()};
}

/// A copy of the demo project to edit.
QString demoCopy(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("p.ini");
    QFile::copy(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini"), path);
    return path;
}

} // namespace

TEST(GeometryCommand, PrintsTheRedrawOfALoadedProject)
{
    QTemporaryDir dir;
    const Outcome r = geometry({demoCopy(dir)});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    ASSERT_FALSE(o.isEmpty()) << r.out.constData();
    EXPECT_TRUE(r.out.endsWith("}\n") && r.out.count('\n') == 1);

    // Ten metres of height, two areas reaching 30 + 10 m.
    EXPECT_DOUBLE_EQ(o["offsetmax"].toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(o["alturamax"].toDouble(), 10.0);
    EXPECT_EQ(o["seleccio"].toInt(), 1);
    EXPECT_EQ(o["numcaixes"].toInt(), 7);
    EXPECT_EQ(o["primerraig"].toInt(), 1);
    EXPECT_EQ(o["Label59"].toString(), "13"); // atan(9.843 / 40)
    EXPECT_EQ(o["labels"].toObject()["Label36"].toString(), "11.00");

    const QJsonArray boxes = o["boxes"].toArray();
    ASSERT_EQ(boxes.size(), 16);
    EXPECT_DOUBLE_EQ(boxes[0].toObject()["box"].toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(boxes[7].toObject()["box"].toDouble(), 18.5);
    // Eight boxes of 0.314 m hang below 10 m: the chain is shorter than 8 x 0.314.
    const double bottom = boxes[7].toObject()["ybaixm"].toDouble();
    EXPECT_LT(bottom, 10.0 - 8 * 0.314 * std::cos(18.5 * M_PI / 180));
    EXPECT_GT(bottom, 10.0 - 8 * 0.314);

    EXPECT_NEAR(o["areas"][1]["areapendent"].toDouble(), 0.25, 1e-6);
    EXPECT_TRUE(o["messages"].toArray().isEmpty());
}

TEST(GeometryCommand, ReportsTheMessagesOfTheRedraw)
{
    QTemporaryDir dir;
    const QString path = demoCopy(dir);
    INIwrite(path, "Default", "Text6", "7"); // area 2 now starts above its end
    const Outcome r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonArray messages = QJsonDocument::fromJson(r.out).object()["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toString(), "Z1Z2");
}

TEST(GeometryCommand, AProjectSavedBeforeChoosingTheBoxesHasNone)
{
    QTemporaryDir dir;
    const QString path = demoCopy(dir);
    INIwrite(path, "Default", "numcaixes", "0");
    const Outcome r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["numcaixes"].toInt(), -1);
    // No ray was traced: every ray keeps its start values.
    for (const QJsonValue& ray : o["rays"].toArray())
        EXPECT_EQ(ray.toObject()["x2raig"].toDouble(), 0.0);
    // The box positions are still worked out for all sixteen boxes.
    EXPECT_LT(o["boxes"].toArray()[15].toObject()["ybaixm"].toDouble(), 10.0);
}

TEST(GeometryCommand, AProjectThatCannotBeLoadedIsAnError)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.ini");
    Outcome r = geometry({missing});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_FALSE(QFile::exists(missing)); // nothing is left behind

    const QString broken = demoCopy(dir);
    INIwrite(broken, "Default", "LastAngle1", "abc");
    r = geometry({broken});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("LastAngle1")) << r.err.constData();

    // Damaged counts, a folder and a pipe are each named for what they are.
    INIwrite(broken, "Default", "LastAngle1", "1");
    INIwrite(broken, "Default", "numcaixes", "17");
    const QString pipe = dir.filePath("pipe.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::pair<QString, const char*> cases[] = {
        {broken, "the number of boxes (numcaixes) is not from 0 to 16: \"17\""},
        {dir.path(), "it is a folder"},
        {pipe, "it is a pipe"},
    };
    for (const auto& [path, reason] : cases) {
        r = geometry({path});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_TRUE(r.err.contains(reason)) << r.err.constData();
    }

    EXPECT_EQ(geometry({}).code, 2);
}
