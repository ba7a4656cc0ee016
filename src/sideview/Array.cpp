#include "sideview/SideView.h"

namespace sideview {

// The array drawing is not built yet.
void PintarCaixa(const Inputs& in, ProjectState& state, Redraw& out)
{
    PintarRaig(in, state, out);
}

} // namespace sideview
