#pragma once

#include "i18n/Language.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

/// Implemented by a window that wants to know when a new language is loaded.
class iLanguage
{
public:
    virtual ~iLanguage() = default;
    virtual void Updated() = 0;

protected:
    iLanguage() = default;
    iLanguage(const iLanguage&) = default;
    iLanguage& operator=(const iLanguage&) = default;
};

/// The program's one language object and the windows told of its changes.
/// The application creates one and hands it to every window that shows text.
class Languages
{
public:
    /// `languagesDir` is the folder holding the language files.
    explicit Languages(QString languagesDir);

    /// Loads the language of that identifier (creating `CurrentLanguage` on the
    /// first call), then calls `Updated` of every registered window in the
    /// order they registered. A failed load throws LanguageError and tells no
    /// window.
    void ApplyLanguage(int32_t LanguageID);

    /// The label look-up object. Before the first ApplyLanguage there is none
    /// and this throws LanguageError "Language file not loaded.".
    clsLanguage& CurrentLanguage();
    const clsLanguage& CurrentLanguage() const;
    /// Whether `CurrentLanguage` exists (a language was applied, perhaps unsuccessfully).
    bool hasCurrentLanguage() const { return m_current != nullptr; }

    /// `CurrentLanguage().GetLabel(...)`; throws LanguageError "Language file
    /// not loaded." before any language was applied.
    QString GetLabel(const QString& Section, const QString& Tag) const;

    /// Adds a window to the end of the ones told of a change; a window already
    /// registered keeps its place. A window unregisters before it goes away.
    void registerWindow(iLanguage* window);
    void unregisterWindow(iLanguage* window);

    /// The folder of the language files.
    const QString& languagesDir() const { return m_dir; }

private:
    QString m_dir;
    std::unique_ptr<clsLanguage> m_current;
    std::vector<iLanguage*> m_windows;
};

/// The languages folder of the running program: "Languages" beside the executable
/// (the build tree) when it exists, otherwise the installed one, found from the
/// executable's folder as the install laid it out.
QString defaultLanguagesDir();

/// Reads one environment variable; empty when it is not set.
using EnvironmentLookup = std::function<QString(const char* name)>;

/// The user's language from the locale variables (LC_ALL, then LC_MESSAGES,
/// then LANG; the first one set and not empty decides), chosen by its primary
/// language: Spanish gives languageId::Spanish, German languageId::German, and
/// English and every other locale (including "C" and "POSIX") English.
int32_t userLanguageId(const EnvironmentLookup& environment);

/// As above, from the process environment.
int32_t userLanguageId();
