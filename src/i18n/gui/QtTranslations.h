#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QTranslator;

/// Qt's own texts (the buttons of message boxes, the file and print dialogs)
/// in the program's language. The translations are those the system ships
/// with Qt; where one is missing, Qt's texts stay in English.
class QtTranslations
{
public:
    /// `translationsDir` holds Qt's "qtbase_<language>.qm" files.
    explicit QtTranslations(QString translationsDir = systemDir());
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    /// Puts Qt's texts in the language of that identifier, replacing the one
    /// in use; English (or a language without a translation file) removes it.
    /// Returns whether a translation is in use now.
    bool use(int32_t languageId);

    /// The translation file of a language, empty for English and for an
    /// identifier that is none of the program's languages.
    QString filePath(int32_t languageId) const;

    /// Where the system keeps Qt's translations.
    static QString systemDir();

private:
    void remove();

    QString m_dir;
    std::unique_ptr<QTranslator> m_translator;
};
