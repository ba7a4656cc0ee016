#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap geometry PROJECT.ini`: loads the project into a document as the
/// Load command does, with no window, and prints the side view's geometry as
/// one JSON object ending in one newline. Needs only a QCoreApplication.
/// Returns 0, or 2 after a one-line error on `err` when the project cannot be
/// loaded.
int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err);
