#include "app/HeadlessProject.h"

#include "platform/Messages.h"
#include "project/gui/Principal.h"

std::variant<LoadedProject, QString> loadProjectHeadless(const QString& path, Languages& languages)
{
    CapturingSink messages;
    try {
        Principal window(languages, messages, userLanguageId());
        if (!window.loadProject(path)) {
            const QString why = messages.shown.empty() ? QStringLiteral("cannot load the project")
                                                       : messages.shown.back().text;
            return why.simplified();
        }
        LoadedProject p{
            window.fields(), window.state(), window.gatherInputs(), window.sideViewCaptions(), {}};
        for (const Message& m : messages.shown)
            p.messages << m.tag;
        return p;
    } catch (const LanguageError& e) {
        return e.description();
    }
}
