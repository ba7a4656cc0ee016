#pragma once

#include "i18n/Languages.h"

#include <QStringList>
#include <QWidget>
#include <array>

class ProjectDocument;
class QLabel;
class QLineEdit;
class QPushButton;
class Surface;

/// The mechanical view: a tool window beside the main window with the angle
/// table of the array, the model and the outline of every box as it hangs.
/// It shows the project document and stores the corners of all boxes in it.
/// Closing it destroys it; the owner creates a new one on the next opening.
class Mecanic : public QWidget
{
    Q_OBJECT
public:
    /// Builds the window hidden and runs its load: the table disabled, the
    /// view computed from `document`, the captions from `languages` (which
    /// must hold a language). Throws LanguageError otherwise.
    Mecanic(ProjectDocument& document, Languages& languages, QWidget* owner);
    ~Mecanic() override;

    /// Recomputes the table, the box corners and the drawing.
    void PintarMecanic();
    /// The model field (`Text3`).
    void setModelText(const QString& key);
    QString modelText() const;
    /// Writes "0" into every splay and cumulative angle field of the table.
    void clearTable();

    /// Row i (0 to 15) of the table: splay angle `Text1`(i), cumulative `Text2`(i).
    QLineEdit* splayField(int i) const { return m_text1[static_cast<size_t>(i)]; }
    QLineEdit* cumulativeField(int i) const { return m_text2[static_cast<size_t>(i)]; }
    Surface* drawing() const { return m_drawing; }

    /// Re-reads the captions from the current language.
    void relabel();

signals:
    /// The Close button closed the window; the side view under it wants a redraw.
    void closedByButton();

private:
    void buildLayout();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    ProjectDocument& m_doc;
    Languages& m_languages;

    std::array<QLabel*, 16> m_label1{};
    std::array<QLineEdit*, 16> m_text1{};
    std::array<QLineEdit*, 16> m_text2{};
    QLabel* m_label2 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    Surface* m_drawing = nullptr;
};
