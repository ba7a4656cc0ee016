#pragma once

#include "i18n/Languages.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QtTranslations;
class Language;

/// One window's turn in the re-labelling: the window's name and what sets its
/// captions from the current language. `relabel` gets the language window that
/// runs the re-labelling, for the turns that are its own.
struct RelabelStep
{
    QString window;
    std::function<void(Language& self)> relabel;
};

/// The order in which the windows take their captions, as the program assembles it.
using RelabelOrder = std::vector<RelabelStep>;

/// The language window: a list of the three languages, applied as soon as one
/// is chosen; OK keeps the choice, Cancel goes back to English, and both close
/// and destroy the window (the owner creates a new one on the next opening).
/// While it exists it is the one window told of a new language, and it then
/// re-labels every window of the program in the order it was given; Qt's own
/// texts follow the chosen language too.
class Language : public QDialog, public iLanguage
{
    Q_OBJECT
public:
    /// Builds the window hidden and runs its load: the list filled, English
    /// applied, then `userLanguage` when it is one of the list's languages.
    /// `order` is walked on every language change; `qtTexts`, when given, is
    /// switched to every language applied. Throws LanguageError when a
    /// language file cannot be loaded.
    Language(Languages& languages, int userLanguage, RelabelOrder order, QWidget* owner,
             QtTranslations* qtTexts = nullptr);
    ~Language() override;

    /// The list's entries: text and language identifier, in list order.
    struct Entry
    {
        const char* text;
        int32_t id;
    };
    static const std::vector<Entry>& entries();

    /// Selects the entry at `index` and applies its language, even when it
    /// was selected already.
    void selectEntry(int index);
    /// Selects the entry of the user's language (by its identifier); with
    /// none, the selection stays as it was.
    void SelectCurrentLanguage();
    /// The language of the selected entry.
    int32_t selectedLanguage() const;

    /// The window's own captions, then only its Cancel caption: the two turns
    /// the language window takes in the re-labelling.
    void relabel();
    void relabelCancel();

    /// Walks the re-labelling order once.
    void UpdateLabels();
    void Updated() override { UpdateLabels(); }

    /// The windows in the order they are re-labelled.
    QStringList relabelOrder() const;

protected:
    void reject() override;

private:
    void Form_Load();
    void cboLanguage_Click();
    void Command1_Click();
    void Command2_Click();
    void unload();

    Languages& m_languages;
    int m_userLanguage;
    RelabelOrder m_order;
    QtTranslations* m_qtTexts;
    QLabel* m_label1 = nullptr;
    QComboBox* m_cboLanguage = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};
