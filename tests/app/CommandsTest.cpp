#include "app/Commands.h"
#include "CommandTools.h"
#include "support/FailingResources.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <system_error>

// Every command refuses what it cannot take with code 2 and one line naming
// why, prints nothing and leaves no file behind.
TEST(Commands, RefuseWhatTheyCannotTakeInOneLine)
{
    QTemporaryDir dir;
    const QString flat = dir.filePath("flat.ini"), pipe = dir.filePath("pipe.ini");
    demoWith(flat, {{"Text1", "0"}, {"Text4", "0"}, {"Text5", "0"}, {"Text8", "0"}}); // no audience
    const QString broken = demoWith(dir.filePath("broken.ini"), {{"numcaixes", "17"}});
    // A view thousands of metres high.
    const QString tall = demoWith(dir.filePath("tall.ini"), {{"Text13", "3000"}});
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString ini = dir.filePath("c.ini"), unreachable = dir.filePath("none/c.ini");
    const QString png = dir.filePath("map.png"), pdf = dir.filePath("report.pdf");
    const std::tuple<const char*, QStringList, QString> cases[] = {
        // The project, band and resolution, read alike by every calculating command.
        {"grid", {}, "usage"},
        {"grid", {demo, "--what", "1"}, "usage"},
        {"grid", {demo, "--freq", "1001"}, "band centre"},
        {"grid", {demo, "--freq", "+1000"}, "whole number"},
        {"grid", {demo, "--freq", "01000"}, "whole number"},
        {"grid", {demo, "--freq", "1000", "--freq", "2000"}, "--freq is given more than once"},
        {"grid", {demo, "--res", "0.09"}, "too small"},
        {"grid", {demo, "--res", "1e308"}, "too high"},
        {"grid", {demo, "--res", " 0.3"}, "not a number"},
        {"grid", {demo, "--res"}, "needs a value"},
        {"grid", {demo, "--cells", ""}, "needs a value"},
        {"grid", {demo, "--cells", "--res", "0.3"}, "needs a value"},
        {"grid", {tall, "--res", "0.1"}, "too large"},
        {"grid", {demo, "--cells", dir.path()}, "Is a directory"},
        // The map options.
        {"grid", {demo, "--model", "Coherent"}, "model"},
        {"grid", {demo, "--weighting", "a"}, "--weighting needs --bands"},
        {"grid", {demo, "--bands", "8000-125"}, "runs downwards"},
        {"grid", {demo, "--bands", "125-8001"}, "8001 is not a third-octave band centre"},
        {"grid", {demo, "--bands", "125"}, "LO-HI"},
        {"grid", {demo, "--bands", "0125-8000"}, "LO-HI"},
        {"grid", {demo, "--bands", "125-8000", "--weighting", "A"}, "no weighting A"},
        {"report", {demo, "--style", "dots", "--out", pdf}, "dots"},
        // The project file.
        {"geometry", {}, "usage"},
        {"geometry", {dir.filePath("none.ini")}, "none.ini"},
        {"geometry", {broken}, "the number of boxes (numcaixes) is not from 0 to 16: \"17\""},
        {"geometry", {dir.path()}, "it is a folder"},
        {"geometry", {pipe}, "it is a pipe"},
        // Each command's own options and output.
        {"render", {demo}, "--out"},
        {"render", {demo, "--surface", "Picture2", "--out", png}, "Picture2"},
        {"render", {flat, "--out", png}, "No audience area"},
        {"render", {demo, "--out", dir.filePath("missing/map.png")}, "missing/map.png"},
        {"report", {demo}, "--out"},
        {"report", {demo, "--no-map", "--res", "2", "--out", pdf}, "too high"},
        {"report", {demo, "--out", dir.filePath("missing/report.pdf")}, "missing/report.pdf"},
        {"spectrum", {demo}, "--at X,Y is needed"},
        {"spectrum", {demo, "--at", "3"}, "X,Y"},
        {"spectrum", {demo, "--at", "3,4,5"}, "X,Y"},
        {"spectrum", {demo, "--at", "3,4", "--freq", "1000"}, "--freq is not an option"},
        {"spectrum", {demo, "--at", "3,4", "--bands", "100-200"}, "usage"},
        {"autosplay", {flat}, "No audience area"},
        {"autosplay", {demo, "--freq", "1000"}, "usage"},
        {"autosplay", {demo, "--keep-tilt", "--keep-tilt"}, "more than once"},
        {"autosplay", {demo, "--slope", "6.5"}, "the slope"},
        {"autosplay", {demo, "--slope", "-1"}, "the slope"},
        {"autosplay", {demo, "--min-splay", "6.5"}, "above the largest splay"},
        {"autosplay", {demo, "--bands", "250-8001"}, "LO-HI"},
        {"autosplay", {demo, "--bands", "2000-250"}, "LO-HI"},
        {"autosplay", {demo, "--bands", "250"}, "LO-HI"},
        {"autosplay", {demo, "--bands", "+250-8000"}, "LO-HI"},
        {"ini-read", {ini, "S"}, "usage"},
        {"ini-read", {ini, "S", "k", "v"}, "usage"},
        {"ini-write", {ini, "S", "k"}, "usage"},
        {"ini-read", {unreachable, "S", "k"}, unreachable},
        {"ini-write", {unreachable, "S", "k", "v"}, unreachable},
        {"ini-write", {ini, "S", "k", QString::fromUtf8("\xE2\x82\xAC")}, "outside Latin-1"},
        {"ini-read", {dir.filePath("no\ndir/x.ini"), "S", "k"}, "no\\ndir"},
    };
    for (const auto& [name, args, reason] : cases) {
        const Outcome r = command(name, args);
        const bool own = QByteArray(name).startsWith("ini") || !strcmp(name, "geometry") ||
                         r.err.startsWith(QByteArray("splmap ") + name + ": ");
        EXPECT_TRUE(r.code == 2 && r.out.isEmpty() && r.err.count('\n') == 1 &&
                    r.err.endsWith('\n') && own && r.err.contains(reason.toUtf8()))
            << name << " " << args.join(' ').toStdString() << ": " << r.err.constData();
    }
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"broken.ini", "flat.ini", "pipe.ini", "tall.ini"}));
}

// A failed write of the output, or memory or threads running out, is one line and code 2.
TEST(Commands, OutputThatCannotBeWrittenAndMissingMemoryEndInOneLineAndCodeTwo)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const auto grid = [](const QStringList& args, bool noMemory = false) {
        return [=](QIODevice& out, QIODevice& err) {
            failing::Refusal refusal(false, noMemory);
            return runGrid(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
        };
    };
    const std::tuple<const char*, std::function<int(QIODevice&, QIODevice&)>, int, QByteArray>
        cases[] = {
            {"/dev/null", grid({demo}), 0, ""},
            {"/dev/full", grid({demo}), 2,
             "splmap grid: standard output: No space left on device\n"},
            {"/dev/full", grid({}), 2, command("grid", {}).err},
            {"/dev/null",
             [](QIODevice&, QIODevice&) -> int {
                 throw std::system_error(
                     std::make_error_code(std::errc::resource_unavailable_try_again));
             },
             2, "splmap grid: not enough memory\n"},
            // A grid the system has no memory for leaves no table.
            {"/dev/null",
             grid({SPLMAP_EXAMPLES_DIR "/extreme.ini", "--res", "0.1", "--cells", csv}, true), 2,
             "splmap grid: not enough memory\n"}};
    for (const auto& [path, body, code, message] : cases) {
        QFile out(QString::fromLatin1(path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QBuffer err;
        err.open(QIODevice::WriteOnly);
        const int ended = finishCommand(
            "grid", [&] { return body(out, err); }, out, err);
        EXPECT_EQ(std::pair(ended, err.data()), std::pair(code, message));
    }
    EXPECT_FALSE(QFile::exists(csv));
}

TEST(Commands, WordsThatAreNeitherCommandNorProjectAreUnknownCommands)
{
    QTemporaryDir dir;
    const QByteArray plain = QFile::encodeName(dir.filePath("plain"));
    QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
    const std::pair<std::vector<const char*>, bool> cases[] = {
        {{"splmap", "gird", "demo.ini"}, true}, {{"splmap", "gird"}, true},
        {{"splmap", "--frobnicate"}, true},     {{"splmap", "demo.ini", "x"}, true},
        {{"splmap", "demo.ini"}, false},        {{"splmap", "grid", "x"}, false},
        {{"splmap", plain.constData()}, false}, {{"splmap"}, false}};
    for (const auto& [args, unknown] : cases) {
        std::vector<char*> argv;
        for (const char* a : args)
            argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(isUnknownCommand(int(argv.size()), argv.data()), unknown)
            << args.at(1 % args.size());
    }
    const QString text = unknownCommandText("gird");
    EXPECT_EQ(text.count(u'\n'), 1);
    for (const char* word : {"unknown command gird", "ini-read", "geometry", "grid", "render"})
        EXPECT_TRUE(text.contains(QLatin1String(word))) << word;
}
