#include "files/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// A file descriptor written with write(2), keeping the first failure's errno:
/// QFile reports some failures only as "Unknown error".
class Descriptor : public QIODevice
{
public:
    explicit Descriptor(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    ~Descriptor() override { closeDescriptor(); }

    int failure() const { return m_errno; }

    /// Closes the descriptor; false (with the reason kept) when that fails.
    bool closeDescriptor()
    {
        if (m_fd < 0)
            return m_errno == 0;
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR)
            keep(errno);
        return m_errno == 0;
    }
    bool sync()
    {
        if (m_errno == 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
            keep(errno);
        return m_errno == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_errno != 0)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(m_fd, data + done, std::size_t(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                keep(n < 0 ? errno : ENOSPC);
                return -1;
            }
            done += n;
        }
        return done;
    }

private:
    void keep(int error)
    {
        if (m_errno == 0) {
            m_errno = error;
            setErrorString(systemReason(error));
        }
    }

    int m_fd;
    int m_errno = 0;
};

/// Fills `device`; the device's own failure is the reason before the filler's.
QString filled(Descriptor& device, const std::function<QString(QIODevice&)>& fill)
{
    QString problem = fill(device);
    if (device.failure() != 0)
        return device.errorString();
    return problem;
}

/// The descriptor of this process that a name such as /dev/stdout or
/// /dev/fd/3 stands for, or -1 for the name of a file.
int descriptorNamed(const QString& path)
{
    if (path == QLatin1String("/dev/stdout"))
        return STDOUT_FILENO;
    if (path == QLatin1String("/dev/stderr"))
        return STDERR_FILENO;
    for (const char* folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.startsWith(QLatin1String(folder)))
            continue;
        bool ok = false;
        const int fd = path.mid(qsizetype(std::strlen(folder))).toInt(&ok);
        return ok && fd >= 0 ? fd : -1;
    }
    return -1;
}

QString writeThrough(const QString& path, const std::function<QString(QIODevice&)>& fill)
{
    // A descriptor the process holds is written where it stands (after what
    // a shell's ">>" keeps, say); opening its name anew could be refused.
    const int held = descriptorNamed(path);
    const int fd =
        held >= 0 ? ::fcntl(held, F_DUPFD_CLOEXEC, 0)
                  : ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return systemReason(errno);
    Descriptor device(fd);
    QString problem = filled(device, fill);
    if (!device.closeDescriptor() && problem.isEmpty())
        problem = device.errorString();
    return problem;
}

QString writeReplacing(const QString& path, const struct stat* old,
                       const std::function<QString(QIODevice&)>& fill)
{
    // Links are followed: the file they lead to is the one replaced.
    const QString target = old ? QFileInfo(path).canonicalFilePath() : path;
    const QFileInfo targetInfo(target);
    if (old && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return systemReason(errno);
    QByteArray temporary = QFile::encodeName(
        targetInfo.absoluteDir().filePath(QLatin1Char('.') + targetInfo.fileName() + ".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return systemReason(errno);
    Descriptor device(fd);
    // The new file keeps the old one's permissions; a new one gets the usual ones.
    mode_t mode = 0;
    if (old) {
        mode = old->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    QString problem = filled(device, fill);
    if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()))
        (void)!::fchown(fd, old->st_uid, old->st_gid); // where allowed, the owner stays too
    if (problem.isEmpty() && ::fchmod(fd, mode) != 0)
        problem = systemReason(errno);
    if (problem.isEmpty() && !device.sync())
        problem = device.errorString();
    if (!device.closeDescriptor() && problem.isEmpty())
        problem = device.errorString();
    if (problem.isEmpty() &&
        ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        problem = systemReason(errno);
    if (!problem.isEmpty())
        ::unlink(temporary.constData());
    return problem;
}

} // namespace

QString writeOutputFile(const QString& path, const std::function<QString(QIODevice&)>& fill)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat old;
    const bool exists = !name.isEmpty() && ::stat(name.constData(), &old) == 0;
    QString problem;
    if (name.isEmpty())
        problem = systemReason(ENOENT);
    else if (exists && S_ISDIR(old.st_mode))
        problem = systemReason(EISDIR);
    else if (exists && (!S_ISREG(old.st_mode) || descriptorNamed(path) >= 0))
        problem = writeThrough(path, fill);
    else
        problem = writeReplacing(path, exists ? &old : nullptr, fill);
    return problem.isEmpty() ? problem : path + QStringLiteral(": ") + problem;
}
