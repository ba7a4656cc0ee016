#pragma once

#include <QComboBox>

/// A list of the main window whose text can also be typed: it reports an item
/// the user chose (`chosen`) and the moments the typed text is to be applied
/// (`left`: leaving the list, or Enter in it).
///
/// Qt's own editable list picks the item matching the typed text when it is
/// left or Enter is pressed, and reports that as `activated` like a choice.
/// Leaving a list follows the project's rule instead (a text equal to the one
/// last applied changes nothing), so those activations are not reported as
/// choices. The wheel turns the list only while it has the focus.
class EditableList : public QComboBox
{
    Q_OBJECT
public:
    explicit EditableList(QWidget* parent = nullptr);

signals:
    /// An item chosen from the popup, with the arrow keys or with the wheel.
    void chosen(int index);
    /// The focus left the list for another control of the window, or Enter
    /// was pressed in it; reported before the list handles the event itself.
    void left();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool m_leaving = false; ///< handling the event that left the list
};
