#include "files/Ini.h"

#include "platform/MessageText.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FileError::FileError(QString description)
    : m_description(std::move(description)), m_utf8(m_description.toUtf8())
{
}

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

// Lower case of one byte: ASCII letters and the Latin-1 capitals (not the
// multiplication sign), so that a name and its lower-case copy have the same
// length and every position found in one holds in the other.
char lowerByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 32);
    return c;
}

QByteArray lower(QByteArray text)
{
    for (char& c : text)
        c = lowerByte(c);
    return text;
}

bool isControl(char c)
{
    return static_cast<unsigned char>(c) <= 13;
}

QString describe(const char* what, const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot %1 %2: %3")
        .arg(QLatin1String(what), messagetext::printable(fileName), reason);
}

// Refuses a folder, pipe, device or socket before anything opens it.
void requirePlainFile(const char* what, const QString& fileName)
{
    const QString kind = specialFileKind(fileName);
    if (!kind.isEmpty())
        throw FileError(describe(what, fileName, QStringLiteral("it is %1, not a file").arg(kind)));
}

// Creates an empty file when there is none; an existing file is left as it is.
void ensureExists(const QString& fileName)
{
    if (QFileInfo::exists(fileName))
        return;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadWrite))
        throw FileError(describe("create", fileName, f.errorString()));
}

// The owner may write the file afterwards: the counterpart of clearing a
// read-only attribute. Only the owner may change the mode; for anyone else this
// does nothing.
void makeWritable(const QString& fileName)
{
    QFile f(fileName);
    const QFileDevice::Permissions p = f.permissions();
    if (!(p & QFileDevice::WriteOwner))
        f.setPermissions(p | QFileDevice::WriteOwner);
}

QByteArray readAll(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw FileError(describe("read", fileName, f.errorString()));
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw FileError(describe("read", fileName, f.errorString()));
    return bytes;
}

void replaceContents(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile f(fileName);
    // Unbuffered, so that a short write (disk full, size limit) shows here, before
    // anything replaces the old file, instead of getting lost in the final flush.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(describe("write", fileName, f.errorString()));
    if (f.write(bytes) != bytes.size()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        throw FileError(describe("write", fileName, reason));
    }
    if (!f.commit())
        throw FileError(describe("write", fileName, f.errorString()));
}

} // namespace

namespace ini {

QByteArray rewritten(const QByteArray& old, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value)
{
    const QByteArray header = QByteArrayLiteral("\r\n[") + lower(section) + "]\r";
    const QByteArray keyStart = '\n' + lower(key) + '=';
    const QByteArray line = key + '=' + value;

    // The leading CR LF lets a header on the first line match; the closing "[]"
    // puts a "[" after every section, so the search for the next one always ends.
    QByteArray w = CrLf + old + "[]";
    const QByteArray l = lower(w);

    const qsizetype s = l.indexOf(header);
    if (s < 0) {
        w.chop(2);
        w += CrLf + CrLf + '[' + section + ']' + CrLf + line;
    } else {
        const qsizetype h = s + header.size(); // the LF ending the header line
        const qsizetype next = l.indexOf('[', h);
        const qsizetype k = l.indexOf(keyStart, s);
        w.chop(2);
        if (k < 0 || k > next) {
            // A header ending the file with a lone CR leaves h + 1 past the end.
            w.insert(std::min(h + 1, w.size()), line + CrLf);
        } else {
            qsizetype e = w.indexOf('\r', k);
            if (e < 0)
                e = w.size();
            w.replace(k + 1, e - k - 1, line);
        }
    }

    w.remove(0, 1);
    const QByteArray threeLineEnds = CrLf + CrLf + CrLf;
    while (w.contains(threeLineEnds))
        w.replace(threeLineEnds, CrLf + CrLf);
    qsizetype end = w.size();
    while (end > 0 && isControl(w[end - 1]))
        --end;
    qsizetype start = 0;
    while (start < end && isControl(w[start]))
        ++start;
    return w.mid(start, end - start) + CrLf;
}

namespace {

// Calls onKeyLine(m, line) for every line that INIread looks at for a key: the
// lines inside a section headed "[section]" (without case) that hold no "[".
// `lowered` is the lower-case copy of `contents`, and m the line's part of it.
// Stops when onKeyLine returns true.
template <class OnKeyLine>
void scanSection(const QByteArray& contents, const QByteArray& lowered, const QByteArray& section,
                 OnKeyLine&& onKeyLine)
{
    const QByteArray header = '[' + lower(section) + ']';
    bool inSection = false;

    qsizetype pos = 0;
    while (pos < contents.size()) {
        // A line ends at CR or CR LF; a lone LF is part of the line.
        qsizetype end = contents.indexOf('\r', pos);
        if (end < 0)
            end = contents.size();
        const QByteArrayView line = QByteArrayView(contents).sliced(pos, end - pos);
        const QByteArrayView m = QByteArrayView(lowered).sliced(pos, end - pos);
        pos = end + 1;
        if (pos < contents.size() && contents[pos] == '\n')
            ++pos;

        const bool bracket = m.contains('[');
        if (bracket)
            inSection = false;
        if (m == header)
            inSection = true;
        if (bracket || !inSection)
            continue;
        if (onKeyLine(m, line))
            return;
    }
}

} // namespace

QByteArray lookedUp(const QByteArray& contents, const QByteArray& section, const QByteArray& key)
{
    const QByteArray prefix = lower(key) + '=';
    QByteArray value;
    scanSection(contents, lower(contents), section, [&](QByteArrayView m, QByteArrayView line) {
        if (!m.startsWith(prefix))
            return false;
        value = line.sliced(prefix.size()).toByteArray();
        return true;
    });
    return value;
}

SectionIndex::SectionIndex(const QByteArray& contents, const QByteArray& section)
    : m_contents(contents), m_lowered(lower(contents)), m_section(section)
{
    // For a key without "=", a line starts with key "=" exactly when the text
    // before its first "=" is the key. The views point into the texts kept here.
    scanSection(m_contents, m_lowered, section, [&](QByteArrayView m, QByteArrayView line) {
        const qsizetype eq = m.indexOf('=');
        if (eq >= 0) {
            const QByteArrayView key = m.first(eq);
            if (!m_first.contains(key))
                m_first.insert(key, line.sliced(eq + 1));
        }
        return false;
    });
}

QByteArray SectionIndex::value(const QByteArray& key) const
{
    if (key.contains('='))
        return lookedUp(m_contents, m_section, key);
    return m_first.value(QByteArrayView(lower(key))).toByteArray();
}

QString SectionIndex::value(const QString& key) const
{
    return QString::fromLatin1(value(key.toLatin1()));
}

} // namespace ini

void INIwrite(const QString& fileName, const QString& section, const QString& key,
              const QString& value)
{
    requirePlainFile("write", fileName);
    ensureExists(fileName);
    // Someone else's file may still be writable through its group or others.
    makeWritable(fileName);
    if (!QFileInfo(fileName).isWritable())
        throw FileError(describe("write", fileName, QStringLiteral("Permission denied")));
    const QByteArray old = readAll(fileName);
    replaceContents(fileName,
                    ini::rewritten(old, section.toLatin1(), key.toLatin1(), value.toLatin1()));
}

void INIwriteAll(const QString& fileName, const QString& section,
                 const std::vector<std::pair<QString, QString>>& entries)
{
    requirePlainFile("write", fileName);
    ensureExists(fileName);
    makeWritable(fileName);
    if (!QFileInfo(fileName).isWritable())
        throw FileError(describe("write", fileName, QStringLiteral("Permission denied")));
    QByteArray text = readAll(fileName);
    const QByteArray sectionBytes = section.toLatin1();
    for (const auto& [key, value] : entries)
        text = ini::rewritten(text, sectionBytes, key.toLatin1(), value.toLatin1());
    replaceContents(fileName, text);
}

namespace {

// Everything INIread does before it scans the text.
QByteArray readForLookup(const QString& fileName)
{
    requirePlainFile("read", fileName);
    ensureExists(fileName);
    // A file we may read but not change (read-only, someone else's) is read all the same.
    makeWritable(fileName);
    return readAll(fileName);
}

} // namespace

QString INIread(const QString& fileName, const QString& section, const QString& key)
{
    const QByteArray contents = readForLookup(fileName);
    return QString::fromLatin1(ini::lookedUp(contents, section.toLatin1(), key.toLatin1()));
}

ini::SectionIndex INIreadSection(const QString& fileName, const QString& section)
{
    return ini::SectionIndex(readForLookup(fileName), section.toLatin1());
}

bool fitsIniCodePage(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QString specialFileKind(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a pipe");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("a socket");
    return {};
#else
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("a folder");
    if (info.exists() && !info.isFile())
        return QStringLiteral("a device");
    return {};
#endif
}
