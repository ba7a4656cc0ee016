#include "mechanical/gui/Mecanic.h"

#include "mechanical/Mechanical.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/ProjectDocument.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 4410;
constexpr int kClientHeight = 9135;
constexpr int kRowTop = 480;
constexpr int kRowPitch = 240;

} // namespace

Mecanic::Mecanic(ProjectDocument& document, Languages& languages, QWidget* owner)
    : QWidget(owner, Qt::Tool), m_doc(document), m_languages(languages)
{
    setObjectName(QStringLiteral("Mecanic"));
    setWindowTitle(QStringLiteral("Mechanical View"));
    setAttribute(Qt::WA_DeleteOnClose);
    useDesignFont(this);
    useWhiteBackground(this);

    buildLayout();
    Form_Load();

    connect(m_command1, &QPushButton::clicked, this, &Mecanic::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Mecanic::Command2_Click);
}

Mecanic::~Mecanic() = default;

void Mecanic::buildLayout()
{
    setFixedSize(tw(kClientWidth), tw(kClientHeight));

    // The drawing spans the whole window, under the controls; its outlines lie
    // to the right of the table.
    const QSize client(tw(kClientWidth), tw(kClientHeight));
    m_drawing = new Surface(QStringLiteral("MecanicDrawing"), client + QSize(4, 4),
                            mechanical::kScaleWidth, mechanical::kScaleHeight, this);
    m_drawing->setFrameStyle(QFrame::NoFrame);
    m_drawing->setLineWidth(0);
    m_drawing->setGeometry(QRect(QPoint(0, 0), client));

    // A row is 240 twips high; the fields take the row's height so that they
    // do not overlap.
    const int rowHeight = tw(kRowPitch);
    for (int i = 0; i < 16; ++i) {
        const int top = kRowTop + kRowPitch * i;
        auto* label =
            make<QLabel>(this, QStringLiteral("Label1"), twRect(480, top, i < 9 ? 255 : 375, 255));
        label->setText(QStringLiteral("B%1").arg(i + 1));
        m_label1[static_cast<size_t>(i)] = label;

        auto* splay = make<QLineEdit>(this, QStringLiteral("Text1"),
                                      QRect(tw(840), tw(top), tw(495), rowHeight));
        splay->setText(QStringLiteral("0"));
        m_text1[static_cast<size_t>(i)] = splay;

        auto* cumulative = make<QLineEdit>(this, QStringLiteral("Text2"),
                                           QRect(tw(1320), tw(top), tw(495), rowHeight));
        cumulative->setText(QStringLiteral("0"));
        m_text2[static_cast<size_t>(i)] = cumulative;

        // Nothing reads the table back: it only shows the angles.
        splay->setReadOnly(true);
        cumulative->setReadOnly(true);
    }

    m_label2 = make<QLabel>(this, QStringLiteral("Label2"), twRect(480, 4440, 735, 255));
    m_label2->setText(QStringLiteral("Model :"));
    m_text3 = make<QLineEdit>(this, QStringLiteral("Text3"), twRect(1200, 4440, 615, 285));
    m_text3->setText(QStringLiteral("TS250"));
    m_text3->setReadOnly(true);
    a11y::labelFor(m_label2, m_text3);

    m_command2 = make<QPushButton>(this, QStringLiteral("Command2"), twRect(480, 8040, 1335, 375));
    m_command2->setText(QStringLiteral("Refresh"));
    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"), twRect(480, 8520, 1335, 375));
    m_command1->setText(QStringLiteral("Close"));
}

void Mecanic::Form_Load()
{
    for (int i = 0; i < 16; ++i) {
        m_text1[static_cast<size_t>(i)]->setEnabled(false);
        m_text2[static_cast<size_t>(i)]->setEnabled(false);
    }
    PintarMecanic();
    relabel();
}

void Mecanic::PintarMecanic()
{
    const mechanical::View view = m_doc.PintarMecanic();

    for (size_t i = 0; i < 16; ++i) {
        const bool inUse = i < view.rows.size();
        m_text1[i]->setEnabled(inUse);
        m_text2[i]->setEnabled(inUse);
        if (inUse) {
            m_text1[i]->setText(view.rows[i].splay);
            m_text2[i]->setText(view.rows[i].cumulative);
        }
    }
    m_drawing->replay(view.ops, mechanical::kSurface);
    if (view.modelKey)
        m_text3->setText(*view.modelKey);
}

void Mecanic::setModelText(const QString& key)
{
    m_text3->setText(key);
}

QString Mecanic::modelText() const
{
    return m_text3->text();
}

void Mecanic::clearTable()
{
    for (size_t i = 0; i < 16; ++i) {
        m_text1[i]->setText(QStringLiteral("0"));
        m_text2[i]->setText(QStringLiteral("0"));
    }
}

void Mecanic::relabel()
{
    m_label2->setText(m_languages.GetLabel(QStringLiteral("Principal"), QStringLiteral("Frame10")));
    m_command2->setText(
        m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Command2")));
    m_command1->setText(
        m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Command1")));
    // The table's columns have no caption on the window; their names are for
    // assistive tools only.
    const QString splay = m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Text1"));
    const QString total = m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Text2"));
    for (size_t i = 0; i < 16; ++i) {
        a11y::nameAfter(m_text1[i], {m_label1[i]}, splay);
        a11y::nameAfter(m_text2[i], {m_label1[i]}, total);
    }
    settleCaptions(this);
}

void Mecanic::Command1_Click()
{
    close();
    emit closedByButton();
}

void Mecanic::Command2_Click()
{
    PintarMecanic();
}
