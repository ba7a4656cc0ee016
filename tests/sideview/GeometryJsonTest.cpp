#include "sideview/GeometryJson.h"
#include "Layout.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <limits>

using namespace sideview;

// Any text and value give valid JSON; values that are not finite are
// named, not lost as null; every stored single reads back exactly.
TEST(GeometryJson, HoldsEveryResultOfARedraw)
{
    Layout l({3, 1.5, 2}, 3);
    l.area(1, 4, 4, 1, 1);
    l.area(2, 8, 12, 2, 0.5);
    const Redraw out = l.redraw();
    QMap<QString, QString> captions = out.captions;
    captions["Label59"] = "quote \" back \\ line\n tab\t \x01 \u00e9";
    l.state.alturamax = std::numeric_limits<float>::infinity();
    l.state.x2raig[2] = -std::numeric_limits<float>::infinity();
    l.state.y2raig[2] = std::numeric_limits<float>::quiet_NaN();
    const QByteArray text = geometryJson(l.state, captions, out.messages, l.in, l.locale);
    QJsonParseError error{};
    const QJsonObject o = QJsonDocument::fromJson(text, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(o["Label59"].toString(), captions["Label59"]);
    EXPECT_EQ(std::tuple(o["alturamax"].toString(), o["rays"][1]["x2raig"].toString(),
                         o["rays"][1]["y2raig"].toString()),
              std::tuple("inf", "-inf", "nan"));
    EXPECT_EQ(float(o["offsetmax"].toDouble()), l.state.offsetmax);
    EXPECT_EQ(float(o["boxes"][15]["ybaix"].toDouble()), l.state.ybaix[16]);
    EXPECT_EQ(float(o["rays"][0]["tally"].toDouble()), l.state.rayLine[1].tally);
}
