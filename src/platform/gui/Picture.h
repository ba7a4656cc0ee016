#pragma once

#include "platform/DrawList.h"

#include <QRect>
#include <QString>

class QWidget;
class Surface;

/// A picture control the program draws itself: a borderless surface at
/// `geometry` whose scale is its size in pixels, showing `ops` (surface 0).
/// Windows use it for their decorative images.
Surface* makePicture(QWidget* parent, const QString& name, QRect geometry, const DrawList& ops);
