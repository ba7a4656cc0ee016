#include "sideview/GeometryJson.h"
#include "Layout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <limits>

using namespace sideview;

namespace {

QJsonObject parse(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

float single(const QJsonValue& v)
{
    return static_cast<float>(v.toDouble());
}

} // namespace

TEST(GeometryJson, HoldsEveryResultOfARedraw)
{
    Layout l;
    l.angles({3, 1.5, 2});
    l.boxes(3);
    l.area(1, 4, 4, 1, 1);
    l.area(2, 8, 12, 2, 0.5);
    const Redraw out = l.redraw();
    const QJsonObject o = parse(geometryJson(l.state, out.captions, out.messages, l.in, l.locale));

    // Every stored single reads back exactly.
    EXPECT_EQ(single(o["offsetmax"]), l.state.offsetmax);
    EXPECT_EQ(o["Label59"].toString(), out.captions["Label59"]);
    EXPECT_EQ(o["labels"].toObject()["Label40"].toString(), out.captions["Label40"]);
    EXPECT_EQ(single(o["surfaces"].toObject()["SH44"]), l.in.SH44);
    EXPECT_EQ(o["seleccio"].toInt(-1), 1);
    EXPECT_EQ(o["numcaixes"].toInt(-1), 2);

    const QJsonArray boxes = o["boxes"].toArray(), areas = o["areas"].toArray(),
                     rays = o["rays"].toArray();
    ASSERT_EQ(boxes.size() + areas.size() + rays.size(), 16 + 3 + 16);
    EXPECT_EQ(boxes[2].toObject()["box"].toDouble(), 6.5);
    for (int j = 1; j <= 16; ++j)
        EXPECT_EQ(single(boxes[j - 1].toObject()["ybaix"]), l.state.ybaix[j]) << j;
    EXPECT_TRUE(areas[0].toObject()["areahoritzontal"].toBool());
    EXPECT_EQ(single(areas[1].toObject()["areapendent"]), l.state.areaLine[2].areapendent);
    EXPECT_EQ(single(rays[0].toObject()["x2raig"]), l.state.x2raig[1]);
    EXPECT_EQ(single(rays[0].toObject()["tally"]), l.state.rayLine[1].tally);
    EXPECT_EQ(rays[15].toObject().keys().size(), 12);
    EXPECT_EQ(o["messages"].toArray(), QJsonArray{"Z1Z2"});
}

TEST(GeometryJson, StaysValidForAnyTextAndValue)
{
    Layout l;
    l.state.offsetmax = std::numeric_limits<float>::infinity();
    const QMap<QString, QString> captions{{"Label59", "quote \" back \\ line\n tab\t é"}};
    const QJsonObject o = parse(geometryJson(l.state, captions, {}, l.in, l.locale));
    EXPECT_EQ(o["Label59"].toString(), captions["Label59"]);
    EXPECT_TRUE(o["offsetmax"].isNull());
    // Labels never set keep their design captions.
    const QJsonObject labels = o["labels"].toObject();
    EXPECT_EQ(labels["Label35"].toString() + labels["Label42"].toString(), "101");
    EXPECT_EQ(labels.size(), 10);
}
