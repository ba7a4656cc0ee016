// The document as a value that can be kept and gone back to, and the
// calculation settings it holds beside the project.

#include "project/ProjectDocument.h"

#include "platform/Numbers.h"
#include "project/Editing.h"
#include "project/data/BoxModel.h"

#include <cmath>

bool sameProject(const DocumentData& a, const DocumentData& b)
{
    // The SPL button follows the check of the field being left, not the project.
    auto enabledA = a.enabled, enabledB = b.enabled;
    enabledA[static_cast<int>(Control::Command2)] = enabledB[static_cast<int>(Control::Command2)];
    return a.fields == b.fields && a.Text14 == b.Text14 && a.items == b.items &&
           a.selected == b.selected && a.applied == b.applied && enabledA == enabledB;
}

void ProjectDocument::setCalculationSettings(const CalculationSettings& settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    emit calculationSettingsChanged();
}

DocumentSnapshot ProjectDocument::snapshot() const
{
    return {m_d, m_shown};
}

void ProjectDocument::restore(const DocumentSnapshot& snapshot)
{
    DocumentData next = snapshot.data;
    const sideview::Inputs& was = snapshot.data.scales;
    const sideview::Inputs& now = m_d.scales;
    const bool sameScales = was.SW1 == now.SW1 && was.SH1 == now.SH1 && was.SW33 == now.SW33 &&
                            was.SH33 == now.SH33 && was.SW44 == now.SW44 && was.SH44 == now.SH44;
    next.scales = m_d.scales;
    adopt(next);
    if (snapshot.shown && sameScales) {
        m_shown = snapshot.shown;
        emit redrawn(*m_shown);
    } else if (snapshot.shown) {
        DibuixarGeneral();
    } else {
        // Before the first redraw: the start-up picture.
        m_shown.reset();
        sideview::Redraw r;
        for (int surface : {sideview::Picture1, sideview::Picture33, sideview::Picture44})
            r.ops.push_back(draw::clear(surface));
        const DrawList axes = startupDrawing();
        r.ops.insert(r.ops.end(), axes.begin(), axes.end());
        emit redrawn(r);
    }
    emit restored();
}

// ---- Messages ---------------------------------------------------------------------------
