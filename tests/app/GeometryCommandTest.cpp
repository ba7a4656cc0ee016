#include "CommandTools.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The redraw of the loaded project on one line, with the messages it raised.
TEST(GeometryCommand, PrintsTheRedrawOfALoadedProject)
{
    QTemporaryDir dir;
    const QString edited = demoWith(dir.filePath("p.ini"), {{"Text6", "7"}}); // Z1 above Z2
    for (const auto& [path, messages] :
         {std::pair{demo, QJsonArray{}}, std::pair{edited, QJsonArray{"Z1Z2"}}}) {
        const Outcome r = command("geometry", {path});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_TRUE(r.out.endsWith("}\n") && r.out.count('\n') == 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        EXPECT_EQ(o["numcaixes"].toInt(), 7);
        EXPECT_EQ(o["messages"].toArray(), messages);
    }
}
