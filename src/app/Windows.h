#pragma once

#include "i18n/Languages.h"
#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "spl/gui/LiveMap.h"
#include "spl/gui/SPL.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Principal;

/// The program's windows over its one project document. It makes the document
/// and the main window, creates every other window on first use, answers the
/// main window's requests to open them, and keeps them in step with the
/// document where a rule asks for it (a loaded project refreshes the
/// mechanical view; closing that view redraws the side view it covered; the
/// SPL window's CALCULATE paints the map on the main window's surfaces).
class Windows : public QObject
{
    Q_OBJECT
public:
    /// Builds the document and the main window (hidden), with its language
    /// start-up. Throws LanguageError when a language file cannot be loaded.
    Windows(Languages& languages, MessageSink& messages, int userLanguage);
    ~Windows() override;

    ProjectDocument& document() { return *m_doc; }
    Principal& principal() { return *m_principal; }

    /// The mechanical view if it exists (it is destroyed when it closes).
    Mecanic* mechanicalView() const { return m_mecanic; }
    /// Opens the mechanical view beside the main window, modeless: created
    /// when it does not exist, recomputed when it was not on the screen, then
    /// shown with the current model's key.
    Mecanic& openMechanicalView();
    Feat& featuresWindow() { return *m_feat; }
    /// The SPL window, made with the main window and kept for the whole run.
    SPL& splWindow() { return *m_spl; }
    /// The live map over the main window's surfaces (Options > Live map).
    spl::LiveMap& liveMap() { return *m_liveMap; }

    /// CALCULATE of the SPL window: the map of the project with the window's
    /// frequency and resolution on the main window's surfaces, or the "Grid"
    /// message when the grid would be too large.
    void calculateMap();

private:
    Languages& m_languages;
    MessageSink& m_messages;
    std::unique_ptr<ProjectDocument> m_doc; // outlives the windows
    std::unique_ptr<Principal> m_principal;
    QPointer<Mecanic> m_mecanic;
    QPointer<Feat> m_feat;
    QPointer<SPL> m_spl;
    std::unique_ptr<spl::LiveMap> m_liveMap; // ends its calculations before the windows go
};
