#include "app/GeometryCommand.h"

#include "app/CalculationOptions.h"

#include "project/ProjectDocument.h"
#include "sideview/GeometryJson.h"

int runGeometry(const QStringList& args, QIODevice& out, QIODevice& err)
{
    if (args.size() != 1) {
        err.write("usage: splmap geometry PROJECT.ini\n");
        return 2;
    }
    const HeadlessProject project = loadHeadless(args[0]);
    if (!project.document)
        return failCommand(err, "geometry", project.error);
    const ProjectDocument& doc = *project.document;
    out.write(sideview::geometryJson(doc.state(), doc.captions(), doc.raisedMessages(),
                                     doc.scales(), doc.locale()));
    return 0;
}
