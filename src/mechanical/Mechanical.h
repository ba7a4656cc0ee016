#pragma once

#include "platform/DrawList.h"
#include "project/data/ProjectState.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

/// The mechanical view: the array as it hangs, one outline per box, drawn from
/// the box dimensions of the selected model. Plain computation; the window
/// shows the rows and replays the drawing.
namespace mechanical {

/// The window's own drawing, as DrawOp::surface.
constexpr int kSurface = 1;
/// The fixed scale of the drawing: one unit is one metre of the array, the
/// window spans this many units across and down, origin at the top left.
constexpr double kScaleWidth = 3.0;
constexpr double kScaleHeight = 6.344;
/// Where the top front corner of the first box hangs.
constexpr float kHangX = 2.9f;
constexpr float kHangY = 0.5f;

/// One row of the angle table.
struct Row
{
    QString splay;      ///< the box's splay angle, as its field in the main window reads
    QString cumulative; ///< the cumulative angle `box`(k)
};

/// What one run produces besides the corners it stores in the project state.
struct View
{
    /// Rows of the boxes in use, box 1 first. The rows beyond are disabled and
    /// keep whatever they showed before.
    std::vector<Row> rows;
    /// Clears the drawing, then the outline of every box in use.
    DrawList ops;
    /// The model key for the model field; none leaves the field as it is.
    std::optional<QString> modelKey;
};

/// Number of boxes in use, from the state's `numcaixes` index (1 to 16).
int boxCount(const ProjectInputs& project);

/// Corners of all 16 boxes into `x1`..`x4`, `y1`..`y4`: each box hangs from
/// the bottom front corner of the one above, tilted by its cumulative angle.
void computeCorners(const ProjectInputs& project, BoxCorners& corners, const QLocale& locale);

/// Recomputes the whole view: the table rows, the corners of all 16 boxes and
/// the outlines of the boxes in use. `angleTexts` are the texts of the main
/// window's splay angle fields, box 1 first (missing entries read as empty).
View PintarMecanic(const QStringList& angleTexts, const ProjectInputs& project, BoxCorners& corners,
                   const QLocale& locale);

} // namespace mechanical
