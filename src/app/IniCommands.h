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
/// Names and values pass through as bytes: the file stores one byte per
/// character (Latin-1), the command line gives SECTION, KEY and VALUE as bytes
/// (decoded as Latin-1, which keeps every byte), and ini-read prints the
/// value's bytes as the file holds them. FILE is a path in the system's
/// encoding. A name or value with a character outside Latin-1 (possible only
/// through a direct call) is refused rather than stored as "?".
int runIniRead(const QStringList& args, QIODevice& out, QIODevice& err);
int runIniWrite(const QStringList& args, QIODevice& out, QIODevice& err);
