#include "sideview/SideView.h"

namespace sideview {

// Audience areas are not drawn yet; the surfaces are still cleared first.
void PintarAreas(const Inputs&, ProjectState&, const QLocale&, Redraw& out)
{
    out.ops.push_back(draw::clear(Picture1));
    out.ops.push_back(draw::clear(Picture33));
    out.ops.push_back(draw::clear(Picture44));
}

} // namespace sideview
