#pragma once

#include "i18n/Languages.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// The technical features window: overall dimensions and weight of the array.
/// Nothing computes its figures yet, so they read "0"; it takes part in the
/// re-labelling like every window but the program never shows it.
class Feat : public QDialog
{
    Q_OBJECT
public:
    /// Builds the window hidden, with its captions from `languages` (which must
    /// hold a language). Throws LanguageError otherwise.
    Feat(Languages& languages, QWidget* owner);
    ~Feat() override;

    /// Re-reads the captions from the current language.
    void relabel();

private:
    Languages& m_languages;
};
