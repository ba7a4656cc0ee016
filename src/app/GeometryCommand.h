#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap geometry PROJECT.ini`: starts a main window off-screen, loads the
/// project as the Load command does, and prints the side view's geometry as
/// one JSON object. Needs a QApplication. Returns 0, or 2 after a one-line
/// error on `err` when the project cannot be loaded.
int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err,
                const QString& languagesDir);
