#pragma once

#include "i18n/Languages.h"

#include <QDialog>

class QPushButton;

/// The information window: the program's name and version, what it is for,
/// and two pictures it draws itself. Close hides it; the side view it
/// covered then wants a redraw.
class Infor : public QDialog
{
    Q_OBJECT
public:
    /// Builds the window hidden, with its captions from `languages` (which
    /// must hold a language). The owner shows it modally.
    Infor(Languages& languages, QWidget* owner);

    /// Close: hides the window and asks for the side view's redraw.
    void Command1_Click();

    /// Re-reads the captions from the current language.
    void relabel();

signals:
    /// Close was pressed; the side view under the window wants a redraw.
    void closedByButton();

private:
    Languages& m_languages;
    QPushButton* m_command1 = nullptr;
};
