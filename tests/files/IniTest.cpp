#include "files/Ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(IniWrite, BuildsAFileWithNewKeysOnTopAndReplacesInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    INIwrite(path, "Default", "A", "1");
    INIwrite(path, "Default", "B", "2");
    INIwrite(path, "Default", "C", "3");
    EXPECT_EQ(contents(path), "[Default]\r\nC=3\r\nB=2\r\nA=1\r\n");
    INIwrite(path, "Default", "A", "new value");
    EXPECT_EQ(contents(path), "[Default]\r\nC=3\r\nB=2\r\nA=new value\r\n");
    EXPECT_EQ(INIread(path, "Default", "A"), "new value");
    EXPECT_EQ(INIread(path, "Default", "B"), "2");
}

TEST(IniWrite, EditsTheTextByTheLineRules)
{
    struct Case
    {
        const char* before;
        const char* section;
        const char* key;
        const char* after; // the value written is always "v"
    };
    const Case cases[] = {
        // Names match without case; the line takes the caller's spelling.
        {"[DEFAULT]\r\nTEXT1=5\r\n", "default", "Text1", "[DEFAULT]\r\nText1=v\r\n"},
        {"[\xC9T\xC9]\r\n\xC9=1\r\n", "\xE9t\xE9", "\xE9", "[\xC9T\xC9]\r\n\xE9=v\r\n"},
        // A blank after "]" or before "=" hides the header or the key.
        {"[S] \r\nk=1\r\n", "S", "k", "[S] \r\nk=1\r\n\r\n[S]\r\nk=v\r\n"},
        {"[S]\r\nk =1\r\n", "S", "k", "[S]\r\nk=v\r\nk =1\r\n"},
        // The first of two equal keys; a key of another section is not touched.
        {"[S]\r\nk=1\r\nk=2\r\n", "S", "k", "[S]\r\nk=v\r\nk=2\r\n"},
        {"[T]\r\nk=1\r\n[S]\r\nj=2\r\n", "S", "k", "[T]\r\nk=1\r\n[S]\r\nk=v\r\nj=2\r\n"},
        // A "[" in a value ends the section.
        {"[S]\r\na=x[y\r\nk=2\r\n", "S", "k", "[S]\r\nk=v\r\na=x[y\r\nk=2\r\n"},
        // Blank lines: none leading or trailing, never two in a row.
        {"\r\n\r\n[S]\r\na=1\r\n\r\n\r\n\r\n\r\nb=2\r\n\r\n\r\n", "S", "k",
         "[S]\r\nk=v\r\na=1\r\n\r\nb=2\r\n"},
        // The last line may lack its CR LF.
        {"[S]\r\na=1\r\nk=old", "S", "k", "[S]\r\na=1\r\nk=v\r\n"},
        {"[S]\r\na=1", "S", "k", "[S]\r\nk=v\r\na=1\r\n"},
        // LF-only line ends: no header is recognised.
        {"[S]\nk=1\n", "S", "k", "[S]\nk=1\n\r\n\r\n[S]\r\nk=v\r\n"},
        {"", "S", "k", "[S]\r\nk=v\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini::rewritten(c.before, c.section, c.key, "v"), QByteArray(c.after)) << c.before;
}

TEST(IniRead, FindsTheFirstKeyOfTheFirstMatchingSection)
{
    struct Case
    {
        const char* text;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"[s]\r\nK= x \r\n", "k", " x "},
        {"[S]\r\nk=1\r\nk=2\r\n", "k", "1"},
        {"[T]\r\nk=1\r\n[S]\r\nk=2\r\n[S]\r\nk=3\r\n", "k", "2"},
        {"[S]\r\na=[\r\nk=1\r\n", "k", ""},
        {"[S] \r\nk=1\r\n", "k", ""},
        {"[S]\r\nk =1\r\n", "k", ""},
        {"k=1\r\n[S]\r\n", "k", ""},
        // CR alone ends a line, LF alone does not; the last line counts without its end.
        {"[S]\rk=1\r", "k", "1"},
        {"[S]\r\nk=1\nj=2\r\n", "k", "1\nj=2"},
        {"[S]\nk=1\n", "k", ""},
        {"[S]\r\nk=last", "k", "last"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini::lookedUp(c.text, "S", c.key), QByteArray(c.value)) << c.text;
}

TEST(IniFiles, MissingFilesAreCreatedAndUnreachableOnesReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    EXPECT_EQ(INIread(path, "S", "k"), "");
    EXPECT_EQ(contents(path), "");

    put(dir.filePath("plain"), "x");
    for (const QString& bad : {dir.filePath("plain/a.ini"), dir.filePath("none/a.ini")}) {
        EXPECT_THROW(INIread(bad, "S", "k"), FileError);
        try {
            INIwrite(bad, "S", "k", "v");
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const FileError& e) {
            EXPECT_TRUE(e.description().startsWith("Cannot ")) << e.what();
            EXPECT_TRUE(e.description().contains(bad)) << e.what();
        }
    }
}

TEST(IniFiles, LongFilesAreWrittenWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.ini");
    const QString value(100, u'x');
    QByteArray expected;
    for (int i = 1; i <= 400; ++i) {
        INIwrite(path, "S", QString("key%1").arg(i), value);
        expected.prepend(QString("key%1=%2\r\n").arg(i).arg(value).toLatin1());
    }
    INIwrite(path, "S", "key1", "last");
    expected.replace("key1=" + value.toLatin1(), "key1=last");
    EXPECT_GT(expected.size(), 40000);
    EXPECT_EQ(contents(path), "[S]\r\n" + expected);
    EXPECT_EQ(INIread(path, "S", "key1"), "last");
}

TEST(IniFiles, ReadOnlyFilesAreReadAndBecomeWritable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ro.ini");
    put(path, "[S]\r\nk=1\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(INIread(path, "S", "k"), "1");
    INIwrite(path, "S", "k", "2");
    EXPECT_EQ(contents(path), "[S]\r\nk=2\r\n");
    // The permissions are kept, with the owner's write added.
    EXPECT_EQ(QFile::permissions(path) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
}

TEST(IniFiles, AFailedWriteLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    QTemporaryDir dir;
    const QString sub = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(sub));
    const QString path = sub + "/p.ini";
    put(path, "[S]\r\nk=1\r\n");
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(INIwrite(path, "S", "k", "2"), FileError);
    EXPECT_EQ(contents(path), "[S]\r\nk=1\r\n");
    EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden), QStringList{"p.ini"});
    QFile::setPermissions(sub,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(IniFiles, AWriteThatRunsOutOfSpaceLeavesTheOldFile)
{
    // A file-size limit makes the write fail for every user, the superuser too.
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    put(path, "[S]\r\nk=1\r\n");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        INIwrite(path, "S", "k", QString(200, QLatin1Char('x')));
    } catch (const FileError&) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(contents(path), "[S]\r\nk=1\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.ini"});
}

TEST(IniFiles, WritingManyKeysAtOnceGivesTheBytesOfOneWriteEach)
{
    QTemporaryDir dir;
    const QString one = dir.filePath("one.ini");
    const QString all = dir.filePath("all.ini");
    const QByteArray start = "\r\n\r\n[Other]\r\nx=1\r\n\r\n\r\n[default]\r\nB=old\r\nq\r\n";
    for (const QString& p : {one, all}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(start);
    }
    const std::vector<std::pair<QString, QString>> entries = {
        {"A", "1"}, {"b", "two words"}, {"C", ""}, {"A", "3"}, {"D", "x=y"}};
    for (const auto& [k, v] : entries)
        INIwrite(one, "Default", k, v);
    INIwriteAll(all, "Default", entries);
    EXPECT_EQ(contents(all), contents(one));
}

TEST(IniWrite, AHeaderEndingTheFileWithALoneCarriageReturn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    put(path, "[Default]\r");
    INIwrite(path, "Default", "x", "1");
    EXPECT_EQ(contents(path), "[Default]\rx=1\r\n");
}
