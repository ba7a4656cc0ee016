#pragma once

#include <QString>

/// Making untrusted text (a value read from a file, a path given on the command
/// line) safe to put into a one-line error message: nothing of it can break
/// the line, drive the terminal or swamp the message.
namespace messagetext {

/// The text with every control character written as an escape: "\n", "\r",
/// "\t", or "\xNN" for the others (the C0 and C1 controls and DEL), so that the
/// message stays one line and reaches a terminal as plain text.
QString printable(const QString& text);

/// The text in double quotes for a message, escaped as printable() does, with
/// a '"' or '\' inside written as "\"" and "\\". Only the first `maxChars`
/// characters are quoted; a longer text is followed by "..." and its length
/// ("abc..." (1048576 characters)), so a 1 MB value gives a short line.
QString quoted(const QString& text, qsizetype maxChars = 60);

} // namespace messagetext
