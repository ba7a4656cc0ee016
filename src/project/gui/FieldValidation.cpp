#include "project/gui/FieldValidation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

FieldValidation::FieldValidation(QWidget* window, Check validate, Action lostFocus)
    : QObject(window), m_window(window), m_validate(std::move(validate)),
      m_lostFocus(std::move(lostFocus))
{
    qApp->installEventFilter(this);
}

FieldValidation::~FieldValidation()
{
    qApp->removeEventFilter(this);
}

void FieldValidation::addField(QLineEdit* field)
{
    m_fields.append(field);
}

QLineEdit* FieldValidation::focusedField() const
{
    auto* f = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return m_fields.contains(f) ? f : nullptr;
}

bool FieldValidation::validateBeforeLeaving(QLineEdit* field)
{
    m_busy = true;
    const bool ok = m_validate(field);
    m_busy = false;
    if (ok)
        m_passed = field;
    return ok;
}

QWidget* FieldValidation::focusTargetAt(QWidget* child) const
{
    for (QWidget* w = child; w && w != m_window; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus))
            return w;
    }
    return nullptr;
}

bool FieldValidation::eventFilter(QObject* watched, QEvent* event)
{
    if (m_busy)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // Real clicks reach the window before any widget, and before the focus moves.
        auto* window = qobject_cast<QWindow*>(watched);
        QLineEdit* field = focusedField();
        if (!window || !field || window != m_window->windowHandle())
            return false;
        const auto* me = static_cast<QMouseEvent*>(event);
        QWidget* child = m_window->childAt(m_window->mapFromGlobal(me->globalPosition()).toPoint());
        QWidget* target = focusTargetAt(child);
        if (!target || target == field || field->isAncestorOf(target))
            return false;
        return !validateBeforeLeaving(field);
    }
    case QEvent::KeyPress: {
        const auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() != Qt::Key_Tab && ke->key() != Qt::Key_Backtab)
            return false;
        QLineEdit* field = focusedField();
        if (!field || watched != field)
            return false;
        return !validateBeforeLeaving(field);
    }
    case QEvent::FocusIn: {
        auto* field = qobject_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (field && field == m_restoring)
            m_restoring = nullptr;
        // However the focus arrives, the window's activation included; only the
        // return from a context menu keeps the user's selection.
        if (!m_fields.contains(field) || reason == Qt::PopupFocusReason)
            return false;
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, field, [field] { field->selectAll(); });
        return false;
    }
    case QEvent::FocusOut: {
        auto* field = qobject_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_fields.contains(field) || reason == Qt::ActiveWindowFocusReason ||
            reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
            return false;
        QWidget* now = QApplication::focusWidget();
        if (m_restoring || (now && now->window() != m_window))
            return false;
        if (m_passed != field && !validateBeforeLeaving(field)) {
            // Refused: the focus goes back once this focus change is over; until
            // then no other field is checked, so two bad fields can't take turns.
            m_restoring = field;
            QTimer::singleShot(0, field, [field] { field->setFocus(Qt::OtherFocusReason); });
            return false;
        }
        m_passed = nullptr;
        m_busy = true;
        m_lostFocus(field);
        m_busy = false;
        return false;
    }
    default:
        return false;
    }
}
