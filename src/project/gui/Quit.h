#pragma once

#include "i18n/Languages.h"

#include <QDialog>
#include <functional>

class ProjectDocument;
class QLabel;
class QPushButton;

/// The question before the program ends: Ok ends it at once, Save saves the
/// project and asks again, Cancel keeps the program running. Closing the
/// question by its frame or with Escape is Cancel too.
class Quit : public QDialog
{
    Q_OBJECT
public:
    /// Builds the window hidden, with its captions from `languages` (which
    /// must hold a language). `endProgram` ends the program without any
    /// further question or event; the owner shows the window modally.
    Quit(ProjectDocument& document, Languages& languages, std::function<void()> endProgram,
         QWidget* owner);

    /// Ok: ends the program.
    void Command1_Click();
    /// Cancel: the closing sequence stays open from now on; hides the window.
    void Command2_Click();
    /// Save: asks for the project to be saved; the question stays open.
    void Command3_Click();

    /// Re-reads the captions from the current language.
    void relabel();

signals:
    /// Save was pressed: the owner saves the project now.
    void saveRequested();

protected:
    void reject() override;

private:
    ProjectDocument& m_doc;
    Languages& m_languages;
    std::function<void()> m_endProgram;
    QLabel* m_label1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
};
