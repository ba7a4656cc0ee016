#include "app/GeometryCommand.h"

#include "app/HeadlessProject.h"
#include "sideview/GeometryJson.h"

int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runGeometry(args, out, err, defaultLanguagesDir());
}

int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err,
                const QString& languagesDir)
{
    if (args.size() != 1) {
        err.write("usage: splmap geometry PROJECT.ini\n");
        return 2;
    }
    Languages languages(languagesDir);
    const auto loaded = loadProjectHeadless(args[0], languages);
    if (const QString* why = std::get_if<QString>(&loaded)) {
        err.write(("splmap geometry: " + *why + "\n").toUtf8());
        return 2;
    }
    const LoadedProject& p = std::get<LoadedProject>(loaded);
    out.write(sideview::geometryJson(p.state, p.captions, p.messages, p.inputs));
    return 0;
}
