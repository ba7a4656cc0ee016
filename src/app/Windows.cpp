#include "app/Windows.h"

#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/gui/Surface.h"
#include "project/BoxModel.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"
#include "spl/Grid.h"
#include "spl/gui/CalculationSequence.h"

#include <QAction>

Windows::Windows(Languages& languages, MessageSink& messages, int userLanguage)
    : m_languages(languages), m_messages(messages)
{
    m_doc = std::make_unique<ProjectDocument>(
        messages, [&languages](const QString& section, const QString& tag) {
            return languages.GetLabel(section, tag);
        });
    m_principal = std::make_unique<Principal>(*m_doc, languages, userLanguage);
    // The features window takes part in the re-labelling from the start.
    m_feat = new Feat(languages, m_principal.get());
    // The SPL window is made once, owned by the main window, and keeps its
    // fields between openings; the main window's start-up sets its figures.
    m_spl = new SPL(languages, messages, m_principal.get());
    m_spl->velso = 345;
    m_spl->frequencia = 100;
    m_spl->landamig = 1.725f;

    connect(m_principal.get(), &Principal::mechanicalViewRequested, this,
            [this] { openMechanicalView(); });
    connect(m_principal.get(), &Principal::splWindowRequested, this, [this] { m_spl->exec(); });
    connect(m_spl, &SPL::calculateRequested, this, &Windows::calculateMap);
    connect(m_doc.get(), &ProjectDocument::loaded, this, [this] {
        if (m_mecanic)
            m_mecanic->PintarMecanic();
    });

    Principal& w = *m_principal;
    m_liveMap = std::make_unique<spl::LiveMap>(*m_doc, *w.picture(sideview::Picture1),
                                               *w.picture(sideview::Picture33),
                                               *w.picture(sideview::Picture44));
    connect(w.findChild<QAction*>(QStringLiteral("LiveMap")), &QAction::toggled, m_liveMap.get(),
            &spl::LiveMap::setEnabled);
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

void Windows::calculateMap()
{
    Principal& w = *m_principal;
    const auto result = spl::runCalculation(
        *m_doc, m_spl->frequencia, m_spl->resolutionText(), *w.picture(sideview::Picture1),
        *w.picture(sideview::Picture33), *w.picture(sideview::Picture44));
    if (result)
        m_liveMap->mapCalculated({m_spl->frequencia, m_spl->resolutionText()});
    if (!result) {
        const QString tag = QString::fromLatin1(spl::kGridRefusedTag);
        m_messages.show(Message{tag, m_languages.GetLabel(QStringLiteral("MsgBox"), tag),
                                QStringLiteral("Warning")});
    }
}
