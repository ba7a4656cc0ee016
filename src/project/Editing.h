#pragma once

#include "project/data/ProjectState.h"

#include <QString>

/// The editing rules of the project that keep the state consistent; the main
/// window and the wizard call them with the values they read from their fields.
namespace editing {

/// A new splay angle `a` for box `k` (1..16): shifts the cumulative angles of
/// box k and every box below it, and for box 1 stores `firstBoxText` (the text
/// of box 1's angle field) as `box[1]`. Records `a` as `LastAngle[k]`.
void applySplayAngle(ProjectInputs& state, int k, double a, const QString& firstBoxText,
                     const QLocale& locale);

/// Height left under the array: `height` - N x front height of one box.
/// The array fits when this is greater than 0.
double clearance(double height, const ProjectInputs& state);

} // namespace editing
