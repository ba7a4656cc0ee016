#include "mechanical/gui/Feat.h"

#include "platform/gui/Accessibility.h"
#include "platform/gui/WindowLook.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// One figure of a frame: its caption on the left, its read-only value on the right.
void addFigure(QGroupBox* frame, int number, const QString& caption, int top)
{
    auto* label =
        make<QLabel>(frame, QStringLiteral("Label%1").arg(number), twRect(240, top, 2220, 285));
    label->setText(caption);
    auto* value =
        make<QLineEdit>(frame, QStringLiteral("Text%1").arg(number), twRect(2520, top, 975, 285));
    value->setText(QStringLiteral("0"));
    value->setReadOnly(true);
    a11y::labelFor(label, value);
}

} // namespace

Feat::Feat(Languages& languages, QWidget* owner) : QDialog(owner), m_languages(languages)
{
    setObjectName(QStringLiteral("Feat"));
    setWindowTitle(QStringLiteral("Technical Features"));
    setModal(true);
    useDesignFont(this);
    useWhiteBackground(this);
    setFixedSize(tw(4695), tw(4215));

    auto* frame1 = make<QGroupBox>(this, QStringLiteral("Frame1"), twRect(480, 480, 3735, 1575));
    frame1->setTitle(QStringLiteral("Geometric Data"));
    addFigure(frame1, 1, QStringLiteral("Overall Depth of Array (m)"), 360);
    addFigure(frame1, 2, QStringLiteral("Overall Height of Array (m)"), 720);
    addFigure(frame1, 3, QStringLiteral("Bottom Elevation (m)"), 1080);

    auto* frame2 = make<QGroupBox>(this, QStringLiteral("Frame2"), twRect(480, 2280, 3735, 855));
    frame2->setTitle(QStringLiteral("Mechanical Data"));
    addFigure(frame2, 4, QStringLiteral("Array Weight (kg)"), 360);

    auto* close =
        make<QPushButton>(this, QStringLiteral("Command2"), twRect(1680, 3360, 1215, 375));
    close->setText(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    relabel();
}

Feat::~Feat() = default;

void Feat::relabel()
{
    const QString section = QStringLiteral("Feat");
    for (const char* name : {"Frame1", "Frame2"}) {
        const QString n = QString::fromLatin1(name);
        findChild<QGroupBox*>(n)->setTitle(m_languages.GetLabel(section, n));
    }
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        const QString n = QString::fromLatin1(name);
        findChild<QLabel*>(n)->setText(m_languages.GetLabel(section, n));
    }
    settleCaptions(this);
}
