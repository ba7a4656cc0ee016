#include "app/Commands.h"
#include "Harness.h"
#include "app/GridCommand.h"
#include "support/FailingResources.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <system_error>

namespace {

/// What finishCommand makes of a command's body writing to `outPath`.
Outcome finished(const QString& outPath, const std::function<int(QIODevice&, QIODevice&)>& body)
{
    QFile out(outPath);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QBuffer err;
    err.open(QIODevice::WriteOnly);
    const int code = finishCommand(
        "grid", [&] { return body(out, err); }, out, err);
    return {code, {}, err.data()};
}

} // namespace

// A grid the system has no memory for ends like any refusal and leaves no table.
TEST(Commands, OutputThatCannotBeWrittenAndMissingMemoryEndInOneLineAndCodeTwo)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("cells.csv");
    const auto printing = [](QIODevice& out, QIODevice&) {
        out.write("{}\n");
        return 0;
    };
    const auto refusing = [](QIODevice& out, QIODevice& err) {
        out.write("{}\n");
        err.write("splmap grid: refused\n");
        return 2;
    };
    const std::tuple<const char*, std::function<int(QIODevice&, QIODevice&)>, int, QByteArray>
        cases[] = {
            {"/dev/null", printing, 0, ""},
            {"/dev/full", printing, 2, "splmap grid: standard output: No space left on device\n"},
            {"/dev/full", refusing, 2, "splmap grid: refused\n"},
            {"/dev/null",
             [](QIODevice&, QIODevice&) -> int {
                 throw std::system_error(
                     std::make_error_code(std::errc::resource_unavailable_try_again));
             },
             2, "splmap grid: not enough memory\n"},
            {"/dev/null",
             [&](QIODevice& out, QIODevice& err) {
                 failing::Refusal memory(false, true);
                 return runGrid(
                     {SPLMAP_EXAMPLES_DIR "/extreme.ini", "--res", "0.1", "--cells", csv}, out, err,
                     QStringLiteral(SPLMAP_LANGUAGES_DIR));
             },
             2, "splmap grid: not enough memory\n"}};
    for (const auto& [path, body, code, err] : cases) {
        const Outcome r = finished(QString::fromLatin1(path), body);
        EXPECT_EQ(r.code, code) << r.err.constData();
        EXPECT_EQ(r.err, err);
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
