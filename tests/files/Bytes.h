// Whole files read and written by the file tests.
#pragma once

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

/// The bytes of the file at `path`, or "<missing>".
inline QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

/// Makes the file at `path` hold `bytes`.
inline void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

/// Runs `write` while files may grow to `bytes` only: a write past that fails
/// as on a full disk, for every user, the superuser too.
template <typename Write> void underFileSizeLimit(rlim_t bytes, Write write)
{
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
}
