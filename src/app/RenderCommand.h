#pragma once

#include <QIODevice>
#include <QStringList>

/// `splmap render PROJECT.ini [--freq HZ] [--res M] [--surface NAME] [--style S] --out FILE.png`:
/// loads the project as the Load command does, presses the SPL button and
/// CALCULATE (band centre HZ, default 100; resolution text M, default 0.3) on
/// a main window that is never shown, and writes a PNG of the window's client
/// area as it then looks. With --surface Picture1, Picture33 or Picture44 it
/// writes that surface's whole picture instead (inside its border, what the
/// window clips included), one pixel per device pixel. The file is written
/// whole or not at all. Needs a QApplication. Returns 0, or 2 after a
/// one-line error on `err`.
int runRender(const QStringList& args, QIODevice& out, QIODevice& err);
/// As above, with the language files taken from `languagesDir`.
int runRender(const QStringList& args, QIODevice& out, QIODevice& err, const QString& languagesDir);
