#include "project/ProjectDocument.h"
#include "files/Ini.h"
#include "sideview/GeometryJson.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Document : public ::testing::Test
{
protected:
    Document() : doc(messages, {}, QLocale::c())
    {
        QObject::connect(&doc, &ProjectDocument::redrawn, [this] { ++redraws; });
    }

    QStringList tags() const
    {
        QStringList l;
        for (const Message& m : messages.shown)
            l << m.tag;
        return l;
    }

    /// Types a height and leaves the field, as the user unlocks the project.
    void unlock(const QString& height)
    {
        doc.setText(Control::Text13, height);
        doc.leaveField(Control::Text13);
    }
    bool typeInto(Control list, const QString& text)
    {
        doc.setText(list, text);
        return doc.applyTypedText(list);
    }

    CapturingSink messages;
    ProjectDocument doc;
    int redraws = 0;
};

} // namespace

TEST_F(Document, StartsWithOnlyTheHeightUnlockedWhichUnlocksTheArrayThenTheAreas)
{
    EXPECT_TRUE(doc.isEnabled(Control::Text15));
    for (Control c : {Control::Text1, Control::Text12, Control::Combo1, Control::Combo2,
                      Control::Area2, angleList(0)})
        EXPECT_FALSE(doc.isEnabled(c)) << static_cast<int>(c);

    // The height unlocks the array, then on leaving the areas.
    doc.setText(Control::Text13, "9");
    EXPECT_TRUE(doc.isEnabled(Control::Combo2) && doc.isEnabled(Control::Combo4));
    EXPECT_FALSE(doc.isEnabled(Control::Combo1));
    doc.leaveField(Control::Text13);
    for (Control c : {Control::Text1, Control::Text4, Control::Combo1, angleList(0)})
        EXPECT_TRUE(doc.isEnabled(c)) << static_cast<int>(c);
    EXPECT_FALSE(doc.isEnabled(angleList(1)));
    EXPECT_EQ(redraws, 1);

    // Three boxes of 0.314 m need more than 0.9 m.
    doc.setText(Control::Text13, "0.9");
    doc.choose(Control::Combo2, 2);
    EXPECT_EQ(tags(), QStringList({"Small"}));
    EXPECT_FALSE(doc.isEnabled(Control::Command2));
    EXPECT_TRUE(doc.isEnabled(angleList(2)));
    EXPECT_FALSE(doc.isEnabled(angleList(3)));
    unlock("1");
    EXPECT_TRUE(doc.isEnabled(Control::Command2));
    EXPECT_EQ(tags(), QStringList({"Small"}));
}

TEST_F(Document, ModelChoiceRebuildsTheAngleListsOfBoxesTwoToSixteen)
{
    doc.setText(angleList(3), "");
    doc.setText(angleList(4), "4.5");
    doc.choose(Control::Combo4, 1);
    EXPECT_EQ(doc.text(Control::Label58), "TS160");
    EXPECT_EQ(doc.items(angleList(15)).back(), "8");
    EXPECT_EQ(doc.items(angleList(0)).size(), 21);
    EXPECT_EQ(doc.text(angleList(3)), "1");   // an empty field takes the model's angle
    EXPECT_EQ(doc.text(angleList(4)), "4.5"); // any other text stays

    doc.setText(angleList(3), "");
    doc.choose(Control::Combo4, 0);
    EXPECT_EQ(doc.items(angleList(7)).at(1), "0.5");
    EXPECT_EQ(doc.text(angleList(3)), "7");

    // The number of areas: a disabled area keeps its text; each choice redraws.
    doc.setText(Control::Text7, "2.5");
    const int before = redraws;
    for (int chosen : {2, 1, 0})
        doc.choose(Control::Combo1, chosen);
    EXPECT_FALSE(doc.isEnabled(Control::Text7));
    EXPECT_EQ(doc.text(Control::Text7), "2.5");
    EXPECT_EQ(redraws, before + 3);
}

TEST_F(Document, TypedListTextIsAppliedWhenItIsANumberInTheListsRange)
{
    unlock("9");
    doc.choose(Control::Combo2, 3);
    doc.choose(angleList(0), 5);

    // Between the items of box 2's list: applied as a choice would be; an item's
    // number selects the item.
    EXPECT_TRUE(typeInto(angleList(1), "2.5"));
    EXPECT_DOUBLE_EQ(doc.state().box[4].toDouble(QLocale::c()), 7.5);
    EXPECT_TRUE(typeInto(Control::Combo2, "6"));
    EXPECT_EQ(doc.selectedIndex(Control::Combo2), 5);
    EXPECT_TRUE(doc.isEnabled(angleList(5)));
    EXPECT_TRUE(messages.shown.empty());

    // Out of range, not a count, not a number: refused and put back.
    const int before = redraws;
    for (const auto& [list, typed] : {std::pair{angleList(0), QStringLiteral("25")},
                                      {Control::Combo2, QStringLiteral("17")},
                                      {Control::Combo2, QStringLiteral("abc")},
                                      {Control::Combo2, QStringLiteral("2.5")},
                                      {Control::Combo1, QStringLiteral("0")},
                                      {Control::Combo4, QStringLiteral("TS-999")}}) {
        const QString applied = doc.text(list);
        EXPECT_FALSE(typeInto(list, typed)) << typed.toStdString();
        EXPECT_EQ(doc.text(list), applied) << typed.toStdString();
    }
    EXPECT_EQ(tags(), QStringList(6, "Value"));
    EXPECT_FLOAT_EQ(doc.state().LastAngle[1], 5.0f);
    EXPECT_EQ(redraws, before);

    // Leaving a list whose text was not touched does nothing.
    EXPECT_TRUE(doc.applyTypedText(Control::Combo2));
    EXPECT_EQ(redraws, before);
}

// The axis crossing reads (0, 0), the far top corner (offsetmax, alturamax + 1); the
// overlay starts at the axis and its scale is read against the side view's.
TEST_F(Document, MouseReadoutOfEachSurface)
{
    ASSERT_TRUE(doc.load(demo)); // 40 m across, 10 m high
    EXPECT_EQ(doc.readout(sideview::Picture1, 18, 110),
              std::make_pair(QString("0.00"), QString("0.00")));
    EXPECT_EQ(doc.readout(sideview::Picture1, 121.06, 0),
              std::make_pair(QString("40.00"), QString("11.00")));
    EXPECT_EQ(doc.readout(sideview::Picture44, 60.53, 118),
              std::make_pair(QString("20.00"), QString("8.80")));
}

TEST_F(Document, AFailedLoadLeavesTheProjectAsItWas)
{
    unlock("7");
    doc.choose(Control::Combo4, 1);
    doc.choose(Control::Combo2, 4);
    doc.setText(Control::Text15, "Mine");
    const DocumentData before = doc.data();
    const auto picture = [this] {
        return sideview::geometryJson(doc.state(), doc.captions(), {}, doc.scales());
    };
    const QByteArray pictureBefore = picture();
    const int redrawsBefore = redraws;
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.ini");
    QFile::copy(demo, broken);
    INIwrite(broken, "Default", "LastAngle3", "abc"); // fails after every field was read
    int changes = 0;
    QObject::connect(&doc, &ProjectDocument::textChanged, [&] { ++changes; });
    QObject::connect(&doc, &ProjectDocument::enabledChanged, [&] { ++changes; });

    for (const QString& path : {broken, dir.filePath("missing.ini")}) {
        EXPECT_FALSE(doc.load(path)) << path.toStdString();
        EXPECT_TRUE(sameProject(doc.data(), before));
        EXPECT_EQ(picture(), pictureBefore);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(redraws, redrawsBefore);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.contains("LastAngle3"));
    EXPECT_TRUE(messages.shown[1].text.contains("no such file"));
}

TEST_F(Document, ALoadEnablesTheProjectsFieldsAndSavesAsTheSameFile)
{
    ASSERT_TRUE(doc.load(demo));
    EXPECT_TRUE(messages.shown.empty());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(doc.isEnabled(angleList(i)), i < 8) << i;
    EXPECT_TRUE(doc.isEnabled(Control::Area2));
    EXPECT_FALSE(doc.isEnabled(Control::Area3));
    EXPECT_GT(doc.state().y1[8], doc.state().y1[1]); // the corners are worked out
    // The loaded list texts count as applied: leaving them changes nothing.
    EXPECT_TRUE(doc.applyTypedText(angleList(4)));
    EXPECT_EQ(redraws, 1);

    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ASSERT_FALSE(doc.save(path));
    EXPECT_EQ(contents(path), contents(demo));
    // Text the file cannot hold is refused, naming the field, and the file kept.
    doc.setText(Control::Text5, "a[b");
    const auto error = doc.save(path);
    ASSERT_TRUE(error);
    EXPECT_EQ(messages.shown.back().text, *error);
    EXPECT_TRUE(error->contains("Area 2 Distance to Array")) << error->toStdString();
    EXPECT_EQ(contents(path), contents(demo));
}
