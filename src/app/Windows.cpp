#include "app/Windows.h"

#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "project/BoxModel.h"
#include "project/gui/Principal.h"

Windows::Windows(Languages& languages, MessageSink& messages, int userLanguage)
    : m_languages(languages)
{
    m_doc = std::make_unique<ProjectDocument>(
        messages, [&languages](const QString& section, const QString& tag) {
            return languages.GetLabel(section, tag);
        });
    m_principal = std::make_unique<Principal>(*m_doc, languages, userLanguage);
    // The features window takes part in the re-labelling from the start.
    m_feat = new Feat(languages, m_principal.get());

    connect(m_principal.get(), &Principal::mechanicalViewRequested, this,
            [this] { openMechanicalView(); });
    connect(m_doc.get(), &ProjectDocument::loaded, this, [this] {
        if (m_mecanic)
            m_mecanic->PintarMecanic();
    });
}

Windows::~Windows() = default;

Mecanic& Windows::openMechanicalView()
{
    if (!m_mecanic) {
        m_mecanic = new Mecanic(*m_doc, m_languages, m_principal.get());
        connect(m_mecanic, &Mecanic::closedByButton, m_doc.get(),
                &ProjectDocument::DibuixarGeneral);
    } else if (!m_mecanic->isVisible()) {
        m_mecanic->PintarMecanic();
    }
    m_mecanic->show();
    m_mecanic->raise();
    const int model = m_doc->state().modelcaixa;
    if (model == 0 || model == 1)
        m_mecanic->setModelText(boxModel(model).key);
    return *m_mecanic;
}
