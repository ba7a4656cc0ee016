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
#include <map>

/// `splmap NAME ARGS...`, with what it printed captured.
inline Outcome command(const QString& name, const QStringList& args)
{
    using Run = int (*)(const QStringList&, QIODevice&, QIODevice&, const QString&);
    static const std::map<QString, Run> commands = {
        {"ini-read", [](auto& a, auto& o, auto& e, auto&) { return runIniRead(a, o, e); }},
        {"ini-write", [](auto& a, auto& o, auto& e, auto&) { return runIniWrite(a, o, e); }},
        {"geometry", [](auto& a, auto& o, auto& e, auto&) { return runGeometry(a, o, e); }},
        {"grid", runGrid},
        {"render", runRender},
        {"report", runReport},
        {"autosplay", runAutosplay},
        {"spectrum", runResponse}};
    return captured([&](QIODevice& out, QIODevice& err) {
        return commands.at(name)(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
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
