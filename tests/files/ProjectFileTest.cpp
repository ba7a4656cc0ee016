#include "files/ProjectFile.h"
#include "files/Ini.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QLocale point(QLocale::English, QLocale::UnitedStates);
const QLocale comma(QLocale::German, QLocale::Germany);

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A project whose every value differs from the start values, numbers written
// with the given locale's separator as the window would show them.
void sample(ProjectFields& f, ProjectState& s, const QLocale& locale)
{
    f.Label58 = "TS160";
    for (int i = 1; i <= 13; ++i)
        f.Text[i] = locale.toString(i + 0.25);
    f.Text15 = "Hall";
    f.Text16 = QString::fromLatin1("Caf\xE9 owner");
    f.Label59 = "12";
    f.Combo2 = "5";
    f.Combo1 = "2";
    for (int i = 1; i <= 16; ++i)
        f.Combo3[i] = locale.toString(i / 2.0);
    f.Combo4 = "TS-160";
    for (int j = 1; j <= 16; ++j) {
        s.box[j] = BoxValue::number(j * 1.5);
        s.LastAngle[j] = j * 0.5f;
        s.x1[j] = -j * 0.125f;
        s.y4[j] = j * 1000.5f;
    }
    s.box[1] = BoxValue::text(locale.toString(0.5));
    s.modelcaixa = 1;
    s.ampladaunacaixa = 0.49f;
    s.alturaunacaixa = 0.181f;
}

/// The sample project saved with a point separator into a new file.
class SavedSample : public ::testing::Test
{
protected:
    SavedSample()
    {
        sample(f, s, point);
        EXPECT_EQ(projectfile::save(path, f, s, point), std::nullopt);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ProjectFields f;
    ProjectState s;
};

} // namespace

TEST_F(SavedSample, NewFileListsTheKeysInReverseAndResavesIdentically)
{
    const QByteArray first = contents(path);
    const QList<QByteArray> lines = first.chopped(2).split('\n');
    const QStringList k = projectfile::keys();
    ASSERT_EQ(lines.size(), 202);
    for (int i = 1; i <= 201; ++i)
        EXPECT_TRUE(lines[i].startsWith((k[201 - i] + QLatin1Char('=')).toLatin1()))
            << lines[i].data();
    EXPECT_EQ(lines[1], "y416=16008\r");
    EXPECT_TRUE(first.contains("\r\nx11=-0.125\r\n"));
    EXPECT_TRUE(first.contains("\r\nText16=Caf\xE9 owner\r\n"));

    ASSERT_EQ(projectfile::save(path, f, s, point), std::nullopt);
    EXPECT_EQ(contents(path), first);
}

TEST(ProjectFile, LoadsEitherSeparatorAndStopsAtABadNumber)
{
    for (const auto& [saveIn, loadIn] : {std::pair{comma, point}, std::pair{point, comma}}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.ini");
        ProjectFields f, expected, g;
        ProjectState s, unused, t;
        sample(f, s, saveIn);
        sample(expected, unused, loadIn);
        ASSERT_EQ(projectfile::save(path, f, s, saveIn), std::nullopt);
        const projectfile::LoadResult r = projectfile::load(path, g, t, loadIn);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(g, expected);
        EXPECT_EQ(t.box[1], BoxValue::text(loadIn.toString(0.5)));
        EXPECT_EQ(t.LastAngle, s.LastAngle);
        EXPECT_EQ(t.x1, s.x1);

        // The texts and boxes come before LastAngle1 and are still loaded.
        for (const char* bad : {"abc", "", "1,5,0"}) {
            INIwrite(path, "Default", "LastAngle1", bad);
            ProjectFields h;
            ProjectState u;
            const projectfile::LoadResult e = projectfile::load(path, h, u, loadIn);
            EXPECT_TRUE(e.error.contains("LastAngle1")) << e.error.toStdString();
            EXPECT_EQ(h, expected);
            EXPECT_EQ(u.box[16], BoxValue::text("24"));
            EXPECT_EQ(u.LastAngle[1], 0.0f);
        }
    }
}

TEST(ProjectFile, SavingKeepsOtherSectionsAndLoadingDerivesCounts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    INIwrite(path, "Other", "k", "v");
    INIwrite(path, "Default", "eti", "old");
    ASSERT_EQ(projectfile::save(path, ProjectFields{}, ProjectState{}, point), std::nullopt);
    const QByteArray saved = contents(path);
    EXPECT_TRUE(saved.startsWith("[Other]\r\nk=v\r\n\r\n[Default]\r\ny416=0\r\n")) << saved.data();
    EXPECT_TRUE(saved.endsWith("\r\neti=\r\n"));

    struct Case
    {
        const char *eti, *boxes, *areas, *model;
        std::tuple<int, int, int, float, int, float>
            derived; // + numcaixes, seleccio, model, height
    };
    const Case cases[] = {
        {"TS160", "16", "3", "1", {16, 3, 15, 2.f, 1, 0.181f}},
        {"TS250", "2.5", " 1 ", "2.5", {2, 1, 1, 0.f, 2, 0.314f}},
        // Saved before the number of boxes was chosen: no boxes.
        {"other", "0", "2", "1.5", {0, 2, -1, 1.f, 2, 0.9f}},
    };
    INIwrite(path, "Default", "alturaunacaixa", "0.9");
    for (const Case& c : cases) {
        INIwriteAll(path, "Default",
                    {{"eti", c.eti},
                     {"numcaixes", c.boxes},
                     {"numzones", c.areas},
                     {"modelcaixa", c.model}});
        ProjectFields f;
        ProjectState s;
        const projectfile::LoadResult r = projectfile::load(path, f, s, point);
        EXPECT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(std::tuple(r.boxes, r.areas, int(s.numcaixes), s.seleccio, int(s.modelcaixa),
                             s.alturaunacaixa),
                  c.derived)
            << c.eti;
    }
}

TEST_F(SavedSample, ACountTheListsCannotShowFailsTheLoad)
{
    // Each bad text of the number of boxes, then of the number of areas.
    const std::pair<const char*, const char*> cases[] = {
        {"numcaixes", "abc"}, {"numcaixes", "17"}, {"numcaixes", "16.6"},
        {"numcaixes", "-1"},  {"numzones", "0"},   {"numzones", "4"},
    };
    for (const auto& [key, text] : cases) {
        INIwriteAll(path, "Default", {{"numcaixes", "5"}, {"numzones", "2"}, {key, text}});
        ProjectFields g;
        ProjectState t;
        t.numcaixes = 9;
        const projectfile::LoadResult r = projectfile::load(path, g, t, point);
        EXPECT_FALSE(r.ok()) << key << " " << text;
        EXPECT_TRUE(r.error.contains(key)) << r.error.toStdString();
        EXPECT_TRUE(
            r.error.contains(QString(key) == "numcaixes" ? "number of boxes" : "number of areas"))
            << r.error.toStdString();
        EXPECT_EQ(t.numcaixes, 9); // nothing derived from the bad count
    }
}

TEST_F(SavedSample, ASaveTheFileCannotHoldIsRefusedAndTheFileKept)
{
    ASSERT_EQ(projectfile::unsavableField(f), std::nullopt);
    const QByteArray saved = contents(path);

    struct Case
    {
        QString ProjectFields::*field; // or box 3's text when null
        QString text;
        const char* named;
    };
    const Case cases[] = {
        {&ProjectFields::Text15, "Hall [east]", "the project name (Text15)"},
        {&ProjectFields::Text16, "cr\r", "the customer name (Text16)"},
        {&ProjectFields::Label58, "TS250\t", "the model key (eti)"},
        {&ProjectFields::Combo4, QString::fromUtf8("TS\xE2\x82\xAC"), "the model (model)"},
        {nullptr, "5[", "box 3 (box3)"},
    };
    for (const Case& c : cases) {
        ProjectFields g = f;
        ProjectState t = s;
        if (c.field)
            g.*c.field = c.text;
        else
            t.box[3] = BoxValue::text(c.text);
        const std::optional<QString> error = projectfile::save(path, g, t, point);
        ASSERT_TRUE(error.has_value()) << c.named;
        EXPECT_TRUE(error->contains(c.named)) << error->toStdString();
        EXPECT_FALSE(error->contains(u'\n') || error->contains(u'\r') || error->contains(u'\t'));
        EXPECT_EQ(contents(path), saved) << c.named;
    }
    // The area fields and the angles are named as the window shows them.
    ProjectFields g = f;
    g.Text[7] = "[";
    g.Combo3[12] = "\n";
    EXPECT_TRUE(projectfile::unsavableField(g)->startsWith("Area 2 Elevation Z2 (Text7)"));
    g.Text[7] = "1";
    EXPECT_TRUE(projectfile::unsavableField(g)->startsWith("the angle of Box 12 (angle12)"));
    // Nothing is created either.
    EXPECT_TRUE(projectfile::save(dir.filePath("new.ini"), g, s, point));
    EXPECT_FALSE(QFile::exists(dir.filePath("new.ini")));
}

TEST_F(SavedSample, LoadErrorsNameWhatIsWrongInOneShortLine)
{
    const QString device = projectfile::load("/dev/zero", f, s, point).error;
    EXPECT_TRUE(device.startsWith("Cannot load /dev/zero: it is a device")) << device.toStdString();

    // A long value with control characters is quoted short and escaped.
    const QString value = "\x1b]0;title\x07" + QString(1 << 20, u'9') + "\x7f";
    for (const char* key : {"LastAngle1", "numcaixes"}) {
        INIwrite(path, "Default", "LastAngle1", key == QString("LastAngle1") ? value : "1");
        INIwrite(path, "Default", "numcaixes", key == QString("numcaixes") ? value : "1");
        ProjectFields g;
        ProjectState t;
        const QString error = projectfile::load(path, g, t, point).error;
        EXPECT_LT(error.size(), path.size() + 200) << key;
        EXPECT_TRUE(error.contains("\"\\x1b]0;title\\x0799")) << error.toStdString();
        EXPECT_TRUE(error.contains(QString("999...\" (%1 characters)").arg(value.size())))
            << error.toStdString();
        for (const QChar c : error)
            EXPECT_GE(c.unicode(), 0x20);
    }
}
