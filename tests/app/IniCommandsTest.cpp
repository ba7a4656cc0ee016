#include "CommandTools.h"
#include "files/Bytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Text goes through a Latin-1 file and back as the file's bytes.
TEST(IniCommands, WriteAndReadTextThroughALatin1File)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.ini");
    const Outcome w =
        command("ini-write", {path, "Default", "Text15", QString::fromUtf8("caf\xC3\xA9 x ")});
    EXPECT_EQ(std::tuple(w.code, w.out + w.err), std::tuple(0, QByteArray()));
    EXPECT_EQ(contents(path), "[Default]\r\nText15=caf\xE9 x \r\n");
    const Outcome r = command("ini-read", {path, "DEFAULT", "text15"});
    EXPECT_EQ(std::tuple(r.code, r.out), std::tuple(0, QByteArray("caf\xE9 x \n")));
    EXPECT_EQ(command("ini-read", {path, "Default", "absent"}).out, "\n");
}
