#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <exception>
#include <utility>
#include <vector>

/// Reading and writing single keys of an INI-style text file: the line syntax
/// and update rules that project files are made of.
///
/// The file is 8-bit text with CR LF line ends. Characters outside ASCII are
/// stored in Latin-1, the single-byte code page of this program: one byte per
/// character, so a value written is read back unchanged whenever it holds only
/// Latin-1 characters. A character beyond Latin-1 is stored as "?".
///
/// Each call is complete in itself: it opens, reads (and rewrites) and closes
/// the file; nothing is cached between calls.

/// A file-system failure: the description names the file and the reason, ready
/// for a message box ("Cannot write /x/y.ini: Permission denied").
class FileError : public std::exception
{
public:
    explicit FileError(QString description);
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};

/// Stores Key=Value in Section, creating the file, the section (appended at the
/// end) or the key (as the first line of its section) as needed; an existing
/// key line keeps its place and takes the caller's spelling of the key. Names
/// match without regard to case. The file is normalised afterwards: no leading
/// blank lines, at most one blank line in a row, exactly one final CR LF.
///
/// The new text replaces the file in one step (written beside it, then renamed
/// over it, keeping its permissions), so a failed write leaves the old file as
/// it was. The file is first made writable by its owner.
/// Throws FileError when the file cannot be created, read or replaced, and for
/// a folder, pipe or device (see specialFileKind).
void INIwrite(const QString& fileName, const QString& section, const QString& key,
              const QString& value);

/// Stores several keys of one section as that many INIwrite calls in this
/// order would, but replaces the file once: the result is the same bytes, and a
/// save that fails midway leaves the old file whole. Throws FileError.
void INIwriteAll(const QString& fileName, const QString& section,
                 const std::vector<std::pair<QString, QString>>& entries);

/// The value of the first Key line in the first Section header matching the
/// names (without regard to case), or the empty text when either is missing.
/// A line ends at CR or CR LF; a lone LF does not end a line. A missing file is
/// created empty. Making the file writable by its owner is attempted but its
/// failure does not matter for reading.
/// Throws FileError when the file cannot be created or read, and for a folder,
/// pipe or device.
QString INIread(const QString& fileName, const QString& section, const QString& key);

/// True when every character of the text has a byte of its own in the file's
/// code page, so that it is stored and read back unchanged.
bool fitsIniCodePage(const QString& text);

/// What stands at the path when it is something other than a plain file: "a
/// folder", "a pipe", "a device" or "a socket"; empty for a plain file and when
/// nothing is there. Reading such a thing as a file would fail, wait for a
/// writer that never comes, or never end, so the INI routines refuse it and
/// say what it is.
QString specialFileKind(const QString& path);

namespace ini {

/// The text INIwrite makes of the file's old bytes, without touching any file.
QByteArray rewritten(const QByteArray& old, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value);

/// The value INIread finds in the file's bytes (empty when not found).
QByteArray lookedUp(const QByteArray& contents, const QByteArray& section, const QByteArray& key);

/// The key lines of one section, gathered in a single pass over the file's
/// bytes, so that looking up the 201 keys of a project costs one reading
/// instead of one per key. Every lookup gives exactly what lookedUp() gives for
/// the same bytes: the same lines end the section (any line holding "["), the
/// same lines open it (every header matching without case, not only the
/// first), and the first matching key line wins.
class SectionIndex
{
public:
    SectionIndex() = default;
    SectionIndex(const QByteArray& contents, const QByteArray& section);

    /// The value of the key, or empty when the section has no such key.
    QByteArray value(const QByteArray& key) const;
    /// As value(), for Latin-1 names and values.
    QString value(const QString& key) const;

private:
    QByteArray m_contents, m_lowered, m_section;
    /// Lower-case key -> value of its first line, both views of the texts above.
    QHash<QByteArrayView, QByteArrayView> m_first;
};

} // namespace ini

/// Reads the file once and returns its Section for looking up many keys, each
/// lookup giving what INIread would give for it. Prepares the file as INIread
/// does (a missing file is created empty). Throws FileError.
ini::SectionIndex INIreadSection(const QString& fileName, const QString& section);
