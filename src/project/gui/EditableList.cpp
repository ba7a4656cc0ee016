#include "project/gui/EditableList.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

EditableList::EditableList(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_leaving)
            emit chosen(index);
    });
}

void EditableList::focusOutEvent(QFocusEvent* event)
{
    // Opening the list, a menu or another window is not leaving the list.
    const Qt::FocusReason reason = event->reason();
    if (isEnabled() && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::MenuBarFocusReason)
        emit left();
    const QScopedValueRollback guard(m_leaving, true);
    QComboBox::focusOutEvent(event);
}

void EditableList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QComboBox::keyPressEvent(event);
        return;
    }
    emit left();
    const QScopedValueRollback guard(m_leaving, true);
    QComboBox::keyPressEvent(event);
}

void EditableList::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
