#include "files/ProjectFile.h"
#include "files/Ini.h"
#include "platform/Numbers.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace

TEST(ProjectFile, NewFileListsTheKeysInReverseAndResavesIdentically)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ProjectFields f;
    ProjectState s;
    sample(f, s, point);
    ASSERT_EQ(projectfile::save(path, f, s, point), std::nullopt);
    const QByteArray first = contents(path);
    ASSERT_TRUE(first.endsWith("\r\n"));
    const QList<QByteArray> lines = first.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 202);
    EXPECT_EQ(lines[0], "[Default]\r");
    const QStringList k = projectfile::keys();
    ASSERT_EQ(k.size(), 201);
    EXPECT_EQ(QSet<QString>(k.begin(), k.end()).size(), 201);
    EXPECT_EQ(k.mid(13, 7).join(' '), "Text13 Text15 Text16 Label59 numcaixes numzones angle1");
    EXPECT_EQ(k.mid(34, 4).join(' '), "angle16 model box1 box2");
    EXPECT_EQ(k.mid(51, 3).join(' '), "box16 LastAngle1 LastAngle2");
    EXPECT_EQ(k.mid(67, 8).join(' '), "LastAngle16 modelcaixa ampladaunacaixa alturaunacaixa "
                                      "traseraunacaixa angleunacaixa x11 x12");
    EXPECT_EQ(k.mid(88, 3).join(' '), "x116 x21 x22");
    EXPECT_EQ(k.mid(136, 3).join(' '), "x416 y11 y12");
    for (int i = 1; i <= 201; ++i)
        EXPECT_TRUE(lines[i].startsWith((k[201 - i] + QLatin1Char('=')).toLatin1()))
            << lines[i].data();
    EXPECT_EQ(lines[1], "y416=16008\r");
    EXPECT_EQ(lines[201], "eti=TS160");
    EXPECT_TRUE(first.contains("\r\nx11=-0.125\r\n"));
    EXPECT_TRUE(first.contains("\r\nText16=Caf\xE9 owner\r\n"));

    ASSERT_EQ(projectfile::save(path, f, s, point), std::nullopt);
    EXPECT_EQ(contents(path), first);
}

TEST(ProjectFile, SavingKeepsOtherSections)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[Other]\r\nk=v\r\n\r\n\r\n\r\n[Default]\r\neti=old\r\n");
    }
    ASSERT_EQ(projectfile::save(path, ProjectFields{}, ProjectState{}, point), std::nullopt);
    const QByteArray after = contents(path);
    EXPECT_TRUE(after.startsWith("[Other]\r\nk=v\r\n\r\n[Default]\r\ny416=0\r\n")) << after.data();
    EXPECT_TRUE(after.endsWith("\r\neti=\r\n"));
}

TEST(ProjectFile, LoadsWhatWasSavedUnderEitherSeparator)
{
    for (const auto& [saveIn, loadIn] : {std::pair{point, point}, std::pair{comma, point},
                                         std::pair{point, comma}, std::pair{comma, comma}}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.ini");
        ProjectFields f;
        ProjectState s;
        sample(f, s, saveIn);
        ASSERT_EQ(projectfile::save(path, f, s, saveIn), std::nullopt);

        ProjectFields expected;
        ProjectState unused;
        sample(expected, unused, loadIn);
        ProjectFields g;
        ProjectState t;
        const projectfile::LoadResult r = projectfile::load(path, g, t, loadIn);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(g, expected);
        EXPECT_EQ(t.box[1], BoxValue::text(loadIn.toString(0.5)));
        EXPECT_EQ(t.box[3], BoxValue::text(loadIn.toString(4.5)));
        EXPECT_EQ(t.LastAngle, s.LastAngle);
        EXPECT_EQ(t.x1, s.x1);
        EXPECT_EQ(t.y4, s.y4);
        EXPECT_EQ(t.modelcaixa, 1);
        EXPECT_EQ(t.ampladaunacaixa, 0.49f);
        EXPECT_EQ(r.boxes, 5);
        EXPECT_EQ(t.numcaixes, 4);
        EXPECT_EQ(r.areas, 2);
        EXPECT_EQ(t.seleccio, 1.0f);
    }
}

TEST(ProjectFile, LoadingDerivesCountsAndTheModelHeight)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ASSERT_EQ(projectfile::save(path, ProjectFields{}, ProjectState{}, point), std::nullopt);
    struct Case
    {
        const char* eti;
        const char* boxes;
        const char* areas;
        const char* modelcaixa;
        int nb, na, numcaixes, modelIndex;
        float height;
    };
    const Case cases[] = {
        {"TS160", "16", "3", "1", 16, 3, 15, 1, 0.181f},
        {"TS250", "2.5", "0", "2.5", 2, 0, 1, 2, 0.314f},
        {"other", "40", "x", "1.5", 40, 0, 15, 2, 0.9f},
    };
    for (const Case& c : cases) {
        INIwrite(path, "Default", "eti", c.eti);
        INIwrite(path, "Default", "numcaixes", c.boxes);
        INIwrite(path, "Default", "numzones", c.areas);
        INIwrite(path, "Default", "modelcaixa", c.modelcaixa);
        INIwrite(path, "Default", "alturaunacaixa", "0.9");
        ProjectFields f;
        ProjectState s;
        const projectfile::LoadResult r = projectfile::load(path, f, s, point);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(r.boxes, c.nb) << c.boxes;
        EXPECT_EQ(r.areas, c.na) << c.areas;
        EXPECT_EQ(s.numcaixes, c.numcaixes) << c.boxes;
        EXPECT_EQ(s.seleccio, float(c.na - 1)) << c.areas;
        EXPECT_EQ(s.modelcaixa, c.modelIndex) << c.modelcaixa;
        EXPECT_EQ(s.alturaunacaixa, c.height) << c.eti;
    }
}

TEST(ProjectFile, ABadNumberStopsTheLoadAfterWhatCameBefore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ProjectFields saved;
    ProjectState state;
    sample(saved, state, point);
    ASSERT_EQ(projectfile::save(path, saved, state, point), std::nullopt);

    for (const char* bad : {"abc", "", "1,5,0"}) {
        INIwrite(path, "Default", "LastAngle1", bad);
        ProjectFields f;
        ProjectState s;
        const projectfile::LoadResult r = projectfile::load(path, f, s, point);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.error.contains("LastAngle1")) << r.error.toStdString();
        EXPECT_EQ(f, saved);
        EXPECT_EQ(s.box[16], BoxValue::text("24"));
        EXPECT_EQ(s.LastAngle[1], 0.0f);
        EXPECT_EQ(s.modelcaixa, 0);
    }
    INIwrite(path, "Default", "LastAngle1", "0.5");
    INIwrite(path, "Default", "modelcaixa", "70000");
    ProjectFields f;
    ProjectState s;
    EXPECT_TRUE(projectfile::load(path, f, s, point).error.contains("modelcaixa"));

    // A missing file loads empty texts and fails at the first state number.
    const QString missing = dir.filePath("missing.ini");
    const projectfile::LoadResult r = projectfile::load(missing, f, s, point);
    EXPECT_TRUE(r.error.contains("LastAngle1"));
    EXPECT_EQ(f.Label58, "");
    EXPECT_TRUE(QFile::exists(missing));

    const std::optional<QString> e = projectfile::save(dir.filePath("none/p.ini"), f, s, point);
    EXPECT_TRUE(e.has_value() && e->startsWith("Cannot ")) << e.value_or("").toStdString();
}

TEST(ProjectFile, OnlyPlainNumbersHaveTheirSeparatorRewritten)
{
    using numbers::normaliseDecimalSeparator;
    EXPECT_EQ(normaliseDecimalSeparator(" 0,5 ", point), " 0.5 ");
    EXPECT_EQ(normaliseDecimalSeparator("1,5E-03", point), "1.5E-03");
    EXPECT_EQ(normaliseDecimalSeparator(",5", point), ".5");
    for (const char* kept : {"1,5-3", "1,5E", "5,", "1,5 m", "a1,5", "1.2,3", "--1,5"})
        EXPECT_EQ(normaliseDecimalSeparator(kept, point), kept);
}
