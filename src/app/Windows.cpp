#include "app/Windows.h"

#include "files/gui/ImageExport.h"
#include "files/gui/ReportPrinting.h"
#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/data/BoxModel.h"
#include "project/gui/Principal.h"
#include "project/gui/UndoHistory.h"
#include "sideview/SideView.h"
#include "spl/Grid.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <new>
#include <system_error>

Windows::Windows(Languages& languages, MessageSink& messages, int userLanguage)
    : m_languages(languages), m_messages(messages), m_userLanguage(userLanguage),
      m_endProgram([] { QCoreApplication::exit(0); })
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
    connect(m_principal.get(), &Principal::splWindowRequested, this, [this] {
        m_spl->showSettings(m_doc->calculationSettings());
        m_spl->exec();
    });
    connect(m_spl, &SPL::calculateRequested, this, &Windows::calculateMap);
    m_calculation = std::make_unique<spl::MapCalculation>(languages, m_principal.get());
    Principal& w = *m_principal;
    m_probe = new spl::LevelProbe(w.shownPicture(), *w.picture(sideview::Picture44),
                                  *w.findChild<QLabel*>(QStringLiteral("LabelLevelValue")), this);
    // A click on the map shown opens the spectrum there; without a map it does nothing.
    connect(w.picture(sideview::Picture44), &Surface::clicked, this, [this](double x, double y) {
        if (m_principal->shownPicture().map())
            responseWindow().mapClicked(x, y);
    });
    connect(w.findChild<QAction*>(QStringLiteral("AreaLevels")), &QAction::triggered, this,
            [this] { openAreaLevels(); });
    connect(w.findChild<QAction*>(QStringLiteral("Autosplay")), &QAction::triggered, this,
            [this] { openAutosplay(); });
    connect(m_principal.get(), &Principal::printRequested, this,
            [this] { report::PrintData(*m_doc, m_principal.get(), m_messages); });
    connect(m_principal.get(), &Principal::imageSaveRequested, this,
            [this] { imageexport::SaveFoto(*m_principal, m_messages); });
    connect(m_principal.get(), &Principal::reportExportRequested, this, [this] {
        report::ExportReport(m_principal.get(), *m_doc, m_principal->shownPicture().value(),
                             m_languages, m_messages);
    });
    connect(m_doc.get(), &ProjectDocument::loaded, this, [this] {
        if (m_mecanic)
            m_mecanic->PintarMecanic();
    });
    connect(m_doc.get(), &ProjectDocument::boxesReset, this, [this] {
        if (m_mecanic)
            m_mecanic->clearTable();
    });
    connect(m_principal.get(), &Principal::newProjectRequested, this, [this] {
        Dades& wizard = wizardWindow();
        wizard.finishCreation();
        wizard.exec();
        // A new project starts a clean history.
        m_principal->history().reset();
    });
    connect(m_principal.get(), &Principal::exitRequested, this, [this] { quitWindow().exec(); });
    connect(m_principal.get(), &Principal::infoRequested, this, [this] { inforWindow().exec(); });
    connect(m_principal.get(), &Principal::languageWindowRequested, this, [this] {
        // OK and Cancel destroy the window once it is hidden.
        QPointer<Language> window = &languageWindow();
        window->exec();
    });

    // Language start-up: loading the language window applies English and the
    // user's language; then both once more.
    // Windows made meanwhile come before the main window's start-up, which
    // the document already holds, so the wizard made here owes no reset.
    m_startingUp = true;
    Language& language = languageWindow();
    language.selectEntry(0);
    language.SelectCurrentLanguage();
    m_startingUp = false;

    m_liveMap = std::make_unique<spl::LiveMap>(*m_doc, w.shownPicture());
    connect(w.findChild<QAction*>(QStringLiteral("LiveMap")), &QAction::toggled, m_liveMap.get(),
            &spl::LiveMap::setEnabled);
}

Windows::~Windows() = default;

spl::ResponseWindow& Windows::responseWindow()
{
    if (!m_spectrum) {
        Principal& w = *m_principal;
        m_spectrum = new spl::ResponseWindow(*m_doc, m_languages, w.shownPicture(),
                                             *w.picture(sideview::Picture44), m_principal.get());
    }
    return *m_spectrum;
}

spl::AreaLevelsWindow& Windows::openAreaLevels()
{
    if (!m_areaLevels) {
        m_areaLevels = new spl::AreaLevelsWindow(*m_doc, m_languages, m_principal.get());
        connect(m_areaLevels, &spl::AreaLevelsWindow::pointChosen, this,
                [this](double X, double Y) { responseWindow().showPoint(X, Y); });
    }
    m_areaLevels->show();
    m_areaLevels->raise();
    return *m_areaLevels;
}

spl::AutosplayWindow& Windows::autosplayWindow()
{
    if (!m_autosplay) {
        m_autosplay = new spl::AutosplayWindow(*m_doc, m_languages, m_principal.get());
        // Undo and redo keys work there too: an applied proposal is taken back where it was made.
        for (const char* name : {"Undo", "Redo"})
            m_autosplay->addAction(m_principal->findChild<QAction*>(QString::fromLatin1(name)));
    }
    return *m_autosplay;
}

spl::AutosplayWindow& Windows::openAutosplay()
{
    autosplayWindow();
    if (!m_autosplay->isVisible() && m_areaLevels)
        m_autosplay->setListeningHeight(m_areaLevels->listeningHeight());
    m_autosplay->show();
    m_autosplay->raise();
    return *m_autosplay;
}

Mecanic& Windows::mechanicalViewCreated()
{
    if (!m_mecanic) {
        m_mecanic = new Mecanic(*m_doc, m_languages, m_principal.get());
        connect(m_mecanic, &Mecanic::closedByButton, m_doc.get(),
                &ProjectDocument::DibuixarGeneral);
    }
    return *m_mecanic;
}

Mecanic& Windows::openMechanicalView()
{
    if (!m_mecanic)
        mechanicalViewCreated();
    else if (!m_mecanic->isVisible())
        m_mecanic->PintarMecanic();
    m_mecanic->show();
    m_mecanic->raise();
    const int model = m_doc->state().modelcaixa;
    if (model == 0 || model == 1)
        m_mecanic->setModelText(boxModel(model).key);
    return *m_mecanic;
}

Dades& Windows::wizardWindow()
{
    if (!m_dades)
        m_dades =
            new Dades(*m_doc, m_languages, m_principal.get(),
                      m_startingUp ? Dades::Creation::KeepProject : Dades::Creation::Deferred);
    return *m_dades;
}

void Windows::calculateMap()
{
    const CalculationSettings settings = m_spl->settings();
    QString refused = QString::fromLatin1(spl::kGridRefusedTag);
    try {
        // Cancelled, it leaves the document and the picture as they were.
        const spl::MapCalculation::Ended ended =
            m_calculation->run(settings, spl::prepareMap(*m_doc, settings));
        if (ended.outcome == spl::MapCalculation::Outcome::Cancelled)
            return;
        m_doc->setCalculationSettings(settings);
        if (ended.map) {
            m_principal->shownPicture().showMap(ended.map);
            m_liveMap->mapCalculated();
            return;
        }
    } catch (const std::bad_alloc&) {
        refused = QStringLiteral("Memory"); // the picture and the project are as they were
    } catch (const std::system_error&) {
        refused = QStringLiteral("Memory");
    }
    m_messages.show(Message{refused, m_languages.GetLabel(QStringLiteral("MsgBox"), refused),
                            QStringLiteral("Warning")});
}

Feat& Windows::featuresWindow()
{
    if (!m_feat)
        m_feat = new Feat(m_languages, m_principal.get());
    return *m_feat;
}

Quit& Windows::quitWindow()
{
    if (!m_quit) {
        m_quit = new Quit(
            *m_doc, m_languages, [this] { m_endProgram(); }, m_principal.get());
        connect(m_quit, &Quit::saveRequested, m_principal.get(), &Principal::SaveData);
    }
    return *m_quit;
}

Infor& Windows::inforWindow()
{
    if (!m_infor) {
        m_infor = new Infor(m_languages, m_principal.get());
        connect(m_infor, &Infor::closedByButton, m_doc.get(), &ProjectDocument::DibuixarGeneral);
    }
    return *m_infor;
}

Language& Windows::languageWindow()
{
    if (!m_language)
        m_language = new Language(m_languages, m_userLanguage, relabelOrder(), m_principal.get(),
                                  &m_qtTexts);
    return *m_language;
}

RelabelOrder Windows::relabelOrder()
{
    // Each window not yet made is created hidden when its turn comes.
    return {
        {QStringLiteral("Language"), [](Language& self) { self.relabel(); }},
        {QStringLiteral("Principal"), [this](Language&) { m_principal->relabel(); }},
        {QStringLiteral("Dades"), [this](Language&) { wizardWindow().relabel(); }},
        {QStringLiteral("Feat"), [this](Language&) { featuresWindow().relabel(); }},
        {QStringLiteral("Infor"), [this](Language&) { inforWindow().relabel(); }},
        {QStringLiteral("Language"), [](Language& self) { self.relabelCancel(); }},
        {QStringLiteral("Mecanic"), [this](Language&) { mechanicalViewCreated().relabel(); }},
        {QStringLiteral("Quit"), [this](Language&) { quitWindow().relabel(); }},
        {QStringLiteral("SPL"), [this](Language&) { m_spl->relabel(); }},
    };
}
