#include "platform/Json.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray number(double v, int digits)
{
    QByteArray out;
    json::appendNumber(out, v, digits);
    return out;
}

} // namespace

TEST(Json, NumbersKeepTheirDigitsAndNameWhatIsNotFinite)
{
    EXPECT_EQ(number(0.314f, 9), "0.31400001"); // trailing zeros dropped
    EXPECT_EQ(number(0.1, 17), "0.10000000000000001");
    EXPECT_EQ(number(-2.5, 9), "-2.5");
    EXPECT_EQ(number(0, 9), "0");
    EXPECT_EQ(number(1.5e20, 9), "1.5e+20");
    EXPECT_EQ(number(std::numeric_limits<double>::infinity(), 9), "\"inf\"");
    EXPECT_EQ(number(-std::numeric_limits<double>::infinity(), 17), "\"-inf\"");
    EXPECT_EQ(number(std::numeric_limits<double>::quiet_NaN(), 9), "\"nan\"");
    EXPECT_EQ(number(-std::numeric_limits<double>::quiet_NaN(), 9), "\"nan\"");
}

TEST(Json, ObjectsAndArraysNestAndReadBack)
{
    QByteArray out;
    {
        json::Object root(out);
        root.real("single", 0.1f);
        root.real("double", 0.1);
        root.integer("n", -3);
        root.boolean("b", true);
        root.string("s", QString::fromUtf8("\"\\\n\x01 \xC3\xA9"));
        json::Array list(root.key("list"));
        json::appendNumber(list.next(), 1, 9);
        json::Object inner(list.next());
        inner.real("x", std::numeric_limits<float>::infinity());
    }
    EXPECT_TRUE(out.startsWith("{\"single\":0.100000001,\"double\":0.10000000000000001,\"n\":-3,"))
        << out.constData();
    QJsonParseError error{};
    const QJsonObject o = QJsonDocument::fromJson(out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.constData();
    EXPECT_EQ(static_cast<float>(o["single"].toDouble()), 0.1f);
    EXPECT_EQ(o["double"].toDouble(), 0.1);
    EXPECT_TRUE(o["b"].toBool());
    EXPECT_EQ(o["s"].toString(), QString::fromUtf8("\"\\\n\x01 \xC3\xA9"));
    EXPECT_EQ(o["list"][0].toInt(), 1);
    EXPECT_EQ(o["list"][1]["x"].toString(), "inf");
}
