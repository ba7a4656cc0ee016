#include "app/GeometryCommand.h"

#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "project/gui/Principal.h"
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
    CapturingSink messages;
    try {
        Principal window(languages, messages, userLanguageId());
        if (!window.loadProject(args[0])) {
            const QString why = messages.shown.empty() ? QStringLiteral("cannot load the project")
                                                       : messages.shown.back().text;
            err.write(("splmap geometry: " + why.simplified() + "\n").toUtf8());
            return 2;
        }
        QStringList tags;
        for (const Message& m : messages.shown)
            tags << m.tag;
        out.write(sideview::geometryJson(window.state(), window.sideViewCaptions(), tags,
                                         window.gatherInputs()));
        return 0;
    } catch (const LanguageError& e) {
        err.write(("splmap geometry: " + e.description() + "\n").toUtf8());
        return 2;
    }
}
