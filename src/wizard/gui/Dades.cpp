#include "wizard/gui/Dades.h"

#include "files/ProjectFile.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/WindowLook.h"
#include "project/data/BoxModel.h"
#include "project/ProjectDocument.h"
#include "project/gui/FieldValidation.h"
#include "wizard/NewProject.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QValidator>

namespace {

/// A name field refuses what a project file cannot hold, as the main window's does.
class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return projectfile::canHold(input) ? Acceptable : Invalid;
    }
};

QLabel* makeLabel(QWidget* parent, int number, const QString& caption, QRect geometry)
{
    auto* l = make<QLabel>(parent, QStringLiteral("Label%1").arg(number), geometry);
    l->setText(caption);
    return l;
}

QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& items,
                    const QString& shown, QRect geometry)
{
    auto* c = make<QComboBox>(parent, name, geometry);
    c->addItems(items);
    // Before any choice the list shows its design text, as plainly as an item.
    c->setPlaceholderText(shown);
    QPalette p = c->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::PlaceholderText, p.color(group, QPalette::ButtonText));
    c->setPalette(p);
    c->setCurrentIndex(-1);
    c->setMaxVisibleItems(16);
    return c;
}

// Where each caption of this window comes from: the main window's section, by tag.
struct Caption
{
    const char* name;
    const char* tag;
};
constexpr Caption kLabels[] = {
    {"Label1", "Label43"},  {"Label2", "Label57"}, {"Label3", "Frame10"}, {"Label15", "Label15"},
    {"Label14", "Label14"}, {"Label4", "Label1"},  {"Label8", "Label2"},  {"Label12", "Label2"},
    {"Label18", "Label2"},  {"Label5", "Label5"},  {"Label9", "Label5"},  {"Label13", "Label5"},
    {"Label7", "Label3"},   {"Label11", "Label3"}, {"Label17", "Label3"}, {"Label6", "Label4"},
    {"Label10", "Label4"},  {"Label16", "Label4"},
};
constexpr const char* kFrames[] = {"Frame1", "Frame3", "Frame4"};

} // namespace

Dades::Dades(ProjectDocument& document, Languages& languages, QWidget* owner, Creation creation)
    : QDialog(owner), m_doc(document), m_languages(languages)
{
    setObjectName(QStringLiteral("Dades"));
    setWindowTitle(QStringLiteral("DATA"));
    setModal(true);
    useDesignFont(this);
    buildLayout();

    const auto areaField = [](QLineEdit* f) { return f->objectName().mid(4).toInt(); };
    m_validation = new FieldValidation(
        this, [this](QLineEdit* f) { return m_doc.validateText(f->text()); },
        [this, areaField](QLineEdit* f) { wizard::copyAreaField(m_doc, areaField(f), f->text()); });
    m_validation->addField(text(13));
    for (int n : wizard::kAreaFields)
        m_validation->addField(text(n));

    connect(m_combo3, &QComboBox::activated, this, &Dades::Combo3_Click);
    connect(m_command1, &QPushButton::clicked, this, &Dades::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Dades::Command2_Click);

    Form_Load(creation);
    relabel();
    text(1)->setFocus(Qt::OtherFocusReason);
}

Dades::~Dades() = default;

void Dades::buildLayout()
{
    setFixedSize(480, 338);

    auto* heading = makeLabel(this, 19, QStringLiteral("SPL Mapping Wizard"), {12, 8, 456, 26});
    QFont big = heading->font();
    big.setPixelSize(16);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    // Project and customer.
    const std::pair<int, const char*> names[] = {{1, "Project:"}, {2, "Customer:"}};
    for (int row = 0; row < 2; ++row) {
        const auto [n, caption] = names[row];
        const int y = 42 + row * 26;
        QLabel* l = makeLabel(this, n, QString::fromLatin1(caption), {12, y + 3, 66, 16});
        auto* t = make<QLineEdit>(this, QStringLiteral("Text%1").arg(n), {80, y, 388, 20});
        t->setValidator(new StorableTextValidator(t));
        a11y::labelFor(l, t);
    }

    // The array: each caption above its control.
    QStringList boxes;
    for (int i = 1; i <= 16; ++i)
        boxes << QString::number(i);
    const int top = 100;
    QLabel* l3 = makeLabel(this, 3, QStringLiteral("Model:"), {12, top, 110, 14});
    m_combo1 = makeList(this, QStringLiteral("Combo1"), {boxModel(0).display, boxModel(1).display},
                        boxModel(0).display, {12, top + 16, 93, 22});
    a11y::labelFor(l3, m_combo1);
    QLabel* l15 = makeLabel(this, 15, QStringLiteral("Distance to floor"), {128, top, 110, 14});
    auto* t13 = make<QLineEdit>(this, QStringLiteral("Text13"), {128, top + 17, 64, 20});
    a11y::labelFor(l15, t13);
    QLabel* l14 = makeLabel(this, 14, QStringLiteral("Num. of Boxes"), {244, top, 110, 14});
    m_combo2 = makeList(this, QStringLiteral("Combo2"), boxes, QStringLiteral("0"),
                        {244, top + 16, 64, 22});
    a11y::labelFor(l14, m_combo2);
    QLabel* l4 = makeLabel(this, 4, QStringLiteral("Number of Areas"), {360, top, 108, 14});
    m_combo3 = makeList(this, QStringLiteral("Combo3"), {"1", "2", "3"}, QStringLiteral("1"),
                        {360, top + 16, 50, 22});
    a11y::labelFor(l4, m_combo3);

    // The three areas; rows distance, length, Z1, Z2 as in the main window.
    const char* frameName[3] = {"Frame1", "Frame3", "Frame4"};
    const char* frameCaption[3] = {"Area 1", "Area 2", "Area 3"};
    const char* colour[3] = {"#ff0000", "#008000", "#0000ff"};
    const int labelNo[3][4] = {{8, 5, 7, 6}, {12, 9, 11, 10}, {18, 13, 17, 16}};
    const char* rowCaption[4] = {"Distance to Array", "Lenght", "Elevation Z1", "Elevation Z2"};
    for (int a = 0; a < 3; ++a) {
        const QString name = QString::fromLatin1(frameName[a]);
        auto* f = make<QGroupBox>(this, name, {12 + a * 154, 152, 148, 134});
        f->setTitle(QString::fromLatin1(frameCaption[a]));
        f->setStyleSheet(QStringLiteral("QGroupBox#%1 { color: %2; }").arg(name, colour[a]));
        m_areaFrame[static_cast<size_t>(a)] = f;
        for (int row = 0; row < 4; ++row) {
            const int y = 20 + row * 28;
            QLabel* l = makeLabel(f, labelNo[a][row], QString::fromLatin1(rowCaption[row]),
                                  {6, y + 3, 90, 14});
            const int n = wizard::kAreaFields[static_cast<size_t>(4 * a + row)];
            auto* t = make<QLineEdit>(f, QStringLiteral("Text%1").arg(n), {98, y, 42, 20});
            t->setText(QStringLiteral("0"));
            a11y::labelFor(l, t, {f});
            // Areas 2 and 3 wait for their number to be chosen.
            l->setEnabled(a == 0);
            t->setEnabled(a == 0);
        }
    }

    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"), {282, 298, 88, 28});
    m_command1->setText(QStringLiteral("Ok"));
    m_command2 = make<QPushButton>(this, QStringLiteral("Command2"), {380, 298, 88, 28});
    m_command2->setText(QStringLiteral("Cancel"));
    // Enter in a field must not press Ok before the field was left and copied.
    for (QPushButton* b : {m_command1, m_command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    // Cancel may be clicked without the field being left: it resets the
    // project anyway. The keyboard reaches it through the checked Tab.
    m_command2->setFocusPolicy(Qt::TabFocus);
}

QLineEdit* Dades::text(int n) const
{
    return findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
}

QString Dades::listText(const QComboBox* list)
{
    return list->currentIndex() >= 0 ? list->currentText() : list->placeholderText();
}

void Dades::Form_Load(Creation creation)
{
    // The lists were filled when the window was built.
    m_resetOwed = creation != Creation::KeepProject;
    if (creation == Creation::ResetProject)
        finishCreation();
}

void Dades::finishCreation()
{
    if (!m_resetOwed)
        return;
    m_resetOwed = false;
    wizard::resetProject(m_doc, wizard::Reset::Creation, text(1)->text(), text(2)->text());
}

void Dades::Combo3_Click(int index)
{
    const bool area2 = index >= 1;
    const bool area3 = index >= 2;
    m_areaFrame[1]->setEnabled(area2);
    m_areaFrame[2]->setEnabled(area3);
    for (int a = 1; a <= 2; ++a) {
        const bool on = a == 1 ? area2 : area3;
        for (QWidget* w : m_areaFrame[static_cast<size_t>(a)]->findChildren<QWidget*>(
                 QString(), Qt::FindDirectChildrenOnly))
            w->setEnabled(on);
    }
    wizard::chooseAreaCount(m_doc, index);
}

void Dades::Command1_Click()
{
    if (!wizard::hasFloorDistance(m_doc, text(13)->text()))
        return;
    hide();
    wizard::Entries e;
    e.project = text(1)->text();
    e.customer = text(2)->text();
    e.model = listText(m_combo1);
    e.floor = text(13)->text();
    e.boxes = m_combo2->currentIndex();
    e.areas = m_combo3->currentIndex();
    wizard::apply(m_doc, e);
}

void Dades::Command2_Click()
{
    wizard::resetProject(m_doc, wizard::Reset::Cancel);
    hide();
}

void Dades::closeEvent(QCloseEvent* event)
{
    // Closed by its frame: no reset, and the window goes. (Not WA_DeleteOnClose:
    // a modal run would then destroy it after Ok and Cancel too.)
    event->accept();
    deleteLater();
}

void Dades::reject()
{
    close();
}

void Dades::relabel()
{
    const QString section = QStringLiteral("Principal");
    for (const Caption& c : kLabels)
        findChild<QLabel*>(QString::fromLatin1(c.name))
            ->setText(m_languages.GetLabel(section, QString::fromLatin1(c.tag)));
    for (const char* name : kFrames) {
        const QString n = QString::fromLatin1(name);
        findChild<QGroupBox*>(n)->setTitle(m_languages.GetLabel(section, n));
    }
    settleCaptions(this);
}
