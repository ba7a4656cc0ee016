#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class QWidget;

/// The editing behaviour shared by the numeric fields of a window: the whole
/// text is selected when a field gets the focus, `validate` runs before the
/// focus may move to another control of the window (a false result keeps the
/// focus in the field), and `lostFocus` runs after the focus has left it.
///
/// The check runs before the focus moves whenever it can tell (a mouse press
/// on another control, Tab and Backtab), so a refused click never reaches its
/// target; any other way of leaving is checked as the field loses the focus,
/// and a refusal puts the focus back. Focus changes caused by the message box
/// that a check shows, or by another window, never trigger a check.
class FieldValidation : public QObject
{
    Q_OBJECT
public:
    using Check = std::function<bool(QLineEdit*)>;
    using Action = std::function<void(QLineEdit*)>;

    FieldValidation(QWidget* window, Check validate, Action lostFocus);
    ~FieldValidation() override;

    void addField(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* focusedField() const;
    /// Runs the check for a field about to lose the focus; true lets it go.
    bool validateBeforeLeaving(QLineEdit* field);
    QWidget* focusTargetAt(QWidget* child) const;

    QWidget* m_window;
    Check m_validate;
    Action m_lostFocus;
    QList<QLineEdit*> m_fields;
    QPointer<QLineEdit> m_passed;    ///< checked and allowed to leave, awaiting its focus-out
    QPointer<QLineEdit> m_restoring; ///< refused, its focus is being given back
    bool m_busy = false;
};
