#pragma once

#include "files/gui/ReportPdf.h"
#include "i18n/Languages.h"
#include "i18n/gui/Language.h"
#include "i18n/gui/QtTranslations.h"
#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "project/gui/Infor.h"
#include "project/gui/Quit.h"
#include "spl/gui/AreaLevelsWindow.h"
#include "spl/gui/AutosplayWindow.h"
#include "spl/gui/LevelProbe.h"
#include "spl/gui/LiveMap.h"
#include "spl/gui/MapCalculation.h"
#include "spl/gui/ResponseWindow.h"
#include "spl/gui/SPL.h"
#include "wizard/gui/Dades.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class Principal;

/// The program's windows over its one project document. It makes the document
/// and the main window, creates every other window on first use, answers the
/// main window's requests to open them, and keeps them in step with the
/// document where a rule asks for it (a loaded project refreshes the
/// mechanical view; closing that view redraws the side view it covered; the
/// SPL window's CALCULATE paints the map on the main window's surfaces).
/// It also holds the order in which every window takes its captions when the
/// language changes, and runs the language start-up.
class Windows : public QObject
{
    Q_OBJECT
public:
    /// Builds the document and the main window (hidden), with its language
    /// start-up: the language window is loaded hidden (English, then
    /// `userLanguage`), then English and `userLanguage` are chosen once more;
    /// on the way every window is created hidden and takes its captions.
    /// Throws LanguageError when a language file cannot be loaded.
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
    /// The mechanical view, created hidden when it does not exist.
    Mecanic& mechanicalViewCreated();
    Feat& featuresWindow();
    /// The question before quitting, the information window and the language
    /// window, each created hidden on first use. The language window is
    /// destroyed by its buttons and made afresh, with its load, after that.
    Quit& quitWindow();
    Infor& inforWindow();
    Language& languageWindow();
    /// The language window if it exists.
    Language* languageWindowIfLoaded() const { return m_language; }

    /// What ends the program when the user confirms quitting; by default it
    /// leaves every event loop of the application.
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }

    /// The windows in the order they take their captions from a new language.
    RelabelOrder relabelOrder();
    /// The SPL window, made with the main window and kept for the whole run.
    SPL& splWindow() { return *m_spl; }
    /// The project wizard if it exists (closing it by its frame destroys it).
    Dades* wizard() const { return m_dades; }
    /// The project wizard, created hidden on first use and kept while it is
    /// only hidden. Made for its captions it leaves the project as it is: the
    /// reset of its creation waits for File > New.
    Dades& wizardWindow();
    /// Options > Autosplay: opens the window, modeless, made on first use. Shown
    /// afresh, it takes the listening height of the level along the areas when
    /// that window exists.
    spl::AutosplayWindow& openAutosplay();
    /// The automatic splay window, created hidden on first use.
    spl::AutosplayWindow& autosplayWindow();
    /// The live map over the main window's surfaces (Options > Live map).
    spl::LiveMap& liveMap() { return *m_liveMap; }

    /// CALCULATE of the SPL window: the map of the project with its settings,
    /// with a progress bar when it takes a while (see MapCalculation). Done,
    /// the settings become the document's and the map shows in the main
    /// window's picture; a grid too large gives the "Grid" message (the
    /// settings still become the document's); Cancel changes nothing.
    void calculateMap();

    /// What runs CALCULATE's calculation, with its progress bar.
    spl::MapCalculation& mapCalculation() { return *m_calculation; }

    /// The level probe of the map on the main window.
    spl::LevelProbe& levelProbe() { return *m_probe; }
    /// The spectrum at points of the map, made hidden on first use: a click on
    /// the map shown or on a curve of the level along the areas opens it.
    spl::ResponseWindow& responseWindow();
    /// Options > Level along the areas: opens the window, modeless, made on first use.
    spl::AreaLevelsWindow& openAreaLevels();

private:
    Languages& m_languages;
    MessageSink& m_messages;
    QtTranslations m_qtTexts;               // Qt's own texts in the chosen language
    std::unique_ptr<ProjectDocument> m_doc; // outlives the windows
    std::unique_ptr<Principal> m_principal;
    QPointer<Mecanic> m_mecanic;
    QPointer<Feat> m_feat;
    QPointer<SPL> m_spl;
    QPointer<Dades> m_dades;
    spl::LevelProbe* m_probe = nullptr;
    QPointer<spl::AreaLevelsWindow> m_areaLevels;
    QPointer<spl::ResponseWindow> m_spectrum;
    QPointer<Quit> m_quit;
    QPointer<Infor> m_infor;
    QPointer<Language> m_language;
    QPointer<spl::AutosplayWindow> m_autosplay;
    int m_userLanguage;
    std::function<void()> m_endProgram;
    bool m_startingUp = false;
    std::unique_ptr<spl::MapCalculation> m_calculation;
    std::unique_ptr<spl::LiveMap> m_liveMap; // ends its calculations before the windows go
};
