#include "sideview/SideView.h"

namespace sideview {

// The aiming rays are not built yet.
void PintarRaig(const Inputs&, ProjectState&, Redraw&) {}

} // namespace sideview
