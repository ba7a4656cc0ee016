#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap report PROJECT.ini --out FILE.pdf [--freq HZ] [--res M] [--style S] [--no-map]`:
/// loads the project as the Load command does and writes the report the
/// window's Export Report writes, in the user's language: with the SPL map of
/// CALCULATE (band centre HZ, default 100; resolution M, default 0.3; style S,
/// distribution or cells) unless --no-map is given. Builds no window. The file
/// is written whole or not at all. Needs a QGuiApplication. Returns 0, or 2
/// after a one-line error on `err`.
int runReport(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runReport(const QStringList& args, QIODevice& out, QIODevice& err, const QString& languagesDir);
