#pragma once

#include "platform/DrawList.h"

#include <QColor>
#include <QRectF>

class QPainter;

/// Replays the operations of `list` that belong to `surface` onto any painter
/// as shapes rather than pixels (for a PDF or a printer), the scale's extent
/// (0, 0) - (`scaleWidth`, `scaleHeight`) filling `target`. Line widths and
/// point sizes count `pixel` painter units per pixel of the window's surface,
/// so the picture keeps the proportions of the screen. Clear fills `target`
/// with `background`.
void replayVector(QPainter& painter, const DrawList& list, int surface, const QRectF& target,
                  double scaleWidth, double scaleHeight, double pixel,
                  QColor background = Qt::white);
