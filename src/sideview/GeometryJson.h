#pragma once

#include "project/data/ProjectState.h"
#include "sideview/SideView.h"

#include <QByteArray>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>

namespace sideview {

/// The geometry of the last side-view redraw as one JSON object: the extents,
/// the axis captions, the surface scales, the selection, the array, the area
/// and ray results and the messages raised, for comparing one redraw with
/// another. Reals are the stored singles with 9 significant digits, or the
/// strings "inf", "-inf" and "nan" for values that are not finite; array entry
/// k - 1 belongs to box or area k. The text ends with one newline. A caption missing from
/// `captions` is written as the label's design caption. The locale reads box angles held as text.
QByteArray geometryJson(const ProjectState& state, const QMap<QString, QString>& captions,
                        const QStringList& messages, const Inputs& scales,
                        const QLocale& locale = QLocale());

} // namespace sideview
