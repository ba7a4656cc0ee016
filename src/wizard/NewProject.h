#pragma once

#include "project/ProjectDocument.h"

#include <QString>
#include <array>
#include <optional>

/// The rules of the project wizard on the project document: what its creation,
/// its area fields, its number of areas, Ok and Cancel write into the main
/// window's fields and the project state. The wizard window only gathers the
/// user's entries and hands them here.
namespace wizard {

/// The wizard's area fields (`Text3` .. `Text15`), area by area, each in the
/// order distance to array, length, elevation Z1, elevation Z2.
inline constexpr std::array<int, 12> kAreaFields = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};

/// The main-window field that the wizard's `Text<n>` feeds, for the twelve
/// area fields; nothing for any other field.
std::optional<Control> areaTarget(int n);

/// The wizard's area field `Text<n>` was left with `text`, already checked:
/// the text goes into its main-window field and the side view is redrawn.
void copyAreaField(ProjectDocument& doc, int n, const QString& text);

/// Which reset of the main window: the wizard's creation or its Cancel.
enum class Reset { Creation, Cancel };

/// Resets the main window and the project state to an empty project. At the
/// creation the project and customer names take the wizard's texts; Cancel
/// empties them.
void resetProject(ProjectDocument& doc, Reset when, const QString& project = {},
                  const QString& customer = {});

/// The main window's part of choosing the number of areas (0, 1, 2 for 1, 2,
/// 3 areas): its area 2 and 3 groups follow, the side view is redrawn, and its
/// own number-of-areas list takes the same selection.
void chooseAreaCount(ProjectDocument& doc, int index);

/// What Ok takes from the wizard besides the areas, which are already copied.
struct Entries
{
    QString project;  ///< `Text1`
    QString customer; ///< `Text2`
    QString model;    ///< `Combo1`'s text: "TS-250" or "TS-160"
    QString floor;    ///< `Text13`: distance to floor
    int boxes = -1;   ///< `Combo2`'s selected index, -1 for none
    int areas = -1;   ///< `Combo3`'s selected index, -1 for none
};

/// The first step of Ok: without a distance to floor the "Floor" message is
/// shown and Ok stops there (false).
bool hasFloorDistance(ProjectDocument& doc, const QString& floor);

/// The rest of Ok, once the wizard is hidden: the entries go into the main
/// window, which is unlocked for the new project, the model is switched when
/// it changed, and the side view is redrawn.
void apply(ProjectDocument& doc, const Entries& entries);

/// Switches the model from the main window's current one to `chosen`: the
/// whole row of the model table is written and the angle lists of boxes 2 to
/// 16 are edited item by item, once. The same model, or a text that is no
/// model, changes nothing.
void switchModel(ProjectDocument& doc, const QString& chosen);

} // namespace wizard
