#include "project/gui/Quit.h"

#include "platform/gui/WindowLook.h"
#include "project/ProjectDocument.h"

#include <QLabel>
#include <QPushButton>

Quit::Quit(ProjectDocument& document, Languages& languages, std::function<void()> endProgram,
           QWidget* owner)
    : QDialog(owner), m_doc(document), m_languages(languages), m_endProgram(std::move(endProgram))
{
    setObjectName(QStringLiteral("Quit"));
    setWindowTitle(QStringLiteral("Exit"));
    setModal(true);
    useDesignFont(this);
    setFixedSize(tw(4800), tw(1560));

    m_label1 = make<QLabel>(this, QStringLiteral("Label1"), twRect(240, 240, 4320, 375));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setText(QStringLiteral("Really want to quit without saving?"));
    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"), twRect(240, 840, 1215, 375));
    m_command1->setText(QStringLiteral("Ok"));
    m_command3 = make<QPushButton>(this, QStringLiteral("Command3"), twRect(1800, 840, 1215, 375));
    m_command3->setText(QStringLiteral("Save"));
    m_command2 = make<QPushButton>(this, QStringLiteral("Command2"), twRect(3345, 840, 1215, 375));
    m_command2->setText(QStringLiteral("Cancel"));
    // Enter answers Cancel: nothing is lost by a stray key.
    m_command2->setDefault(true);

    connect(m_command1, &QPushButton::clicked, this, &Quit::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Quit::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Quit::Command3_Click);
    relabel();
}

void Quit::Command1_Click()
{
    hide();
    if (m_endProgram)
        m_endProgram();
}

void Quit::Command2_Click()
{
    m_doc.cancelQuit();
    hide();
}

void Quit::Command3_Click()
{
    emit saveRequested();
}

void Quit::reject()
{
    Command2_Click();
}

void Quit::relabel()
{
    m_label1->setText(m_languages.GetLabel(QStringLiteral("Quit"), QStringLiteral("Label1")));
    m_command3->setText(m_languages.GetLabel(QStringLiteral("Quit"), QStringLiteral("Command3")));
    m_command2->setText(m_languages.GetLabel(QStringLiteral("Generic"), QStringLiteral("Cancel")));
    settleCaptions(this);
}
