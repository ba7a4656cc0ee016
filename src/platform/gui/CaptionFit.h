#pragma once

#include <QRect>
#include <QString>

class QWidget;

/// Captions are the texts of labels, buttons and frame titles. The windows are laid
/// out at fixed positions, so a caption that is too long for its place in some
/// language must not spill over its neighbours or be cut at a frame border:
/// it is shortened with an ellipsis and its whole text becomes its tool tip and
/// its accessible name.

/// Shortens every caption of `window` and of its children that does not fit its
/// room, and gives the whole text back to those that fit again. Call it after the
/// captions were set, every time they are set.
void fitCaptions(QWidget* window);

/// Fits one caption widget (a QLabel, QAbstractButton or QGroupBox); others are left alone.
void fitCaption(QWidget* caption);

/// The whole text of a caption as it was last set, even while it is shown shortened.
QString fullCaption(const QWidget* caption);

/// Whether the caption's text is shown shortened now.
bool isCaptionShortened(const QWidget* caption);

/// The room, in the caption widget's own coordinates, where its text is drawn:
/// the label's contents, the button's contents, the frame's title line.
QRect captionRoom(const QWidget* caption);
