// What the command tests share: any command run by its name, and projects
// made from the demo with a few keys changed.
#pragma once

#include "Harness.h"
#include "app/AutosplayCommand.h"
#include "app/GeometryCommand.h"
#include "app/GridCommand.h"
#include "app/IniCommands.h"
#include "app/RenderCommand.h"
#include "app/ReportCommand.h"
#include "app/ResponseCommand.h"
#include "files/Ini.h"

#include <QFile>

/// `splmap NAME ARGS...`, with what it printed captured.
inline Outcome command(const QString& name, const QStringList& args)
{
    const QString languages = QStringLiteral(SPLMAP_LANGUAGES_DIR);
    return captured([&](QIODevice& out, QIODevice& err) {
        if (name == "ini-read")
            return runIniRead(args, out, err);
        if (name == "ini-write")
            return runIniWrite(args, out, err);
        if (name == "geometry")
            return runGeometry(args, out, err);
        if (name == "grid")
            return runGrid(args, out, err, languages);
        if (name == "render")
            return runRender(args, out, err, languages);
        if (name == "report")
            return runReport(args, out, err, languages);
        if (name == "autosplay")
            return runAutosplay(args, out, err, languages);
        EXPECT_EQ(name, "spectrum");
        return runResponse(args, out, err, languages);
    });
}

/// A copy of the demo at `path` with `edits` written into its Default section.
inline QString demoWith(const QString& path,
                        const std::vector<std::pair<QString, QString>>& edits = {})
{
    EXPECT_TRUE(QFile::copy(demo, path)) << path.toStdString();
    INIwriteAll(path, "Default", edits);
    return path;
}
