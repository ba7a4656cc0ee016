#include "project/gui/UndoHistory.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoCommand>
#include <QWidget>

/// One accepted change: the document before and after it.
class UndoHistory::Step : public QUndoCommand
{
public:
    Step(UndoHistory& history, DocumentSnapshot before, DocumentSnapshot after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_history.show(m_before); }
    void redo() override
    {
        // Pushing the step redoes it: the document is already there.
        if (m_done)
            m_history.show(m_after);
        m_done = true;
    }

private:
    UndoHistory& m_history;
    DocumentSnapshot m_before;
    DocumentSnapshot m_after;
    bool m_done = false;
};

UndoHistory::UndoHistory(ProjectDocument& document, QObject* parent)
    : QObject(parent), m_doc(document), m_current(document.snapshot())
{
    connect(&m_doc, &ProjectDocument::edited, this, &UndoHistory::recordEdit);
    connect(&m_doc, &ProjectDocument::loaded, this, &UndoHistory::reset);
    connect(&m_doc, &ProjectDocument::saved, &m_stack, &QUndoStack::setClean);
    connect(&m_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

UndoHistory::~UndoHistory()
{
    // The stack clears itself as it goes: that is no change of the project.
    disconnect(&m_stack, nullptr, this, nullptr);
}

bool UndoHistory::hasPendingEdit() const
{
    return !sameProject(m_doc.data(), m_current.data);
}

void UndoHistory::reset()
{
    m_stack.clear();
    m_current = m_doc.snapshot();
}

void UndoHistory::recordEdit()
{
    if (!hasPendingEdit())
        return;
    DocumentSnapshot now = m_doc.snapshot();
    DocumentSnapshot before = std::exchange(m_current, now);
    m_stack.push(new Step(*this, std::move(before), std::move(now)));
}

void UndoHistory::show(const DocumentSnapshot& snapshot)
{
    m_doc.restore(snapshot);
    m_current = m_doc.snapshot();
}

QList<QKeySequence> UndoHistory::undoKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

QList<QKeySequence> UndoHistory::redoKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}

void UndoHistory::routeKeys(QWidget* window)
{
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    for (QComboBox* list : window->findChildren<QComboBox*>())
        list->installEventFilter(this);
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    if ((undoKeys().contains(pressed) || redoKeys().contains(pressed)) && !hasPendingEdit())
        return true; // not taken by the field: the shortcut fires
    return QObject::eventFilter(watched, event);
}

QString projectWindowTitle(const QString& caption, const QString& filePath, bool modified)
{
    const QString mark = modified ? QStringLiteral("*") : QString();
    if (filePath.isEmpty())
        return caption + mark;
    return QFileInfo(filePath).fileName() + mark + QStringLiteral(" - ") + caption;
}
