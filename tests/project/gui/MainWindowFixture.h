#pragma once

#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "project/gui/Principal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

/// The main window over a new project in English, shown only when a test shows it.
class MainWindowTest : public ::testing::Test
{
protected:
    QLineEdit* text(int n) { return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QComboBox* combo(const char* name) { return window.findChild<QComboBox*>(name); }
    /// The angle list of box `index` + 1.
    QComboBox* angle(int index) { return window.findChildren<QComboBox*>("Combo3").at(index); }
    bool loadDemo() { return doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")); }
    /// Text typed into a field, which is then left if the field takes it.
    void enter(Control field, const QString& text)
    {
        doc.setText(field, text);
        if (doc.validateField(field))
            doc.leaveField(field);
    }
    /// Chooses an item of a list as the user does.
    static void choose(QComboBox* c, int index)
    {
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    /// Gives `w` the focus and waits until it has it.
    static void focus(QWidget* w)
    {
        w->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->hasFocus(); }));
    }
    /// `typed` typed over all the field's (or editable list's) text.
    static void typeOver(QWidget* w, const char* typed)
    {
        focus(w);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, typed);
    }
    void showWindow()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    Languages languages{QStringLiteral(SPLMAP_LANGUAGES_DIR)};
    CapturingSink messages;
    ProjectDocument doc{
        messages, [this](const QString& s, const QString& t) { return languages.GetLabel(s, t); }};
    Principal window{doc, languages, languageId::English};
};
