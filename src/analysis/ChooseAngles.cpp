#include "analysis/ChooseAngles.h"

#include "project/ProjectDocument.h"

namespace spl {

void chooseAngles(ProjectDocument& doc, std::span<const double> angles)
{
    doc.setAngles(angles);
}

} // namespace spl
