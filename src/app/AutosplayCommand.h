#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap autosplay PROJECT.ini [--bands LO-HI] [--slope S] [--height H]
/// [--min-splay A] [--keep-tilt] [--out NEW.ini]`: loads the project, looks
/// for the angles that keep the band-averaged level of the box-by-box model
/// along its audience areas closest to the target (see spl::autosplay), and
/// prints the proposal with the figures before and after as one JSON object.
/// --out writes the project with the proposed angles to NEW.ini; the project
/// file itself is never written. Needs a QCoreApplication. Returns 0, or 2
/// after a one-line error on `err`.
int runAutosplay(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runAutosplay(const QStringList& args, QIODevice& out, QIODevice& err,
                 const QString& languagesDir);
