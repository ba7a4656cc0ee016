#pragma once

#include "files/ProjectFile.h"
#include "mechanical/Mechanical.h"
#include "platform/Messages.h"
#include "project/data/CalculationSettings.h"
#include "project/data/ProjectState.h"
#include "sideview/SideView.h"

#include <QLocale>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>

/// The controls of the main window whose text, items, selection or enabled
/// state the project document holds, named as the controls are.
enum class Control : int {
    Text1 = 1,
    Text2,
    Text3,
    Text4,
    Text5,
    Text6,
    Text7,
    Text8,
    Text9,
    Text10,
    Text11,
    Text12,
    Text13,
    Text14,
    Text15,
    Text16,
    Combo1,      ///< number of areas
    Combo2,      ///< number of boxes
    Combo4,      ///< model
    Label58,     ///< model key shown on the side view
    Label59,     ///< maximum angle of box 1
    Command2,    ///< the SPL button
    Area2,       ///< frame, captions and fields of area 2 (Frame3, Label6..9, Text5..8)
    Area3,       ///< frame, captions and fields of area 3 (Frame4, Label10..13, Text9..12)
    Combo3 = 32, ///< the angle list of box 1; box k is angleList(k - 1)
};

/// `Text1` .. `Text16`.
constexpr Control textField(int n)
{
    return static_cast<Control>(n);
}
/// `Combo3`(i), i = 0 for box 1 .. 15 for box 16.
constexpr Control angleList(int i)
{
    return static_cast<Control>(static_cast<int>(Control::Combo3) + i);
}
/// The index i of `Combo3`(i), or -1 for any other control.
constexpr int angleIndex(Control c)
{
    const int i = static_cast<int>(c) - static_cast<int>(Control::Combo3);
    return i >= 0 && i < 16 ? i : -1;
}
/// Whether the control is one of the editable lists.
constexpr bool isList(Control c)
{
    return c == Control::Combo1 || c == Control::Combo2 || c == Control::Combo4 ||
           angleIndex(c) >= 0;
}
constexpr int kControlSlots = static_cast<int>(Control::Combo3) + 16;

/// Everything a document holds, as plain data that can be copied: a load
/// fills a copy and takes it over only when the whole file was read.
struct DocumentData
{
    ProjectFields fields; ///< the texts a project file holds
    QString Text14;       ///< a field of the array's frame that nothing reads
    ProjectState state;
    std::array<QStringList, kControlSlots> items; ///< items of the lists
    std::array<int, kControlSlots> selected;      ///< selected item of a list, -1 for none
    std::array<QString, kControlSlots> applied;   ///< a list's text as last applied
    std::array<bool, kControlSlots> enabled;      ///< enabled state of every control
    QMap<QString, QString> captions;              ///< side-view labels the last redraw wrote
    sideview::Inputs scales;                      ///< the surfaces' scales (no field values)
};

/// The document as it stood after an accepted change: its data and the side
/// view it showed then (none before the first redraw), so that going back to
/// it shows exactly that picture again.
struct DocumentSnapshot
{
    DocumentData data;
    std::optional<sideview::Redraw> shown;
};

/// Whether two documents hold the same project as the user sees it: texts,
/// list items and selections, applied list texts and enabled controls (the SPL
/// button aside). The side view's results and scales are left out: they
/// follow from these.
bool sameProject(const DocumentData& a, const DocumentData& b);

/// The project as one document, without any window: the field and list texts
/// that the main window shows, the items of its lists, their selections, which
/// controls are enabled, the project state and the side view's scales.
///
/// Its operations are the editing rules of the main window: each one reads and
/// writes only the document, ends in a redraw or a message as the rule says,
/// and reports what changed through the signals, so that any number of windows
/// (or none, for the commands) can mirror it. Messages go to the MessageSink
/// by their tag in the language file's "MsgBox" section.
class ProjectDocument : public QObject
{
    Q_OBJECT
public:
    /// Looks a label up in the current language (section, tag).
    using LabelLookup = std::function<QString(const QString& section, const QString& tag)>;

    /// A document holding the start-up project: the defaults, the lists filled
    /// and only the height field enabled. `labels` gives the message texts
    /// (the tag itself when absent); `locale` converts every number text.
    explicit ProjectDocument(MessageSink& messages, LabelLookup labels = {},
                             const QLocale& locale = QLocale(), QObject* parent = nullptr);

    // ---- What the windows show ------------------------------------------
    QString text(Control c) const;
    QStringList items(Control list) const { return m_d.items[slot(list)]; }
    int selectedIndex(Control list) const { return m_d.selected[slot(list)]; }
    bool isEnabled(Control c) const { return m_d.enabled[slot(c)]; }
    const ProjectFields& fields() const { return m_d.fields; }
    const ProjectState& state() const { return m_d.state; }
    const DocumentData& data() const { return m_d; }
    /// Captions of the side view's labels as redraws wrote them, Label59 included;
    /// a label no redraw wrote yet is missing and keeps its design caption.
    QMap<QString, QString> captions() const;
    /// The surfaces' scales.
    const sideview::Inputs& scales() const { return m_d.scales; }
    /// The field values a redraw reads, with the surfaces' scales.
    sideview::Inputs inputs() const;
    /// Message tags raised since the document was made, in order.
    const QStringList& raisedMessages() const { return m_raised; }
    const QLocale& locale() const { return m_locale; }
    /// The project file last loaded or saved, or empty for a project never saved.
    const QString& filePath() const { return m_path; }

    // ---- Calculation settings ----------------------------------------------
    /// The band, resolution and map style every level shown is calculated with.
    /// They are not part of the project: loading, undo and new projects keep them.
    const CalculationSettings& calculationSettings() const { return m_settings; }
    /// Takes new settings (the SPL window's CALCULATE does); emits
    /// calculationSettingsChanged when they differ from the current ones.
    void setCalculationSettings(const CalculationSettings& settings);

    // ---- History -----------------------------------------------------------
    /// The document as it stands, with the side view it shows.
    DocumentSnapshot snapshot() const;
    /// Goes back (or forth) to a snapshot: takes over its data, telling the
    /// windows what changed, and shows its side view again. The surfaces keep
    /// their current scales; when those differ from the snapshot's, the side
    /// view is redrawn at the current ones instead. Emits `restored`.
    void restore(const DocumentSnapshot& snapshot);

    // ---- User actions -----------------------------------------------------
    /// New text typed into a field or into a list's edit box. Nothing is
    /// checked or applied; the height field unlocks the model and the boxes.
    void setText(Control c, const QString& text);
    /// An item of a list chosen: selects it, takes its text and applies it.
    void choose(Control list, int index);
    /// Leaving a list, or Enter in it: a typed text that is a number within the
    /// list's items (for the model, one of its items) is applied as choosing it
    /// would; any other text gives the "Value" message and the list takes back
    /// its last applied text. Returns false when it refused the text.
    bool applyTypedText(Control list);
    /// The check before the focus leaves a numeric field: false (with the
    /// "Value" message and the SPL button disabled) when it is not a number.
    bool validateField(Control field);
    /// After the focus left a numeric field: redraw, or for the height the
    /// clearance check that unlocks the rest.
    void leaveField(Control field);
    /// Enter in the height field.
    void Text13_KeyPress();
    /// Leaving a free text field (the project and customer names): its text
    /// is taken as it stands.
    void acceptText(Control field);
    /// The SPL button: redraws, then refuses with the "Audience" message when
    /// no area reaches beyond the array plane. True when the SPL window may open.
    bool requestSplWindow();
    /// The coordinate readout texts (X, Y) for a mouse position over Picture1
    /// or Picture44, in that surface's scale units.
    std::pair<QString, QString> readout(int surface, double x, double y) const;
    /// The mechanical view of the project: its table rows and drawing. Stores
    /// the corners of all sixteen boxes.
    mechanical::View PintarMecanic();
    /// Sets the height of a surface's scale (the SPL map does).
    void setScaleHeight(int surface, double height);
    /// Cancel in the question before quitting: from now on closing the main
    /// window stays open unless the program is ended (`ProgCancel`, never reset).
    void cancelQuit() { m_d.state.ProgCancel = true; }

    // ---- Editing rules, callable by other windows (the wizard) -----------
    void Combo4_Click();
    void Combo3_Click(int index);
    void Combo2Click();
    void Combo1_Click();
    void Area2EnabledTrue() { setAreaEnabled(2, true); }
    void Area2EnabledFalse() { setAreaEnabled(2, false); }
    void Area3EnabledTrue() { setAreaEnabled(3, true); }
    void Area3EnabledFalse() { setAreaEnabled(3, false); }
    /// The "array too long for the height" message.
    void missatge();
    /// Redraws the side view from the fields and the state.
    void DibuixarGeneral();
    /// The start-up picture: the axes only.
    DrawList startupDrawing() const;

    // ---- Operations of other windows (the wizard) ---------------------------
    /// Enables or disables a control, as another window that writes into the
    /// main window does.
    void enableControl(Control c, bool on) { enable(c, on); }
    /// The check of a number typed in another window: false, with the "Value"
    /// message and the SPL button disabled, when the text is not a number;
    /// true, with the SPL button enabled, otherwise.
    bool validateText(const QString& text);
    /// Replaces the items of a list; its text stays and no item is selected.
    void setListItems(Control list, const QStringList& items);
    /// Writes a model's row of the model table: `modelcaixa` and the
    /// dimensions, `Label58`'s key and the model list's text. The angle lists
    /// are left alone.
    void writeModel(int index);
    /// An array without angles: the number-of-boxes index 0 and every box's
    /// cumulative and last angle 0. An open mechanical view clears its table.
    void resetBoxes();
    /// Clears the side view's three surfaces.
    void clearPictures();
    /// Makes the project savable: the Save and SaveFoto commands.
    void enableSaving();
    /// Shows the message of a tag of the language file's "MsgBox" section.
    void warn(const QString& tag) { showMessage(tag); }
    /// Sets the angle numbers of boxes 1, 2, ... (the tilt of box 1, then the
    /// splays) as choosing each in its list would, but as one change: one
    /// redraw and one `edited`, so that one undo takes every angle back.
    void setAngles(std::span<const double> angles);

    // ---- Files --------------------------------------------------------------
    /// Loads a project file. On success the fields, lists and state are the
    /// file's, the fields are unlocked, the side view is redrawn and the box
    /// corners recomputed. On failure the error is shown and the document is
    /// exactly as it was. Returns whether it loaded.
    bool load(const QString& path);
    /// Saves the project; returns the error shown, or nothing. A value the
    /// file cannot hold (projectfile::canHold) refuses the save before the
    /// file is touched.
    std::optional<QString> save(const QString& path);

signals:
    void textChanged(Control c);
    void itemsChanged(Control list);
    void selectionChanged(Control list);
    void enabledChanged(Control c);
    /// A redraw, for the surfaces to replay; its captions are already in captions().
    void redrawn(const sideview::Redraw& redraw);
    void scalesChanged();
    /// A load replaced the project; an open mechanical view recomputes itself.
    void loaded();
    /// The cumulative angles were set back to 0; an open mechanical view clears its table.
    void boxesReset();
    /// The side view's surfaces are to be cleared.
    void picturesCleared();
    /// The project may be saved from now on.
    void savingEnabled();
    /// The project was saved to filePath().
    void saved();
    /// A user action ended that may have changed the project: a field left, a
    /// list item chosen or typed, a free text accepted. The undo history
    /// compares the project with its last state to see whether it did.
    void edited();
    /// restore() took the document back to a snapshot.
    void restored();
    /// The calculation settings changed.
    void calculationSettingsChanged();

private:
    static int slot(Control c) { return static_cast<int>(c); }
    /// The text a control holds in `d`, or none for a control without one.
    static QString* textOf(DocumentData& d, Control c);
    void assign(Control c, const QString& text, bool asApplied);
    void setItems(Control list, const QStringList& items);
    void select(Control list, int index);
    void enable(Control c, bool on);
    void setAreaEnabled(int area, bool on);
    void Text13_LostFocus();
    /// Takes over loaded data, telling the windows what changed.
    void adopt(const DocumentData& loaded);
    void showMessage(const QString& tag);
    void showError(const QString& description);
    double number(const QString& text) const;

    MessageSink& m_messages;
    LabelLookup m_labels;
    QLocale m_locale;
    DocumentData m_d;
    CalculationSettings m_settings;
    std::optional<sideview::Redraw> m_shown; ///< the last redraw
    QString m_path;
    QStringList m_raised;
};

/// The outcome of loading a project with no window: the loaded and redrawn
/// document, or the reason it could not be loaded.
struct HeadlessProject
{
    std::unique_ptr<CapturingSink> messages;   ///< every message the load raised
    std::unique_ptr<ProjectDocument> document; ///< none when the load failed
    QString error;                             ///< why, when it failed
};

/// Loads a project file into a new document as the Load command does, for the
/// commands that run without windows.
HeadlessProject loadHeadless(const QString& path, const QLocale& locale = QLocale());
