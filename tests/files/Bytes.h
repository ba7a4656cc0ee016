// Whole files read and written by the file tests.
#pragma once

#include <QFile>
#include <gtest/gtest.h>

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
