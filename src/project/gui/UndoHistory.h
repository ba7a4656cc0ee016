#pragma once

#include "project/ProjectDocument.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QUndoStack>

class QWidget;

/// The undo history of a project document: every accepted change of the
/// project is one step holding the document as it stood before and after,
/// so that undo shows exactly the project, lists and side view of before the
/// change and redo those of after it. A load starts a clean history, a save
/// marks the current step as the saved one.
class UndoHistory : public QObject
{
    Q_OBJECT
public:
    explicit UndoHistory(ProjectDocument& document, QObject* parent = nullptr);
    ~UndoHistory() override;

    QUndoStack& stack() { return m_stack; }
    const QUndoStack& stack() const { return m_stack; }

    void undo() { m_stack.undo(); }
    void redo() { m_stack.redo(); }
    /// Whether the project differs from the one last loaded or saved (or,
    /// never saved, from the start).
    bool isModified() const { return !m_stack.isClean(); }
    /// Whether a field holds typed text that no accepted change took yet.
    bool hasPendingEdit() const;
    /// Forgets every step and starts from the document as it stands, as a new
    /// or loaded project does.
    void reset();

    /// Lets the undo and redo keys reach the history while a field or list of
    /// `window` has the focus and holds no pending edit (a field would take
    /// them for its own text otherwise).
    void routeKeys(QWidget* window);
    /// The keys of undo and of redo.
    static QList<QKeySequence> undoKeys();
    static QList<QKeySequence> redoKeys();

signals:
    void modifiedChanged(bool modified);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Step;
    void recordEdit();
    void show(const DocumentSnapshot& snapshot);

    ProjectDocument& m_doc;
    QUndoStack m_stack;
    DocumentSnapshot m_current; ///< the document after the last accepted change
};

/// The main window's title: the program's caption, after the project file's
/// name and a "*" while the project is modified ("name* - caption"); a project
/// with no file yet shows the caption alone, with the "*" after it.
QString projectWindowTitle(const QString& caption, const QString& filePath, bool modified);
