#pragma once

#include <span>

class ProjectDocument;

namespace spl {

/// Chooses `angles` (the angle numbers of boxes 1..N) in the document's angle
/// lists as a user choosing them one after the other would, as one change of
/// the project (see ProjectDocument::setAngles): a list whose angle is already
/// that value is left as it is, and the side view follows.
void chooseAngles(ProjectDocument& doc, std::span<const double> angles);

} // namespace spl
