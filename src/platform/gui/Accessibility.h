#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

/// Accessible names of the input controls. A control is named after the captions
/// the user reads beside it ("Box 3", "Area 2 Elevation Z1"), in the language the
/// window shows, so that screen readers and tests driving the window as a user
/// does can tell the controls apart.
namespace a11y {

/// Makes `caption` the label of `control` (its buddy, so the label's mnemonic and
/// assistive tools lead to the control) and names the control after the titles
/// of `frames`, in this order, followed by the label's text.
void labelFor(QLabel* caption, QWidget* control, const QList<QWidget*>& frames = {});

/// Names `control` after `captions` (labels or frames, their whole texts joined
/// by a space) followed by `tail`, for a control without a label of its own.
void nameAfter(QWidget* control, const QList<QWidget*>& captions, const QString& tail = {});

/// The name `control` takes from its captions as they read now; empty when it has none.
QString nameFromCaptions(const QWidget* control);

/// Gives every control of `window` that has captions the name they make now.
/// Call it after the captions were set, every time they are set.
void applyNames(QWidget* window);

} // namespace a11y
