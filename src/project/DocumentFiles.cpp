// Loading and saving the document's project file.

#include "project/ProjectDocument.h"

#include "platform/Numbers.h"
#include "project/Editing.h"
#include "project/data/BoxModel.h"

#include <cmath>

bool ProjectDocument::load(const QString& path)
{
    // Into a copy: a file that fails half-way leaves the project as it was.
    DocumentData next = m_d;
    const projectfile::LoadResult result =
        projectfile::load(path, next.fields, next.state, m_locale);
    if (!result.ok()) {
        showError(result.error);
        return false;
    }

    // The lists keep their selections and take their texts as applied.
    next.applied[slot(Control::Combo1)] = next.fields.Combo1;
    next.applied[slot(Control::Combo2)] = next.fields.Combo2;
    next.applied[slot(Control::Combo4)] = next.fields.Combo4;
    for (int k = 1; k <= 16; ++k)
        next.applied[slot(angleList(k - 1))] = next.fields.Combo3[k];

    const int nb = result.boxes;
    for (int i = 0; i < 16; ++i)
        next.enabled[slot(angleList(i))] = i < nb;
    for (Control c : {Control::Text1, Control::Text2, Control::Text3, Control::Text4,
                      Control::Combo1, Control::Combo2, Control::Combo4, Control::Text13})
        next.enabled[slot(c)] = true;
    const auto area = [&](int n, bool on) {
        next.enabled[slot(n == 2 ? Control::Area2 : Control::Area3)] = on;
        for (int i = 0; i < 4; ++i)
            next.enabled[slot(textField(4 * n - 3 + i))] = on;
    };
    switch (result.areas) {
    case 1:
        area(2, false);
        area(3, false);
        break;
    case 2:
        area(2, true);
        area(3, false);
        break;
    case 3:
        area(2, true);
        area(3, true);
        break;
    default:
        break;
    }

    adopt(next);
    m_path = path;
    DibuixarGeneral();
    PintarMecanic();
    enable(Control::Command2, true);
    emit loaded();
    return true;
}

void ProjectDocument::adopt(const DocumentData& loaded)
{
    DocumentData old = m_d;
    m_d = loaded;
    for (int n = 1; n < kControlSlots; ++n) {
        const auto c = static_cast<Control>(n);
        if (old.items[n] != m_d.items[n])
            emit itemsChanged(c);
        if (old.selected[n] != m_d.selected[n])
            emit selectionChanged(c);
        if (old.enabled[n] != m_d.enabled[n])
            emit enabledChanged(c);
        const QString* before = textOf(old, c);
        if (before && *before != *textOf(m_d, c))
            emit textChanged(c);
    }
}

std::optional<QString> ProjectDocument::save(const QString& path)
{
    std::optional<QString> error = projectfile::save(path, m_d.fields, m_d.state, m_locale);
    if (error) {
        showError(*error);
    } else {
        m_path = path;
        emit saved();
    }
    return error;
}

// ---- History ---------------------------------------------------------------------------

HeadlessProject loadHeadless(const QString& path, const QLocale& locale)
{
    HeadlessProject p;
    p.messages = std::make_unique<CapturingSink>();
    p.document =
        std::make_unique<ProjectDocument>(*p.messages, ProjectDocument::LabelLookup{}, locale);
    if (!p.document->load(path)) {
        p.error = p.messages->shown.empty() ? QStringLiteral("cannot load the project")
                                            : p.messages->shown.back().text;
        p.document.reset();
    }
    return p;
}
