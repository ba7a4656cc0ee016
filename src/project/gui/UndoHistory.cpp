#include "project/gui/UndoHistory.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QWidget>
#include <algorithm>

/// One accepted change: the document before and after it.
class UndoHistory::Step : public QUndoCommand
{
public:
    Step(UndoHistory& history, Shown before, Shown after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override
    {
        m_history.show(m_before);
        m_history.m_lastStep = nullptr;
    }
    void redo() override
    {
        // Pushing the step redoes it: the document is already there.
        if (m_done)
            m_history.show(m_after);
        m_done = true;
        m_history.m_lastStep = this;
    }
    /// A map painted after the change is part of what it showed.
    void setAfterPicture(const picture::ShownPicture::State& picture) { m_after.picture = picture; }

private:
    UndoHistory& m_history;
    Shown m_before;
    Shown m_after;
    bool m_done = false;
};

UndoHistory::UndoHistory(ProjectDocument& document, picture::ShownPicture& picture, QObject* parent)
    : QObject(parent), m_doc(document), m_picture(picture)
{
    m_current = now();
    connect(&m_picture, &picture::ShownPicture::changed, this, &UndoHistory::pictureChanged);
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
    return !sameProject(m_doc.data(), m_current.document.data);
}

UndoHistory::Shown UndoHistory::now() const
{
    return {m_doc.snapshot(), m_picture.state()};
}

void UndoHistory::reset()
{
    m_lastStep = nullptr;
    m_stack.clear();
    m_current = now();
}

void UndoHistory::recordEdit()
{
    if (!hasPendingEdit())
        return;
    Shown after = now();
    Shown before = std::exchange(m_current, after);
    auto* step = new Step(*this, std::move(before), std::move(after));
    m_stack.push(step);
}

void UndoHistory::pictureChanged()
{
    if (m_showing || hasPendingEdit())
        return; // an edit under way: its step records the picture
    // A map painted (or the surfaces cleared) over the current project.
    m_current.picture = m_picture.state();
    if (m_lastStep)
        m_lastStep->setAfterPicture(m_current.picture);
    if (const auto& map = m_picture.mapPicture();
        map && std::find(m_keptMaps.begin(), m_keptMaps.end(), map) == m_keptMaps.end()) {
        m_keptMaps.push_back(map);
        if (std::ssize(m_keptMaps) > kKeptMaps)
            m_keptMaps.pop_front();
    }
}

void UndoHistory::show(const Shown& shown)
{
    {
        const QScopedValueRollback guard(m_showing, true);
        m_doc.restore(shown.document);
        m_picture.restore(shown.picture);
    }
    m_current = now();
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
