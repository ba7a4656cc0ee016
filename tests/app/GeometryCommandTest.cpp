#include "app/GeometryCommand.h"
#include "Harness.h"
#include "files/Ini.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {

Outcome geometry(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) { return runGeometry(args, out, err); });
}

/// A copy of the demo project to edit.
QString demoCopy(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("p.ini");
    QFile::copy(demo, path);
    return path;
}

} // namespace

TEST(GeometryCommand, PrintsTheRedrawOfALoadedProject)
{
    QTemporaryDir dir;
    const Outcome r = geometry({demoCopy(dir)});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.out.endsWith("}\n") && r.out.count('\n') == 1);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    // Ten metres of height, two areas reaching 30 + 10 m.
    EXPECT_DOUBLE_EQ(o["offsetmax"].toDouble(), 40.0);
    EXPECT_EQ(o["numcaixes"].toInt(), 7);
    EXPECT_EQ(o["Label59"].toString(), "13"); // atan(9.843 / 40)
    const QJsonArray boxes = o["boxes"].toArray();
    ASSERT_EQ(boxes.size(), 16);
    EXPECT_DOUBLE_EQ(boxes[7].toObject()["box"].toDouble(), 18.5);
    EXPECT_NEAR(o["areas"][1]["areapendent"].toDouble(), 0.25, 1e-6);
    EXPECT_TRUE(o["messages"].toArray().isEmpty());
}

TEST(GeometryCommand, ReportsTheMessagesAndAProjectWithoutBoxes)
{
    QTemporaryDir dir;
    const QString path = demoCopy(dir);
    INIwrite(path, "Default", "Text6", "7"); // area 2 now starts above its end
    Outcome r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object()["messages"].toArray(), QJsonArray{"Z1Z2"});

    // Saved before choosing the boxes: no ray is traced, but all sixteen
    // boxes are still placed.
    INIwrite(path, "Default", "numcaixes", "0");
    r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["numcaixes"].toInt(), -1);
    for (const QJsonValue& ray : o["rays"].toArray())
        EXPECT_EQ(ray.toObject()["x2raig"].toDouble(), 0.0);
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

    // Damaged counts, a folder and a pipe are each named for what they are.
    const QString broken = demoCopy(dir);
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
