#pragma once

#include "platform/OneBased.h"
#include "project/ProjectState.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

/// The texts of the main window that a project file holds, exactly as displayed.
struct ProjectFields
{
    QString Label58;              ///< model key caption, "TS250" or "TS160"
    OneBased<QString, 13> Text;   ///< Text1..Text13: the area fields and the height
    QString Text15, Text16;       ///< project and customer names
    QString Label59;              ///< maximum angle of box 1
    QString Combo2, Combo1;       ///< texts of the number of boxes and of areas
    OneBased<QString, 16> Combo3; ///< angle texts of boxes 1..16
    QString Combo4;               ///< model display text

    bool operator==(const ProjectFields&) const = default;
};

namespace projectfile {

/// The section that holds a project.
inline const QString Section = QStringLiteral("Default");

/// The 201 keys of a project, in the order they are saved and loaded.
QStringList keys();

/// Writes the project into the file key by key, in the order of keys(). Field
/// texts are stored as displayed; state numbers in the general number form of
/// the locale. Other sections and lines of an existing file survive.
/// Returns a description of the failure for a message box, or nothing.
std::optional<QString> save(const QString& path, const ProjectFields& fields,
                            const ProjectState& state, const QLocale& locale);

/// What a load leaves for the window to apply besides the fields and the state.
struct LoadResult
{
    QString error; ///< description of the failure for a message box, empty on success
    int boxes = 0; ///< number of boxes read from Combo2, not clamped
    int areas = 0; ///< number of areas read from Combo1, not clamped
    bool ok() const { return error.isEmpty(); }
};

/// Reads the project key by key, in the order of keys(), assigning each value as
/// it is read; on failure everything assigned before stays assigned. Then sets
/// numcaixes, seleccio and alturaunacaixa from the loaded texts.
///
/// A number written with "." or "," as its one separator reads that separator
/// as the decimal one whatever the locale, and the numeric field texts are
/// rewritten with the locale's separator, so a file saved under another locale
/// loads unchanged. A state key that is empty or not a number fails the load.
LoadResult load(const QString& path, ProjectFields& fields, ProjectState& state,
                const QLocale& locale);

} // namespace projectfile
