#pragma once

#include <QIODevice>

#include "i18n/Languages.h"
#include "project/ProjectDocument.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

/// What the commands that calculate a map take from their arguments: the
/// project file, the band centre (--freq HZ, default 100), the resolution in
/// metres (--res M, default 0.3, with a point whatever the locale; a comma is
/// taken too) and the values of the command's own options.
struct CalculationOptions
{
    QString project;
    int16_t frequencia = 100;
    QString resolutionText;
    QMap<QString, QString> values; ///< the command's own options, by name ("--out")
};

/// A command's failure: "splmap COMMAND: why" on one line of `err`; returns
/// the exit status 2.
int failCommand(QIODevice& err, const char* command, const QString& why);

/// A decimal number as the command line takes it, whatever the locale: a
/// point (or a comma) before the decimals, an exponent perhaps; no sign,
/// blank or superfluous leading zero. Nothing for any other text, or for a
/// number too large to be finite.
std::optional<double> plainDecimal(const QString& text);

/// Reads `args` (the project file, --freq, --res and the options named in
/// `own`, each followed by its value). Options given twice or with an empty
/// value, and numbers with signs, blanks or leading zeros, are refused rather
/// than guessed at. Returns the one-line reason they are refused (ending in
/// `usage` where the form is wrong), or an empty string.
QString parseCalculationOptions(const QStringList& args, const QStringList& own,
                                const QString& usage, CalculationOptions& options);

/// A project loaded for a calculating command, with the messages in the
/// user's language as the windows would show them.
class CalculationSetup
{
public:
    explicit CalculationSetup(const QString& languagesDir);

    /// Applies English, then the user's language; loads the project as Load
    /// does and checks the resolution as the SPL window does. Returns the
    /// one-line reason it cannot go on, or an empty string.
    QString prepare(const CalculationOptions& options);

    /// The resolution as the SPL window's field would hold it, in the
    /// project's number form.
    const QString& resolutionText() const { return m_resolutionText; }

    Languages& languages() { return m_languages; }
    ProjectDocument& document() { return *m_loaded.document; }
    /// The text of a message of the "MsgBox" section.
    QString message(const QString& tag) const;

private:
    Languages m_languages;
    HeadlessProject m_loaded;
    QString m_resolutionText;
};
