#pragma once

#include "project/data/ProjectFields.h"
#include "project/data/ProjectState.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace projectfile {

/// The section that holds a project.
inline const QString Section = QStringLiteral("Default");

/// The 201 keys of a project, in the order they are saved and loaded.
QStringList keys();

/// Whether a project file can hold the text as a value: no "[" (it would
/// start a section for every later reading), no line break or control
/// character the reading strips, nothing beyond Latin-1. The free text fields
/// refuse what fails here as it is typed.
bool canHold(const QString& text);

/// The first field whose text a project file cannot hold, named as the user
/// knows it with its key and the reason ("the customer name (Text16) holds
/// \"[\""), or nothing when every field can be saved. A "[" would end the
/// section for every later reading, a line break or a control character up to
/// CR splits the line or is stripped from the end of the file, and a character
/// outside Latin-1 would come back as "?": the file would not load as saved.
std::optional<QString> unsavableField(const ProjectFields& fields);

/// Writes the project into the file key by key, in the order of keys(). Field
/// texts are stored as displayed; state numbers in the general number form of
/// the locale. Other sections and lines of an existing file survive.
/// A project holding a text the file cannot hold (see unsavableField; the box
/// angles loaded as text are checked too) is refused before anything is
/// written, so the file stays as it was.
/// Returns a description of the failure for a message box, or nothing.
std::optional<QString> save(const QString& path, const ProjectFields& fields,
                            const ProjectState& state, const QLocale& locale);

/// What a load leaves for the window to apply besides the fields and the state.
struct LoadResult
{
    QString error; ///< description of the failure for a message box, empty on success
    int boxes = 0; ///< number of boxes read from Combo2, 0 to 16
    int areas = 0; ///< number of areas read from Combo1, 1 to 3
    bool ok() const { return error.isEmpty(); }
};

/// Reads the file once, then takes the keys in the order of keys(), assigning
/// each value as it is found (what INIread gives for that key); on failure
/// everything assigned before stays assigned. Then sets numcaixes, seleccio and
/// alturaunacaixa from the loaded texts.
///
/// A number written with "." or "," as its one separator reads that separator
/// as the decimal one whatever the locale, and the numeric field texts are
/// rewritten with the locale's separator, so a file saved under another locale
/// loads unchanged. The load fails, with a message naming the key and quoting
/// at most 60 characters of its value, when a state key is empty or not a
/// number, when the number of boxes is not a whole number from 0 (a project
/// saved before any box was chosen) to 16 or the number of areas not one from
/// 1 to 3, and when the path is missing or is a folder, pipe or device (no
/// file is created).
LoadResult load(const QString& path, ProjectFields& fields, ProjectState& state,
                const QLocale& locale);

} // namespace projectfile
