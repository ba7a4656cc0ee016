#pragma once

#include "i18n/Languages.h"

#include <QDialog>
#include <array>

class FieldValidation;
class ProjectDocument;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

/// The project wizard: a new project entered in one form and written straight
/// into the project document that the main window shows. Its area fields are
/// copied as soon as they are left, the number of areas as soon as it is
/// chosen, the rest on Ok. Ok and Cancel only hide it, so it keeps what was
/// entered; closing it by its frame (or Escape) destroys it.
class Dades : public QDialog
{
    Q_OBJECT
public:
    /// How much of the creation step runs when the window is built.
    enum class Creation {
        /// The lists filled and the main window reset to an empty project.
        ResetProject,
        /// The lists filled only: at the program's start the main window's own
        /// start-up follows and sets everything the reset would.
        KeepProject,
        /// The lists filled; the reset waits for finishCreation. For a window
        /// made only to take its captions: that never touches the project,
        /// and the reset comes when the user asks for a new project.
        Deferred,
    };
    /// Builds the window hidden and runs its creation step. The captions come
    /// from `languages` (which must hold a language); throws LanguageError
    /// otherwise.
    Dades(ProjectDocument& document, Languages& languages, QWidget* owner,
          Creation creation = Creation::ResetProject);
    ~Dades() override;

    /// Runs the reset a Deferred creation left for later, once; nothing otherwise.
    void finishCreation();

    /// Re-reads the captions from the current language.
    void relabel();

protected:
    void closeEvent(QCloseEvent* event) override;
    /// Escape closes the window as its frame does.
    void reject() override;

private:
    void buildLayout();
    void Form_Load(Creation creation);
    void Combo3_Click(int index);
    void Command1_Click();
    void Command2_Click();
    QLineEdit* text(int n) const;
    /// A list's text: its chosen item, or the text it shows before any choice.
    static QString listText(const QComboBox* list);

    ProjectDocument& m_doc;
    Languages& m_languages;
    QComboBox* m_combo1 = nullptr;           ///< model
    QComboBox* m_combo2 = nullptr;           ///< number of boxes
    QComboBox* m_combo3 = nullptr;           ///< number of areas
    std::array<QGroupBox*, 3> m_areaFrame{}; ///< Frame1, Frame3, Frame4
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    FieldValidation* m_validation = nullptr;
    bool m_resetOwed = false;
};
