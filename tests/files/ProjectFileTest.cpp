#include "files/ProjectFile.h"
#include "files/Bytes.h"
#include "files/Ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QLocale point(QLocale::English, QLocale::UnitedStates);
const QLocale comma(QLocale::German, QLocale::Germany);

// A project with numbers in every field and a Latin-1 name, the numbers written
// with the given locale's separator as the window would show them.
void sample(ProjectFields& f, ProjectState& s, const QLocale& locale)
{
    f.Label58 = "TS160";
    for (int i = 1; i <= 13; ++i)
        f.Text[i] = locale.toString(i + 0.25);
    f.Text16 = QString::fromLatin1("Caf\xE9 owner");
    f.Combo2 = "5"; // boxes
    f.Combo1 = "2"; // areas
    for (int j = 1; j <= 16; ++j) {
        f.Combo3[j] = locale.toString(j / 2.0);
        s.box[j] = BoxValue::number(j * 1.5);
        s.LastAngle[j] = j * 0.5f;
        s.x1[j] = -j * 0.125f;
    }
    s.box[1] = BoxValue::text(locale.toString(0.5));
    s.modelcaixa = 1;
}

const QString odd = "\x1b]0;title\x07" + QString(1 << 20, u'9') + "\x7f";

} // namespace

// Every bundled project, loaded and saved into a new file and over itself, gives its own bytes.
TEST(ProjectFile, BundledProjectsSaveBackToTheirOwnBytes)
{
    QStringList paths;
    for (const char* folder : {SPLMAP_EXAMPLES_DIR, SPLMAP_TEST_PROJECTS_DIR})
        for (const QFileInfo& file : QDir(folder).entryInfoList({"*.ini"}))
            paths << file.filePath();
    ASSERT_GE(paths.size(), 7);
    QTemporaryDir dir;
    for (const QString& path : paths) {
        ProjectFields f;
        ProjectState s;
        ASSERT_TRUE(projectfile::load(path, f, s, point).ok()) << path.toStdString();
        const QString copy = dir.filePath(QFileInfo(path).fileName());
        for (int time = 0; time < 2; ++time) {
            ASSERT_EQ(projectfile::save(copy, f, s, point), std::nullopt);
            EXPECT_EQ(contents(copy), contents(path)) << path.toStdString() << " " << time;
        }
    }
}

TEST(ProjectFile, LoadsEitherSeparator)
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
    }
}

TEST(ProjectFile, LoadingDerivesCountsAndRefusesBadNumbersAndCountsTheListsCannotShow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ASSERT_EQ(projectfile::save(path, ProjectFields{}, ProjectState{}, point), std::nullopt);

    // eti, numcaixes, numzones, modelcaixa; then the boxes, areas, numcaixes,
    // seleccio, model and height derived.
    const std::tuple<const char*, const char*, const char*, const char*,
                     std::tuple<int, int, int, float, int, float>>
        cases[] = {
            {"TS160", "16", "3", "1", {16, 3, 15, 2.f, 1, 0.181f}},
            {"TS250", "2.5", " 1 ", "2.5", {2, 1, 1, 0.f, 2, 0.314f}},
            // Saved before the number of boxes was chosen: no boxes.
            {"other", "0", "2", "1.5", {0, 2, -1, 1.f, 2, 0.9f}},
        };
    INIwrite(path, "Default", "alturaunacaixa", "0.9");
    for (const auto& [eti, boxes, areas, model, derived] : cases) {
        INIwriteAll(
            path, "Default",
            {{"eti", eti}, {"numcaixes", boxes}, {"numzones", areas}, {"modelcaixa", model}});
        ProjectFields f;
        ProjectState s;
        const projectfile::LoadResult r = projectfile::load(path, f, s, point);
        EXPECT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(std::tuple(r.boxes, r.areas, int(s.numcaixes), s.seleccio, int(s.modelcaixa),
                             s.alturaunacaixa),
                  derived)
            << eti;
    }

    // A bad number, or a count the lists cannot show, fails the load, names
    // the key and derives nothing.
    const std::pair<const char*, const char*> bad[] = {
        {"numcaixes", "abc"},    {"numcaixes", "17"}, {"numcaixes", "16.6"},  {"numcaixes", "-1"},
        {"numzones", "0"},       {"numzones", "4"},   {"numcaixes", nullptr}, {"LastAngle1", "abc"},
        {"LastAngle1", "1,5,0"}, {"LastAngle1", ""},
    };
    for (const auto& [key, text] : bad) {
        INIwriteAll(path, "Default",
                    {{"numcaixes", "5"}, {"numzones", "2"}, {key, text ? QString(text) : odd}});
        ProjectFields g;
        ProjectState t;
        t.numcaixes = 9;
        const QString error = projectfile::load(path, g, t, point).error;
        const QString named = QString(key) == "numcaixes"  ? "the number of boxes (numcaixes)"
                              : QString(key) == "numzones" ? "the number of areas (numzones)"
                                                           : key;
        // However long or odd the value, it is named in one short printable line.
        EXPECT_TRUE(error.startsWith("Cannot load " + path + ": ") && error.contains(named) &&
                    error.size() < path.size() + 200 &&
                    std::all_of(error.begin(), error.end(), [](QChar c) { return c >= u' '; }) &&
                    (text || error.contains("\"\\x1b]0;title\\x0799")))
            << error.toStdString();
        EXPECT_EQ(t.numcaixes, 9);
    }
}

// A text the file cannot hold is refused, named as the window shows it, and no file is touched.
TEST(ProjectFile, ASaveTheFileCannotHoldIsRefusedAndTheFileKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ProjectFields f;
    ProjectState s;
    sample(f, s, point);
    ASSERT_EQ(projectfile::save(path, f, s, point), std::nullopt);
    const QByteArray saved = contents(path);

    using Edit = void (*)(ProjectFields&, ProjectState&);
    const std::pair<Edit, const char*> cases[] = {
        {[](ProjectFields& g, ProjectState&) { g.Text15 = "Hall [east]"; },
         "the project name (Text15)"},
        {[](ProjectFields& g, ProjectState&) { g.Text16 = "cr\r"; }, "the customer name (Text16)"},
        {[](ProjectFields& g, ProjectState&) { g.Label58 = "TS250\t"; }, "the model key (eti)"},
        {[](ProjectFields& g, ProjectState&) { g.Combo4 = QString::fromUtf8("TS\xE2\x82\xAC"); },
         "the model (model)"},
        {[](ProjectFields& g, ProjectState&) { g.Text[7] = "["; }, "Area 2 Elevation Z2 (Text7)"},
        {[](ProjectFields& g, ProjectState&) { g.Combo3[12] = "\n"; },
         "the angle of Box 12 (angle12)"},
        {[](ProjectFields&, ProjectState& t) { t.box[3] = BoxValue::text("5["); }, "box 3 (box3)"},
    };
    for (const auto& [edit, named] : cases) {
        ProjectFields g = f;
        ProjectState t = s;
        edit(g, t);
        for (const QString& target : {path, dir.filePath("new.ini")}) {
            const QString error = projectfile::save(target, g, t, point).value_or("");
            EXPECT_TRUE(error.contains(named) && !error.contains(u'\n') && !error.contains(u'\r') &&
                        !error.contains(u'\t'))
                << named << ": " << error.toStdString();
        }
        EXPECT_EQ(contents(path), saved) << named;
        EXPECT_FALSE(QFile::exists(dir.filePath("new.ini")));
    }
}
