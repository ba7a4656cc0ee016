#pragma once

#include "picture/ShownPicture.h"
#include "project/ProjectDocument.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QUndoStack>
#include <deque>
#include <memory>

class QWidget;

/// The undo history of a project document: every accepted change of the
/// project is one step holding the document as it stood before and after,
/// so that undo shows exactly the project, lists and picture of before the
/// change and redo those of after it: the side view, cleared surfaces, or the
/// map painted over it (the maps of the last kKeptMaps pictures are kept; an
/// older one shows its side view alone). A load starts a clean history, a
/// save marks the current step as the saved one.
class UndoHistory : public QObject
{
    Q_OBJECT
public:
    UndoHistory(ProjectDocument& document, picture::ShownPicture& picture,
                QObject* parent = nullptr);
    static constexpr int kKeptMaps = 8;
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
    /// The document and the picture it showed.
    struct Shown
    {
        DocumentSnapshot document;
        picture::ShownPicture::State picture;
    };
    Shown now() const;
    void recordEdit();
    void pictureChanged();
    void show(const Shown& shown);

    ProjectDocument& m_doc;
    picture::ShownPicture& m_picture;
    QUndoStack m_stack;
    Shown m_current;            ///< the document after the last accepted change
    Step* m_lastStep = nullptr; ///< the step that led to m_current, while it is on the stack
    bool m_showing = false;
    std::deque<std::shared_ptr<const picture::SideViewPicture>> m_keptMaps;
};

/// The main window's title: the program's caption, after the project file's
/// name and a "*" while the project is modified ("name* - caption"); a project
/// with no file yet shows the caption alone, with the "*" after it.
QString projectWindowTitle(const QString& caption, const QString& filePath, bool modified);
