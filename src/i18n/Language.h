#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace pugi {
class xml_document;
}

/// Language identifiers of the three languages the program ships, as the
/// operating system numbers them; each names its file in the languages folder.
namespace languageId {
constexpr int32_t English = 1033;
constexpr int32_t Spanish = 1032;
constexpr int32_t German = 1031;
} // namespace languageId

/// An error of the language objects. Nothing catches it on the way: it reaches
/// the top of the program, which reports the description and ends.
class LanguageError : public std::runtime_error
{
public:
    /// The base number of the errors the program's own objects raise.
    static constexpr uint32_t ErrorNumber = 0x80040000u;

    explicit LanguageError(const QString& description);

    uint32_t number() const { return ErrorNumber; }
    QString description() const { return m_description; }

private:
    QString m_description;
};

/// One loaded language file and the look-up of its labels by (Section, Tag).
///
/// A file is an XML document with the root element `Labels`; a label is the
/// first element in document order named Tag at any depth below an element
/// named Section, itself at any depth below the root. Element names compare
/// exactly, case included.
class clsLanguage
{
public:
    /// `languagesDir` is the folder holding the files "<identifier>.xml".
    explicit clsLanguage(QString languagesDir);
    ~clsLanguage();
    clsLanguage(const clsLanguage&) = delete;
    clsLanguage& operator=(const clsLanguage&) = delete;

    /// Loads the file of that identifier, replacing the document loaded before.
    /// A missing, unreadable or malformed file leaves no document loaded and
    /// throws LanguageError "Error loading language file.".
    void LoadLanguageFile(int32_t LanguageID);

    /// The text of the label, leading and trailing blanks removed; empty when
    /// the file has no such label or a name is not a valid XML name. Throws
    /// LanguageError "Language file not loaded." while no document is loaded.
    QString GetLabel(const QString& Section, const QString& Tag) const;

    /// Whether a document is loaded (the last load succeeded).
    bool isLoaded() const { return m_document != nullptr; }

    /// The file that holds the language of that identifier.
    QString filePath(int32_t LanguageID) const;

private:
    QString m_dir;
    std::unique_ptr<pugi::xml_document> m_document;
};

/// Whether the text is a well-formed XML element name.
bool isXmlName(const QString& name);
