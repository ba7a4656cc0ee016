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

} // namespace

// The redraw of the demo, then of the demo edited: a message, and no boxes chosen.
TEST(GeometryCommand, PrintsTheRedrawOfALoadedProject)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ASSERT_TRUE(QFile::copy(demo, path));
    Outcome r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.out.endsWith("}\n") && r.out.count('\n') == 1);
    QJsonObject o = QJsonDocument::fromJson(r.out).object();
    // Ten metres of height, two areas reaching 30 + 10 m.
    EXPECT_DOUBLE_EQ(o["offsetmax"].toDouble(), 40.0);
    EXPECT_EQ(o["numcaixes"].toInt(), 7);
    EXPECT_EQ(o["Label59"].toString(), "13"); // atan(9.843 / 40)
    EXPECT_NEAR(o["areas"][1]["areapendent"].toDouble(), 0.25, 1e-6);
    EXPECT_TRUE(o["messages"].toArray().isEmpty());

    INIwrite(path, "Default", "Text6", "7"); // area 2 now starts above its end
    INIwrite(path, "Default", "numcaixes", "0");
    r = geometry({path});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["messages"].toArray(), QJsonArray{"Z1Z2"});
    // No ray is traced, but all sixteen boxes are still placed.
    EXPECT_EQ(o["numcaixes"].toInt(), -1);
    for (const QJsonValue& ray : o["rays"].toArray())
        EXPECT_EQ(ray["x2raig"].toDouble(), 0.0);
    EXPECT_LT(o["boxes"][15]["ybaixm"].toDouble(), 10.0);
}

// A project that cannot be loaded is named for what is wrong in one line, and nothing is made.
TEST(GeometryCommand, AProjectThatCannotBeLoadedIsAnError)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.ini"), broken = dir.filePath("p.ini"),
                  pipe = dir.filePath("pipe.ini");
    ASSERT_TRUE(QFile::copy(demo, broken));
    INIwrite(broken, "Default", "numcaixes", "17");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const std::pair<QStringList, const char*> cases[] = {
        {{missing}, "none.ini"},
        {{broken}, "the number of boxes (numcaixes) is not from 0 to 16: \"17\""},
        {{dir.path()}, "it is a folder"},
        {{pipe}, "it is a pipe"},
        {{}, ""},
    };
    for (const auto& [args, reason] : cases) {
        const Outcome r = geometry(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_TRUE(r.err.contains(reason)) << r.err.constData();
    }
    EXPECT_FALSE(QFile::exists(missing));
}
