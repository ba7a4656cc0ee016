#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap spectrum PROJECT.ini --at X,Y [--model classic|coherent] [--res M]`:
/// loads the project as the Load command does and prints, as one JSON object,
/// the level in every band centre at the point (X, Y) of the vertical plane
/// (metres, with a point) as the map of that band shows it there (for the
/// classic model, the map at resolution M, default 0.3), and the averages of
/// the 21 bands, flat and A-weighted. A level the map has not (the point at or
/// behind the array) is null. Returns 0, or 2 after a one-line error on `err`.
int runResponse(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runResponse(const QStringList& args, QIODevice& out, QIODevice& err,
                const QString& languagesDir);
