// The main window's commands: the menu items that open other windows, the
// keyboard shortcuts of the File menu, and the closing sequence.

#include "project/gui/Principal.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>

void Principal::connectCommands()
{
    auto action = [this](const char* name) {
        return findChild<QAction*>(QString::fromLatin1(name));
    };
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"New", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"Load", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"PrintData", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto& [name, keys] : shortcuts)
        action(name)->setShortcut(keys);

    connect(action("Exit"), &QAction::triggered, this, &Principal::exitRequested);
    connect(action("MenuLanguage"), &QAction::triggered, this, &Principal::languageWindowRequested);
    connect(action("Info"), &QAction::triggered, this, &Principal::infoRequested);
}

bool Principal::Form_QueryUnload()
{
    emit exitRequested();
    if (m_doc.state().ProgCancel) {
        // The question covered the side view.
        m_doc.DibuixarGeneral();
        return false;
    }
    return true;
}

void Principal::closeEvent(QCloseEvent* event)
{
    if (Form_QueryUnload())
        event->accept();
    else
        event->ignore();
}
