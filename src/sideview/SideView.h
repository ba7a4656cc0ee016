#pragma once

#include "platform/DrawList.h"
#include "platform/OneBased.h"
#include "project/data/ProjectState.h"

#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>

/// The side view of the main window: distance to the right, elevation upwards.
/// Every function here is plain computation over the project state; the window
/// gathers the inputs and replays the resulting drawing onto its surfaces.
namespace sideview {

/// The three drawing surfaces of the side view, as DrawOp::surface values.
enum Surface : int { Picture1 = 1, Picture33 = 33, Picture44 = 44 };

/// The field values one redraw reads, converted from the window's texts with
/// the user's locale (a text that is not a number gives 0), and the current
/// scales of the surfaces.
struct Inputs
{
    double H = 0;                          ///< Text13, distance to floor of the array's top
    OneBased<double, 3> dist, len, z1, z2; ///< area n: distance, length, elevations Z1, Z2
    OneBased<double, 16> angle;            ///< the splay angle texts of boxes 1..16
    float SW1 = 121.06f, SH1 = 118.0f;     ///< scale of Picture1
    float SW44 = 178.0f, SH44 = 212.3f;    ///< scale of Picture44
    float SW33 = 177.45f, SH33 = 212.3f;   ///< scale of Picture33
};

/// What one redraw produced besides the state it updated.
struct Redraw
{
    DrawList ops;                    ///< in drawing order, for Picture1/33/44
    QMap<QString, QString> captions; ///< label objectName -> new caption
    QStringList messages;            ///< MsgBox tags raised, in order
};

/// The largest of four numbers; a tie returns the earlier argument.
float GetMaximX(float a, float b, float c, float d);

/// Recomputes the view's extents and redraws everything, in order: extents,
/// `Label59`, audience areas (which clear the surfaces), array and rays, axes.
/// Reads the state's ProjectInputs, writes its SideViewResults, and reads and
/// writes its CarriedValues; the box corners are not touched.
Redraw DibuixarGeneral(const Inputs& in, ProjectState& state, const QLocale& locale);

/// Steps 1 to 4 of the redraw: `alturamax`, `offsetmax` and the `Label59` text.
/// `offsetmax` keeps its value when no areas are in use.
QString computeExtents(const Inputs& in, const ProjectInputs& project, SideViewResults& view);

/// The axes of Picture1 and their five division marks each.
void Pintareixos(const Inputs& in, const ProjectInputs& project, DrawList& ops);

/// How many audience areas are drawn: 1, 2 or 3 for a `seleccio` of 0, 1 or 2.
/// Any other value (a project file may hold any number of areas) draws none
/// and leaves the view's width as it was.
int areasInUse(float seleccio);

/// How many areas the rays are tested against: `seleccio` + 1, and never more
/// than the three that exist.
int areasTested(float seleccio);

/// How many boxes the `numcaixes` index selects: index + 1, none for a negative
/// index, and never more than the sixteen that exist.
int boxesInUse(int numcaixes);

/// Audience areas (one, two or three by `seleccio`): clears the surfaces,
/// draws the segments, sets the line descriptions and the axis labels.
void PintarAreas(const Inputs& in, ProjectState& state, const QLocale& locale, Redraw& out);

/// The array's box fronts; ends by drawing the aiming rays. The locale reads
/// the cumulative box angles that are still texts.
void PintarCaixa(const Inputs& in, ProjectState& state, const QLocale& locale, Redraw& out);

/// The aiming ray of every box in use, cut at the far edge, the floor or an area.
void PintarRaig(const Inputs& in, ProjectState& state, Redraw& out);

/// Mouse position over a surface, in metres (distance, elevation).
struct Readout
{
    double x = 0, y = 0;
};
Readout readoutPicture1(double X, double Y, const Inputs& in, const ProjectInputs& project,
                        const SideViewResults& view);
Readout readoutPicture44(double X, double Y, const Inputs& in, const ProjectInputs& project,
                         const SideViewResults& view);

} // namespace sideview
