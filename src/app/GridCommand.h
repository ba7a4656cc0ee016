#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap grid PROJECT.ini [--freq HZ] [--res M] [--cells FILE.csv]`: loads
/// the project as the Load command does, runs the SPL calculation without
/// painting at band centre HZ (default 100) and vertical resolution M (the
/// text of the resolution field, default 0.3), and prints the result as one
/// JSON object; --cells also writes every cell to a CSV file. Needs a
/// QApplication. Returns 0, or 2 after a one-line error on `err`.
int runGrid(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runGrid(const QStringList& args, QIODevice& out, QIODevice& err, const QString& languagesDir);
