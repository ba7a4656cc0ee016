#include "project/ProjectDocument.h"
#include "files/Bytes.h"
#include "files/Ini.h"
#include "sideview/GeometryJson.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

class Document : public ::testing::Test
{
protected:
    Document() : doc(messages, {}, QLocale::c())
    {
        QObject::connect(&doc, &ProjectDocument::redrawn, [this] { ++redraws; });
    }
    /// Which of `controls` are enabled, as a string of 0 and 1.
    std::string enabled(std::initializer_list<Control> controls) const
    {
        std::string s;
        for (Control c : controls)
            s += doc.isEnabled(c) ? '1' : '0';
        return s;
    }

    CapturingSink messages;
    ProjectDocument doc;
    int redraws = 0;
};

} // namespace

// The height unlocks the array, then on leaving the areas; three boxes of 0.314 m
// need more than 0.9 m.
TEST_F(Document, StartsWithOnlyTheHeightUnlockedWhichUnlocksTheArrayThenTheAreas)
{
    using enum Control;
    EXPECT_EQ(enabled({Text15, Text1, Text12, Combo1, Combo2, Area2, angleList(0)}), "1000000");
    doc.setText(Text13, "9");
    EXPECT_EQ(enabled({Combo2, Combo4, Combo1}), "110");
    doc.leaveField(Text13);
    EXPECT_EQ(enabled({Text1, Text4, Combo1, angleList(0), angleList(1)}), "11110");
    EXPECT_EQ(redraws, 1);

    doc.setText(Text13, "0.9");
    doc.choose(Combo2, 2);
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Small"}));
    EXPECT_EQ(enabled({Command2, angleList(2), angleList(3)}), "010");
    doc.setText(Text13, "1");
    doc.leaveField(Text13);
    EXPECT_TRUE(doc.isEnabled(Command2));
    EXPECT_EQ(doc.raisedMessages(), QStringList({"Small"}));
}

// An empty angle takes the model's angle, any other text stays; a disabled area
// keeps its text, and each choice of areas redraws.
TEST_F(Document, ModelChoiceRebuildsTheAngleListsOfBoxesTwoToSixteen)
{
    doc.setText(angleList(3), "");
    doc.setText(angleList(4), "4.5");
    doc.choose(Control::Combo4, 1);
    EXPECT_EQ(doc.text(Control::Label58), "TS160");
    EXPECT_EQ(doc.items(angleList(15)).back(), "8");
    EXPECT_EQ(doc.items(angleList(0)).size(), 21);
    EXPECT_EQ(doc.text(angleList(3)) + doc.text(angleList(4)), "14.5");
    doc.setText(angleList(3), "");
    doc.choose(Control::Combo4, 0);
    EXPECT_EQ(doc.items(angleList(7)).at(1), "0.5");
    EXPECT_EQ(doc.text(angleList(3)), "7");

    doc.setText(Control::Text7, "2.5");
    const int before = redraws;
    for (int chosen : {2, 1, 0})
        doc.choose(Control::Combo1, chosen);
    EXPECT_FALSE(doc.isEnabled(Control::Text7));
    EXPECT_EQ(doc.text(Control::Text7), "2.5");
    EXPECT_EQ(redraws, before + 3);
}

// Between the items of a list a number is applied as a choice would be, an item's
// number selects the item; out of range, not a count, not a number: refused and put back.
TEST_F(Document, TypedListTextIsAppliedWhenItIsANumberInTheListsRange)
{
    doc.setText(Control::Text13, "9");
    doc.leaveField(Control::Text13);
    doc.choose(Control::Combo2, 3);
    doc.choose(angleList(0), 5);
    doc.setText(angleList(1), "2.5");
    EXPECT_TRUE(doc.applyTypedText(angleList(1)));
    EXPECT_DOUBLE_EQ(doc.state().box[4].toDouble(QLocale::c()), 7.5);
    doc.setText(Control::Combo2, "6");
    EXPECT_TRUE(doc.applyTypedText(Control::Combo2));
    EXPECT_EQ(doc.selectedIndex(Control::Combo2), 5);
    EXPECT_TRUE(doc.isEnabled(angleList(5)));
    EXPECT_TRUE(messages.shown.empty());

    const int before = redraws;
    const std::pair<Control, const char*> refused[] = {
        {angleList(0), "25"},     {Control::Combo2, "17"}, {Control::Combo2, "abc"},
        {Control::Combo2, "2.5"}, {Control::Combo1, "0"},  {Control::Combo4, "TS-999"}};
    for (const auto& [list, typed] : refused) {
        const QString applied = doc.text(list);
        doc.setText(list, typed);
        EXPECT_FALSE(doc.applyTypedText(list)) << typed;
        EXPECT_EQ(doc.text(list), applied) << typed;
    }
    EXPECT_EQ(doc.raisedMessages(), QStringList(6, "Value"));
    EXPECT_FLOAT_EQ(doc.state().LastAngle[1], 5.0f);
    // Leaving a list whose text was not touched does nothing either.
    EXPECT_TRUE(doc.applyTypedText(Control::Combo2));
    EXPECT_EQ(redraws, before);
}

// Angles set together end where choosing or typing them one list after the
// other ends, with one redraw and one accepted change.
TEST_F(Document, AnglesSetTogetherAsIfChosenOneByOne)
{
    ASSERT_TRUE(doc.load(demo));
    ProjectDocument byHand(messages, {}, QLocale::c());
    ASSERT_TRUE(byHand.load(demo));
    int edits = 0;
    QObject::connect(&doc, &ProjectDocument::edited, [&edits] { ++edits; });
    // Items of the lists, a splay between two items, angles left as they were,
    // fewer angles than boxes.
    for (const std::vector<double>& set : {std::vector<double>{7, 2, 0.5, 6, 0, 1.5, 3, 4},
                                           {0, 2.5, 1},
                                           {20, 6, 6, 6, 6, 6, 6, 6}}) {
        for (std::size_t i = 0; i < set.size(); ++i) {
            byHand.setText(angleList(int(i)), QString::number(set[i]));
            ASSERT_TRUE(byHand.applyTypedText(angleList(int(i))));
        }
        redraws = edits = 0;
        doc.setAngles(set);
        EXPECT_EQ(redraws, 1);
        EXPECT_EQ(edits, 1);
        EXPECT_TRUE(sameProject(doc.data(), byHand.data()));
        for (int k = 1; k <= 16; ++k)
            EXPECT_EQ(doc.state().box[k], byHand.state().box[k]) << k;
    }
}

TEST_F(Document, AFailedLoadLeavesTheProjectAsItWas)
{
    ASSERT_TRUE(doc.load(SPLMAP_TEST_PROJECTS_DIR "/eight-boxes-three-areas-ts160.ini"));
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

    EXPECT_FALSE(doc.load(broken));
    EXPECT_TRUE(sameProject(doc.data(), before));
    EXPECT_EQ(picture(), pictureBefore);
    EXPECT_EQ(redraws, redrawsBefore);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("LastAngle3"));
}

// A load unlocks the project's fields, works out the corners and counts the
// list texts as applied; it saves back to the same bytes, but text the file
// cannot hold is refused with a message.
// The readout: the axis crossing reads (0, 0), the far top corner (offsetmax,
// alturamax + 1); the overlay starts at the axis and its scale is read against
// the side view's.
TEST_F(Document, ALoadUnlocksTheProjectAndTheMouseReadout)
{
    ASSERT_TRUE(doc.load(demo)); // 40 m across, 10 m high
    EXPECT_TRUE(messages.shown.empty());
    std::string angles;
    for (int i = 0; i < 16; ++i)
        angles += enabled({angleList(i)});
    EXPECT_EQ(angles + enabled({Control::Area2, Control::Area3}), "111111110000000010");
    EXPECT_GT(doc.state().y1[8], doc.state().y1[1]); // the corners are worked out
    EXPECT_TRUE(doc.applyTypedText(angleList(4)));
    EXPECT_EQ(redraws, 1);
    using Read = std::pair<QString, QString>;
    EXPECT_EQ(doc.readout(sideview::Picture1, 18, 110), Read("0.00", "0.00"));
    EXPECT_EQ(doc.readout(sideview::Picture1, 121.06, 0), Read("40.00", "11.00"));
    EXPECT_EQ(doc.readout(sideview::Picture44, 60.53, 118), Read("20.00", "8.80"));

    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ASSERT_FALSE(doc.save(path));
    EXPECT_EQ(contents(path), contents(demo));
    doc.setText(Control::Text5, "a[b");
    const auto error = doc.save(path);
    ASSERT_TRUE(error);
    EXPECT_EQ(messages.shown.back().text, *error);
}
