#include "app/IniCommands.h"

#include "files/Ini.h"

namespace {

int failure(QIODevice& err, const QString& message)
{
    err.write((message + u'\n').toLocal8Bit());
    return 2;
}

// The first argument that the file's code page cannot hold, or -1.
qsizetype unstorable(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i)
        if (!fitsIniCodePage(args[i]))
            return i;
    return -1;
}

} // namespace

int runIniRead(const QStringList& args, QIODevice& out, QIODevice& err)
{
    if (args.size() != 3)
        return failure(err, QStringLiteral("usage: splmap ini-read FILE SECTION KEY"));
    if (unstorable(args.mid(1)) >= 0)
        return failure(err, QStringLiteral("ini-read: names must be Latin-1 text"));
    try {
        const QString value = INIread(args[0], args[1], args[2]);
        out.write(value.toLatin1() + '\n'); // the file's bytes, unchanged
    } catch (const FileError& e) {
        return failure(err, QStringLiteral("ini-read: ") + e.description());
    }
    return 0;
}

int runIniWrite(const QStringList& args, QIODevice& /*out*/, QIODevice& err)
{
    if (args.size() != 4)
        return failure(err, QStringLiteral("usage: splmap ini-write FILE SECTION KEY VALUE"));
    static const char* const names[] = {"SECTION", "KEY", "VALUE"};
    if (const qsizetype i = unstorable(args.mid(1)); i >= 0)
        return failure(err, QStringLiteral("ini-write: %1 has characters outside Latin-1, "
                                           "which the file cannot hold")
                                .arg(QLatin1String(names[i])));
    try {
        INIwrite(args[0], args[1], args[2], args[3]);
    } catch (const FileError& e) {
        return failure(err, QStringLiteral("ini-write: ") + e.description());
    }
    return 0;
}
