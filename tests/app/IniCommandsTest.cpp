#include "app/IniCommands.h"
#include "Harness.h"
#include "files/Bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Outcome run(int (*command)(const QStringList&, QIODevice&, QIODevice&), const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) { return command(args, out, err); });
}

} // namespace

// Text goes through a Latin-1 file and back as the file's bytes; every failure,
// even for a name with a line break, is one line and code 2.
TEST(IniCommands, WriteAndReadTextThroughALatin1FileOrFailInOneLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.ini");
    const QString unreachable = dir.filePath("none/c.ini");
    const Outcome failures[] = {
        run(runIniRead, {path, "S"}),
        run(runIniRead, {path, "S", "k", "v"}),
        run(runIniWrite, {path, "S", "k"}),
        run(runIniRead, {unreachable, "S", "k"}),
        run(runIniWrite, {unreachable, "S", "k", "v"}),
        run(runIniWrite, {path, "S", "k", QString::fromUtf8("\xE2\x82\xAC")}),
        run(runIniRead, {dir.filePath("no\ndir/x.ini"), "S", "k"}),
    };
    for (const Outcome& r : failures) {
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.endsWith('\n') && r.err.count('\n') == 1) << r.err.data();
    }
    EXPECT_TRUE(failures[4].err.contains(unreachable.toLocal8Bit())) << failures[4].err.data();
    EXPECT_TRUE(failures[6].err.contains("no\\ndir")) << failures[6].err.data();
    EXPECT_FALSE(QFile::exists(path));

    const Outcome w =
        run(runIniWrite, {path, "Default", "Text15", QString::fromUtf8("caf\xC3\xA9 x ")});
    EXPECT_EQ(std::tuple(w.code, w.out + w.err), std::tuple(0, QByteArray()));
    EXPECT_EQ(contents(path), "[Default]\r\nText15=caf\xE9 x \r\n");
    const Outcome r = run(runIniRead, {path, "DEFAULT", "text15"});
    EXPECT_EQ(std::tuple(r.code, r.out), std::tuple(0, QByteArray("caf\xE9 x \n")));
    EXPECT_EQ(run(runIniRead, {path, "Default", "absent"}).out, "\n");
}
