#pragma once

#include "files/ProjectFile.h"
#include "i18n/Languages.h"
#include "platform/OneBased.h"
#include "project/ProjectState.h"
#include "sideview/SideView.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Surface;
class MessageSink;
class FieldValidation;
class Mecanic;
class Feat;

/// The main window: the project's fields and lists, the side view with its
/// three drawing surfaces, the menus and the two command buttons. It holds the
/// project state and keeps it consistent through the editing rules; every
/// accepted change ends in `DibuixarGeneral`, which redraws the side view.
class Principal : public QMainWindow, public iLanguage
{
    Q_OBJECT
public:
    /// Builds the window and runs its start-up. `languages` supplies every
    /// caption and message text; `messages` shows (or collects) the messages.
    /// Throws LanguageError when a language file cannot be loaded.
    Principal(Languages& languages, MessageSink& messages, int userLanguage,
              QWidget* parent = nullptr);
    ~Principal() override;

    ProjectState& state() { return m_state; }
    const ProjectState& state() const { return m_state; }

    /// Redraws the whole side view from the fields and the project state.
    void DibuixarGeneral();
    /// Applies the number of boxes chosen in `Combo2`.
    void Combo2Click();
    void Area2EnabledTrue();
    void Area2EnabledFalse();
    void Area3EnabledTrue();
    void Area3EnabledFalse();
    /// The "array too long for the height" message.
    void missatge();

    /// The field values a redraw reads, converted with the user's locale.
    sideview::Inputs gatherInputs() const;
    /// The current scales of the three surfaces, with no field values.
    sideview::Inputs scales() const;
    /// Current captions of the labels the side view writes, by objectName.
    QMap<QString, QString> sideViewCaptions() const;
    /// Message tags raised by the side view since the window was built.
    const QStringList& raisedMessages() const { return m_raised; }

    Surface* picture(int id) const;

    /// The mechanical view, created hidden when it does not exist yet.
    Mecanic* mechanicalView();
    Feat* featuresWindow() const { return m_feat; }

    /// The texts a project file holds, as the window shows them now.
    ProjectFields fields() const;
    /// Asks for a file name and saves the project there; a cancel saves nothing.
    void SaveData();
    /// Asks for a project file and loads it; a cancel changes nothing.
    void Load_Click();
    /// Loads the project file at `path` into the window, re-enables the fields
    /// and redraws, as the Load command does. A failure is shown as a message,
    /// keeping what was assigned before it; returns false then.
    bool loadProject(const QString& path);

    /// Re-reads every caption of this window from the current language file.
    void relabel();
    void Updated() override { relabel(); }

private:
    void buildLayout();
    void buildMenus();
    void Form_Load();
    void connectHandlers();

    void Combo4_Click();
    void Combo3_Click(int index);
    void Combo1_Click();
    void Text13_Change();
    void Text13_KeyPress();
    void Text13_LostFocus();
    void Command1_Click();
    void Command2_Click();

    bool validateField(QLineEdit* field);
    void fieldLostFocus(QLineEdit* field);
    void setAreaEnabled(int area, bool on);

    void showMessage(const QString& tag);
    void showError(const QString& description);
    void assignFields(const ProjectFields& f);
    QString label(const QString& section, const QString& tag) const;
    double number(const QString& text) const;
    void showReadout(const sideview::Readout& r);

    Languages& m_languages;
    MessageSink& m_messages;
    ProjectState m_state;
    QStringList m_raised;

    // Controls, named as their objectNames.
    OneBased<QLineEdit*, 16> m_text{nullptr}; // Text1 .. Text16
    std::array<QComboBox*, 16> m_combo3{};    // Combo3(0) .. Combo3(15)
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QComboBox* m_combo4 = nullptr;
    OneBased<QGroupBox*, 10> m_frame{nullptr}; // Frame1 .. Frame10
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    Surface* m_picture1 = nullptr;
    Surface* m_picture33 = nullptr;
    Surface* m_picture44 = nullptr;
    FieldValidation* m_validation = nullptr;
    QPointer<Mecanic> m_mecanic;
    Feat* m_feat = nullptr;
};
