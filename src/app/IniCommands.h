#pragma once

#include <QIODevice>
#include <QStringList>

/// Headless commands that read and write one key of an INI file, for scripts:
///   splmap ini-read FILE SECTION KEY         prints the value and a newline
///   splmap ini-write FILE SECTION KEY VALUE  stores the value
/// `args` holds the words after the command name. Both return 0 on success and
/// 2 on failure (wrong number of arguments, file error, text the file cannot
/// hold), after one line on `err`.
///
/// Arguments and output are text in the terminal's encoding (UTF-8; the same
/// local 8-bit encoding that decoded the arguments), while the file stores one
/// byte per character in Latin-1. So "é" typed in a UTF-8 terminal is stored as
/// the byte 0xE9 and printed back as "é", and a value the GUI saved reads the
/// same here; ASCII passes through byte for byte. A name or value with a
/// character outside Latin-1 is refused rather than stored as "?".
int runIniRead(const QStringList& args, QIODevice& out, QIODevice& err);
int runIniWrite(const QStringList& args, QIODevice& out, QIODevice& err);
