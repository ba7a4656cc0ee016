#include "files/OutputFile.h"
#include "files/Bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

/// A filler writing `bytes`, or failing with `why` after writing part of them.
auto writing(const QByteArray& bytes, const QString& why = {})
{
    return [=](QIODevice& d) {
        d.write(bytes.left(why.isEmpty() ? bytes.size() : bytes.size() / 2));
        return why;
    };
}

mode_t modeOf(const QString& path)
{
    struct stat s;
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? s.st_mode : 0;
}

QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(OutputFile, RegularFilesAreReplacedWholeOrKeptAsTheyWere)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.png"), old = dir.filePath("old.png");
    put(old, "the old picture");
    ::chmod(QFile::encodeName(old).constData(), 0640);
    const mode_t mask = ::umask(022);
    ::umask(mask);

    EXPECT_EQ(writeOutputFile(fresh, writing("new")), "");
    EXPECT_EQ(contents(fresh), "new");
    EXPECT_EQ(modeOf(fresh) & 0777, 0666 & ~mask);
    // A refused contents, then one written whole, keeping the permissions.
    EXPECT_EQ(writeOutputFile(old, writing("half of it", "cannot write BMP")),
              old + ": cannot write BMP");
    EXPECT_EQ(contents(old), "the old picture");
    EXPECT_EQ(writeOutputFile(old, writing("the new picture")), "");
    EXPECT_EQ(contents(old), "the new picture");
    EXPECT_EQ(modeOf(old) & 0777, 0640u);
    // Through a link, the file it leads to.
    const QString link = dir.filePath("link.png");
    ASSERT_TRUE(QFile::link(old, link));
    EXPECT_EQ(writeOutputFile(link, writing("via the link")), "");
    EXPECT_EQ(contents(old), "via the link");
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    // Targets that cannot be written name why.
    const std::pair<QString, int> refused[] = {
        {dir.filePath("missing/x.png"), ENOENT}, {dir.path(), EISDIR}, {old + "/x.png", ENOTDIR}};
    for (const auto& [path, error] : refused)
        EXPECT_EQ(writeOutputFile(path, writing("x")),
                  path + ": " + QString::fromLocal8Bit(std::strerror(error)));
    // A file-size limit: the reason, and the old file as it was.
    QString problem;
    underFileSizeLimit(1000,
                       [&] { problem = writeOutputFile(old, writing(QByteArray(5000, 'x'))); });
    EXPECT_EQ(problem, old + ": " + QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(contents(old), "via the link");
    EXPECT_EQ(entries(dir), QStringList({"fresh.png", "link.png", "old.png"}));
}

TEST(OutputFile, PipesDevicesAndHeldDescriptorsGetTheBytesAndStayWhatTheyAre)
{
    QTemporaryDir dir;
    // A pipe with a reader at the other end (which waits for nobody: a
    // replaced pipe shows as no bytes rather than as a test that hangs).
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(writeOutputFile(fifo, writing("through the pipe")), "");
    char read[64] = {};
    EXPECT_EQ(::read(reader, read, sizeof read), 16);
    EXPECT_STREQ(read, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
    // A device, and the reason a full one gives.
    const QString full = dir.filePath("full");
    ASSERT_EQ(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    EXPECT_EQ(writeOutputFile(full, writing("x")),
              full + ": " + QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_TRUE(S_ISCHR(modeOf(full)));
    // A descriptor named as /dev/stdout is: the one the process holds.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_EQ(writeOutputFile(QStringLiteral("/dev/fd/%1").arg(ends[1]), writing("held")), "");
    ::close(ends[1]);
    EXPECT_EQ(::read(ends[0], read, sizeof read), 4);
    ::close(ends[0]);
    EXPECT_EQ(entries(dir), QStringList({"fifo", "full"}));
}
