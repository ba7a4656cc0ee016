#pragma once

#include <span>

class ProjectDocument;

namespace spl {

/// Chooses `angles` (the angle numbers of boxes 1..N) in the document's angle
/// lists, box after box, as a user choosing them would: each list whose text
/// differs takes the item of that value, and the side view follows. An angle
/// that is no item of its list (a tilt kept from a file) is left as it is.
void chooseAngles(ProjectDocument& doc, std::span<const double> angles);

} // namespace spl
