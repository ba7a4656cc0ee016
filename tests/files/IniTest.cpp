#include "files/Ini.h"
#include "files/Bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

// Each text, the value of k in section S read from it, and the text after writing k=v there.
TEST(IniText, ReadsAndEditsByTheLineRules)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // Names match without case; the line takes the caller's spelling.
        {"[s]\r\nK= x \r\n", " x ", "[s]\r\nk=v\r\n"},
        // A blank after "]" hides the header: a second section is appended.
        {"[S] \r\nk=1\r\n", "", "[S] \r\nk=1\r\n\r\n[S]\r\nk=v\r\n"},
        // The first key of the first matching section; a "[" in a value ends the section.
        {"[T]\r\nk=1\r\n[S]\r\nk=2\r\nk=3\r\n[S]\r\nk=4\r\n", "2",
         "[T]\r\nk=1\r\n[S]\r\nk=v\r\nk=3\r\n[S]\r\nk=4\r\n"},
        {"[S]\r\na=x[y\r\nk=2\r\n", "", "[S]\r\nk=v\r\na=x[y\r\nk=2\r\n"},
        // Blank lines: none leading or trailing, never two in a row.
        {"\r\n\r\n[S]\r\na=1\r\n\r\n\r\n\r\nb=2\r\n\r\n\r\n", "",
         "[S]\r\nk=v\r\na=1\r\n\r\nb=2\r\n"},
        // CR alone ends a line, LF alone does not: with LF ends no header is recognised.
        {"[S]\nk=1\n", "", "[S]\nk=1\n\r\n\r\n[S]\r\nk=v\r\n"},
        {"[S]\r\nk=1\nj=2\r\n", "1\nj=2", "[S]\r\nk=v\r\n"},
        {"[S]\rk=1\r", "1", nullptr},
        // A header ending the text with a lone CR; a last line without its CR LF.
        {"[S]\r", "", "[S]\rk=v\r\n"},
        {"[S]\r\na=1\r\nk=old", "old", "[S]\r\na=1\r\nk=v\r\n"},
    };
    for (const auto& [before, value, after] : cases) {
        EXPECT_EQ(ini::lookedUp(before, "S", "k"), QByteArray(value)) << before;
        if (after) {
            EXPECT_EQ(ini::rewritten(before, "S", "k", "v"), QByteArray(after)) << before;
        }
    }
}

// A missing file reads as empty and is made so; a long or read-only one is rewritten whole,
// or kept as it was when the new one cannot be written.
TEST(IniFiles, MissingLongAndReadOnlyFilesAreWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.ini");
    EXPECT_EQ(INIread(path, "S", "k"), "");
    EXPECT_EQ(contents(path), "");
    const QString value(100, u'x');
    QByteArray expected;
    for (int i = 1; i <= 400; ++i)
        expected.prepend(QString("key%1=%2\r\n").arg(i).arg(value).toLatin1());
    put(path, "[S]\r\n" + expected);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(INIread(path, "S", "key400"), value);
    INIwrite(path, "S", "key1", "last");
    expected.replace("key1=" + value.toLatin1(), "key1=last");
    EXPECT_EQ(contents(path), "[S]\r\n" + expected);
    // The permissions are kept, with the owner's write added.
    EXPECT_EQ(QFile::permissions(path) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    // A write that runs out of space leaves the old file, and no other.
    const QByteArray written = contents(path);
    underFileSizeLimit(written.size() + 64, [&] {
        EXPECT_THROW(INIwrite(path, "S", "k", QString(200, u'x')), FileError);
    });
    EXPECT_EQ(contents(path), written);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"long.ini"});
}

TEST(IniRead, OneReadingOfASectionFindsWhatEachKeyReadFinds)
{
    // Random files of the lines and line ends the rules treat differently.
    const char* const lines[] = {
        "[Default]", "[default]", "[DEFAULT] ", " [Default]", "[Other]", "[]",    "k=1",
        "K=2",       "k =3",      " k=4",       "k==5",       "=6",      "x[y=7", "k=8[",
        "\xC4=9",    "\xE4=10",   "kk=11",      "k",          "",        "k=a=b", "\xC4x=12",
    };
    const char* const ends[] = {"\r\n", "\r", "\n", "\r\n\r\n"};
    const QByteArray keys[] = {"k", "K", "kk", "", "x", "\xE4", "\xC4", "k=", "=", "k=a", "y"};
    std::mt19937 random(9);
    for (int file = 0; file < 3000; ++file) {
        QByteArray text;
        for (auto lineCount = random() % 12; lineCount > 0; --lineCount) {
            text += lines[random() % std::size(lines)];
            text += ends[random() % std::size(ends)];
        }
        if (random() % 4 == 0)
            text.chop(1); // a last line without its end, or with a lone CR
        for (const QByteArray section : {"Default", "DEFAULT", "Other", ""}) {
            const ini::SectionIndex index(text, section);
            for (const QByteArray& key : keys)
                ASSERT_EQ(index.value(key), ini::lookedUp(text, section, key))
                    << text.toPercentEncoding().constData() << " [" << section.constData() << "] "
                    << key.constData();
        }
    }
}

TEST(IniFiles, AFolderPipeOrDeviceIsRefusedAsWhatItIs)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(specialFileKind(dir.filePath("none")), "");
    const std::pair<QString, const char*> cases[] = {
        {dir.path(), "a folder"}, {pipe, "a pipe"}, {"/dev/null", "a device"}};
    for (const auto& [path, kind] : cases) {
        EXPECT_EQ(specialFileKind(path), kind);
        // Reading the pipe would wait for a writer for ever
        // (the messages are checked where the commands show them).
        EXPECT_THROW(INIreadSection(path, "S"), FileError) << kind;
        EXPECT_THROW(INIwrite(path, "S", "k", "v"), FileError) << kind;
        EXPECT_THROW(INIread(path, "S", "k"), FileError) << kind;
    }
}
