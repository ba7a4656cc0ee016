#pragma once

#include "i18n/Languages.h"
#include "platform/OneBased.h"
#include "project/ProjectDocument.h"

#include <QMainWindow>
#include <array>

class QAction;
class QComboBox;
class EditableList;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Surface;
class FieldValidation;
class UndoHistory;
namespace picture {
class ShownPicture;
}

/// The main window: a view of the project document. It builds the fields,
/// lists, side-view surfaces, menus and buttons, hands every user action to
/// the document, mirrors the document's texts, items, selections and enabled
/// states into its controls, and replays each redraw onto its surfaces. The
/// windows it opens are asked for through its signals.
class Principal : public QMainWindow
{
    Q_OBJECT
public:
    /// Builds the window over `document` and runs the language start-up:
    /// English, then `userLanguage`. Throws LanguageError when a language file
    /// cannot be loaded.
    Principal(ProjectDocument& document, Languages& languages, int userLanguage,
              QWidget* parent = nullptr);
    ~Principal() override;

    ProjectDocument& document() { return m_doc; }
    /// The side view the window shows, as a picture value that follows the document.
    picture::ShownPicture& shownPicture() { return *m_shown; }
    /// The undo history of the project (Edit menu).
    UndoHistory& history() { return *m_history; }

    /// Current captions of the labels the side view writes, by objectName.
    QMap<QString, QString> sideViewCaptions() const;
    /// The current scales of the three surfaces, with no field values.
    sideview::Inputs scales() const;
    Surface* picture(int id) const;

    /// Asks for a file name and saves the project there; a cancel saves nothing.
    void SaveData();
    /// Asks for a project file and loads it; a cancel changes nothing.
    void Load_Click();
    /// Loads the project file at `path`, as the Load command does.
    bool loadProject(const QString& path);

    /// Re-reads every caption of this window from the current language file.
    void relabel();

    /// The closing sequence, for every way of closing the window: asks the
    /// question before quitting (`exitRequested`), then stays open, with the
    /// side view redrawn, once the question was ever cancelled. Returns
    /// whether the window may close.
    bool Form_QueryUnload();

signals:
    /// The mechanical view button was pressed.
    void mechanicalViewRequested();
    /// The SPL button was pressed and the project has an audience to map.
    void splWindowRequested();
    /// File > New was chosen: the project wizard is wanted.
    void newProjectRequested();
    /// File > Exit, or the window is closing: the question before quitting is
    /// to be shown modally now.
    void exitRequested();
    /// Options > Language: the language window is to be shown modally now.
    void languageWindowRequested();
    /// Help > Info: the information window is to be shown modally now.
    void infoRequested();
    /// Print Data was chosen; the surfaces now keep their pictures when covered.
    void printRequested();
    /// Save Image was chosen.
    void imageSaveRequested();
    /// Export Report was chosen.
    void reportExportRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void connectDocument();
    void connectCommands();

    void Command2_Click();

    // Mirroring the document into the controls.
    void mirrorAll();
    void mirrorText(Control c);
    void mirrorItems(Control list);
    void mirrorSelection(Control list);
    void mirrorEnabled(Control c);
    void showPicture();
    QWidget* widgetOf(Control c) const;
    QComboBox* listOf(Control c) const;
    Control controlOf(QObject* o) const;

    QString label(const QString& section, const QString& tag) const;
    void connectHistory();
    void updateTitle();

    ProjectDocument& m_doc;
    Languages& m_languages;
    picture::ShownPicture* m_shown;
    bool m_mirroring = false; ///< the controls are being set from the document

    // Controls, named as their objectNames.
    OneBased<QLineEdit*, 16> m_text{nullptr}; // Text1 .. Text16
    std::array<EditableList*, 16> m_combo3{}; // Combo3(0) .. Combo3(15)
    EditableList* m_combo1 = nullptr;
    EditableList* m_combo2 = nullptr;
    EditableList* m_combo4 = nullptr;
    OneBased<QGroupBox*, 10> m_frame{nullptr}; // Frame1 .. Frame10
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    Surface* m_picture1 = nullptr;
    Surface* m_picture33 = nullptr;
    Surface* m_picture44 = nullptr;
    FieldValidation* m_validation = nullptr;
    UndoHistory* m_history = nullptr;
};
