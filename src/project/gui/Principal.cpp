#include "project/gui/Principal.h"

#include "i18n/Languages.h"
#include "mechanical/gui/Feat.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/Messages.h"
#include "platform/Numbers.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/BoxModel.h"
#include "project/Editing.h"
#include "project/gui/FieldValidation.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kCaption = "TS160 / TS250 SPL Mapping Software";

/// Enter in the height field: handled as the key goes by, never swallowed.
class EnterKeyWatcher : public QObject
{
public:
    EnterKeyWatcher(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), m_onEnter(std::move(onEnter))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_onEnter();
        }
        return false;
    }

private:
    std::function<void()> m_onEnter;
};

} // namespace

Principal::Principal(Languages& languages, MessageSink& messages, int userLanguage, QWidget* parent)
    : QMainWindow(parent), m_languages(languages), m_messages(messages)
{
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QString::fromLatin1(kCaption));
    useDesignFont(this);
    buildLayout();
    buildMenus();

    // Language start-up: English first, then the user's language.
    m_languages.registerWindow(this);
    m_languages.ApplyLanguage(languageId::English);
    m_languages.ApplyLanguage(userLanguage);

    Form_Load();
    connectHandlers();
    // The other windows exist from the start, hidden.
    m_feat = new Feat(m_languages, this);
    mechanicalView();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Principal::~Principal()
{
    m_languages.unregisterWindow(this);
}

void Principal::Form_Load()
{
    m_state.pi = 3.1415167f;
    m_state.IniciEixX = 18;
    m_state.IniciEixY = 110;
    for (int j = 1; j <= 16; ++j) {
        m_state.box[j] = BoxValue::number(0);
        m_state.LastAngle[j] = 0;
    }

    m_combo1->addItems({"1", "2", "3"});
    for (int i = 1; i <= 16; ++i)
        m_combo2->addItem(QString::number(i));
    const QLocale locale;
    for (QComboBox* c : m_combo3)
        c->addItems(startAngleList(locale));
    m_combo3[0]->clear();
    m_combo3[0]->addItems(firstBoxAngleList());

    // Texts with no item selected. The height is the window's design text, so
    // setting it is not an edit.
    for (int i = 1; i <= 12; ++i)
        m_text[i]->setText(QStringLiteral("0"));
    m_text[13]->setText(QStringLiteral("3"));
    m_text[14]->setText(QStringLiteral("0"));
    m_combo1->setCurrentIndex(-1);
    m_combo1->setEditText(QStringLiteral("1"));
    m_combo2->setCurrentIndex(-1);
    m_combo2->setEditText(QStringLiteral("0"));
    for (QComboBox* c : m_combo3) {
        c->setCurrentIndex(-1);
        c->setEditText(QStringLiteral("0"));
    }

    m_state.Heentrat = false;
    m_state.Heentratarea2 = false;

    m_combo1->setEnabled(false);
    m_combo2->setEnabled(false);
    for (QComboBox* c : m_combo3)
        c->setEnabled(false);
    for (int i : {1, 4, 2, 3})
        m_text[i]->setEnabled(false);
    m_text[13]->setEnabled(true);
    m_combo4->setEnabled(false);
    setAreaEnabled(2, false);
    setAreaEnabled(3, false);

    for (int n = 1; n <= 3; ++n) {
        m_state.areaLine[n].areavertical = false;
        m_state.areaLine[n].areahoritzontal = false;
    }
    for (int k = 1; k <= 16; ++k) {
        m_state.rayLine[k].raigvertical = false;
        m_state.rayLine[k].raighoritzontal = false;
    }

    DrawList axes;
    sideview::Pintareixos(scales(), m_state, axes);
    m_picture1->replay(axes, sideview::Picture1);
    for (Surface* s : {m_picture1, m_picture33, m_picture44})
        s->setAutoRedraw(false);

    m_state.numcaixes = 0;
    m_state.applyModel(0);

    m_combo4->addItems({boxModel(0).display, boxModel(1).display});
    m_combo4->setCurrentIndex(-1);
    m_combo4->setEditText(boxModel(0).display);
}

void Principal::connectHandlers()
{
    connect(m_combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });
    connect(m_combo2, &QComboBox::activated, this, [this] { Combo2Click(); });
    connect(m_combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    for (int i = 0; i < 16; ++i)
        connect(m_combo3[i], &QComboBox::activated, this, [this, i] { Combo3_Click(i); });

    connect(m_text[13], &QLineEdit::textChanged, this, [this] { Text13_Change(); });
    m_text[13]->installEventFilter(new EnterKeyWatcher(this, [this] { Text13_KeyPress(); }));

    m_validation = new FieldValidation(
        this, [this](QLineEdit* f) { return validateField(f); },
        [this](QLineEdit* f) { fieldLostFocus(f); });
    for (int i = 1; i <= 13; ++i)
        m_validation->addField(m_text[i]);

    connect(m_command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(findChild<QAction*>(QStringLiteral("Save")), &QAction::triggered, this,
            [this] { SaveData(); });
    connect(findChild<QAction*>(QStringLiteral("Load")), &QAction::triggered, this,
            [this] { Load_Click(); });

    connect(m_picture1, &Surface::mouseMoved, this, [this](double x, double y) {
        showReadout(sideview::readoutPicture1(x, y, scales(), m_state));
    });
    connect(m_picture44, &Surface::mouseMoved, this, [this](double x, double y) {
        showReadout(sideview::readoutPicture44(x, y, scales(), m_state));
    });
}

// ---- Project edits -------------------------------------------------------

void Principal::Combo4_Click()
{
    const int index = m_combo4->currentIndex();
    if (index == 0 || index == 1) {
        const BoxModel& model = boxModel(index);
        m_state.applyModel(index);
        findChild<QLabel*>(QStringLiteral("Label58"))->setText(model.key);
        const QStringList angles = model.angleList(QLocale());
        for (int i = 1; i < 16; ++i) {
            QComboBox* c = m_combo3[i];
            const QString text = c->currentText();
            c->clear();
            c->addItems(angles);
            c->setCurrentIndex(-1);
            c->setEditText(text.isEmpty() ? model.emptyAngleText : text);
        }
    }
    DibuixarGeneral();
}

void Principal::Combo3_Click(int index)
{
    const QString text = m_combo3[index]->currentText();
    editing::applySplayAngle(m_state, index + 1, number(text), m_combo3[0]->currentText(),
                             QLocale());
    DibuixarGeneral();
}

void Principal::Combo2Click()
{
    m_state.numcaixes = static_cast<int16_t>(qMax(0, m_combo2->currentIndex()));
    const int n = static_cast<int>(number(m_combo2->currentText()));
    for (int i = 1; i < 16; ++i)
        m_combo3[i]->setEnabled(i <= n - 1);
    DibuixarGeneral();
    if (editing::clearance(number(m_text[13]->text()), m_state) <= 0) {
        missatge();
        m_command2->setEnabled(false);
    } else {
        m_command2->setEnabled(true);
    }
}

void Principal::Combo1_Click()
{
    m_state.seleccio = static_cast<float>(m_combo1->currentIndex());
    switch (m_combo1->currentIndex()) {
    case 0:
        Area2EnabledFalse();
        Area3EnabledFalse();
        DibuixarGeneral();
        break;
    case 1:
        Area2EnabledTrue();
        Area3EnabledFalse();
        DibuixarGeneral();
        break;
    case 2:
        Area2EnabledTrue();
        Area3EnabledTrue();
        DibuixarGeneral();
        break;
    default:
        break;
    }
}

void Principal::setAreaEnabled(int area, bool on)
{
    // Area 2 is Frame3 with Label6..9 and Text5..8; area 3 is Frame4, Label10..13, Text9..12.
    m_frame[area + 1]->setEnabled(on);
    const int firstLabel = 4 * area - 2;
    const int firstText = 4 * area - 3;
    for (int i = 0; i < 4; ++i) {
        findChild<QLabel*>(QStringLiteral("Label%1").arg(firstLabel + i))->setEnabled(on);
        m_text[firstText + i]->setEnabled(on);
    }
}

void Principal::Area2EnabledTrue()
{
    setAreaEnabled(2, true);
}
void Principal::Area2EnabledFalse()
{
    setAreaEnabled(2, false);
}
void Principal::Area3EnabledTrue()
{
    setAreaEnabled(3, true);
}
void Principal::Area3EnabledFalse()
{
    setAreaEnabled(3, false);
}

void Principal::Text13_Change()
{
    m_combo2->setEnabled(true);
    m_combo4->setEnabled(true);
}

void Principal::Text13_KeyPress()
{
    m_combo2->setEnabled(true);
    m_text[13]->selectAll();
}

void Principal::Text13_LostFocus()
{
    if (editing::clearance(number(m_text[13]->text()), m_state) > 0) {
        m_command2->setEnabled(true);
        for (int i : {1, 4, 2, 3})
            m_text[i]->setEnabled(true);
        m_combo1->setEnabled(true);
        m_combo2->setEnabled(true);
        DibuixarGeneral();
        for (int i = 0; i <= m_state.numcaixes && i < 16; ++i)
            m_combo3[i]->setEnabled(true);
    } else {
        missatge();
        m_command2->setEnabled(false);
    }
}

void Principal::missatge()
{
    showMessage(QStringLiteral("Small"));
}

// ---- Numeric fields --------------------------------------------------------

bool Principal::validateField(QLineEdit* field)
{
    if (!numbers::isNumber(field->text(), QLocale())) {
        showMessage(QStringLiteral("Value"));
        m_command2->setEnabled(false);
        return false;
    }
    m_command2->setEnabled(true);
    return true;
}

void Principal::fieldLostFocus(QLineEdit* field)
{
    if (field == m_text[13])
        Text13_LostFocus();
    else
        DibuixarGeneral();
}

// ---- Commands --------------------------------------------------------------

Mecanic* Principal::mechanicalView()
{
    if (!m_mecanic) {
        auto angleTexts = [this] {
            QStringList l;
            for (QComboBox* c : m_combo3)
                l << c->currentText();
            return l;
        };
        m_mecanic = new Mecanic(m_state, m_languages, angleTexts, this);
        connect(m_mecanic, &Mecanic::closedByButton, this, [this] { DibuixarGeneral(); });
    }
    return m_mecanic;
}

void Principal::Command1_Click()
{
    Mecanic* view = mechanicalView();
    view->show();
    view->raise();
    if (m_state.modelcaixa == 0 || m_state.modelcaixa == 1)
        view->setModelText(boxModel(m_state.modelcaixa).key);
}

void Principal::Command2_Click()
{
    for (Surface* s : {m_picture1, m_picture33, m_picture44})
        s->setAutoRedraw(true);
    DibuixarGeneral();
    if (m_state.offsetmax <= 0.001f) {
        showMessage(QStringLiteral("Audience"));
        return;
    }
    // The SPL window is not part of the program yet.
}

// ---- Project files ---------------------------------------------------------

ProjectFields Principal::fields() const
{
    ProjectFields f;
    f.Label58 = findChild<QLabel*>(QStringLiteral("Label58"))->text();
    for (int i = 1; i <= 13; ++i)
        f.Text[i] = m_text[i]->text();
    f.Text15 = m_text[15]->text();
    f.Text16 = m_text[16]->text();
    f.Label59 = findChild<QLabel*>(QStringLiteral("Label59"))->text();
    f.Combo2 = m_combo2->currentText();
    f.Combo1 = m_combo1->currentText();
    for (int k = 1; k <= 16; ++k)
        f.Combo3[k] = m_combo3[k - 1]->currentText();
    f.Combo4 = m_combo4->currentText();
    return f;
}

void Principal::assignFields(const ProjectFields& f)
{
    // In the order of the file; lists take their text only, keeping their selection.
    findChild<QLabel*>(QStringLiteral("Label58"))->setText(f.Label58);
    for (int i = 1; i <= 13; ++i)
        m_text[i]->setText(f.Text[i]);
    m_text[15]->setText(f.Text15);
    m_text[16]->setText(f.Text16);
    findChild<QLabel*>(QStringLiteral("Label59"))->setText(f.Label59);
    m_combo2->setEditText(f.Combo2);
    m_combo1->setEditText(f.Combo1);
    for (int k = 1; k <= 16; ++k)
        m_combo3[k - 1]->setEditText(f.Combo3[k]);
    m_combo4->setEditText(f.Combo4);
}

void Principal::SaveData()
{
    const QString path = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                      QStringLiteral("Ficheros de datos (*.ini)"));
    if (path.isEmpty())
        return;
    if (const auto error = projectfile::save(path, fields(), m_state, QLocale()))
        showError(*error);
}

void Principal::Load_Click()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Ficheros de datos (*.ini)"));
    if (!path.isEmpty())
        loadProject(path);
}

bool Principal::loadProject(const QString& path)
{
    ProjectFields f = fields();
    const projectfile::LoadResult result = projectfile::load(path, f, m_state, QLocale());
    assignFields(f);
    if (!result.ok()) {
        showError(result.error);
        return false;
    }

    const int nb = result.boxes;
    for (int i = 0; i < 16; ++i)
        m_combo3[i]->setEnabled(i < nb);
    for (int i : {1, 2, 3, 4, 13})
        m_text[i]->setEnabled(true);
    m_combo1->setEnabled(true);
    m_combo2->setEnabled(true);
    m_combo4->setEnabled(true);
    switch (result.areas) {
    case 1:
        setAreaEnabled(2, false);
        setAreaEnabled(3, false);
        break;
    case 2:
        setAreaEnabled(2, true);
        setAreaEnabled(3, false);
        break;
    case 3:
        setAreaEnabled(2, true);
        setAreaEnabled(3, true);
        break;
    default:
        break;
    }
    DibuixarGeneral();
    mechanicalView()->PintarMecanic();
    m_command2->setEnabled(true);
    findChild<QAction*>(QStringLiteral("Save"))->setEnabled(true);
    findChild<QAction*>(QStringLiteral("SaveFoto"))->setEnabled(true);
    return true;
}

// ---- Side view -------------------------------------------------------------

sideview::Inputs Principal::scales() const
{
    sideview::Inputs in;
    in.SW1 = static_cast<float>(m_picture1->scaleWidth());
    in.SH1 = static_cast<float>(m_picture1->scaleHeight());
    in.SW44 = static_cast<float>(m_picture44->scaleWidth());
    in.SH44 = static_cast<float>(m_picture44->scaleHeight());
    in.SW33 = static_cast<float>(m_picture33->scaleWidth());
    in.SH33 = static_cast<float>(m_picture33->scaleHeight());
    return in;
}

sideview::Inputs Principal::gatherInputs() const
{
    sideview::Inputs in = scales();
    const QLocale locale;
    auto value = [&](int i) { return numbers::toDouble(m_text[i]->text(), locale); };
    in.H = value(13);
    const int base[4] = {0, 1, 5, 9};
    for (int n = 1; n <= 3; ++n) {
        in.dist[n] = value(base[n]);
        in.z1[n] = value(base[n] + 1);
        in.z2[n] = value(base[n] + 2);
        in.len[n] = value(base[n] + 3);
    }
    for (int k = 1; k <= 16; ++k)
        in.angle[k] = numbers::toDouble(m_combo3[k - 1]->currentText(), locale);
    return in;
}

void Principal::DibuixarGeneral()
{
    const sideview::Redraw r = sideview::DibuixarGeneral(gatherInputs(), m_state, QLocale());
    // The messages were raised before the surfaces were cleared.
    for (const QString& tag : r.messages)
        showMessage(tag);
    m_picture1->replay(r.ops, sideview::Picture1);
    m_picture33->replay(r.ops, sideview::Picture33);
    m_picture44->replay(r.ops, sideview::Picture44);
    for (auto it = r.captions.begin(); it != r.captions.end(); ++it)
        if (auto* l = findChild<QLabel*>(it.key()))
            l->setText(it.value());
}

QMap<QString, QString> Principal::sideViewCaptions() const
{
    QMap<QString, QString> m;
    for (const char* n : {"Label59", "Label35", "Label36", "Label37", "Label38", "Label39",
                          "Label40", "Label41", "Label42", "Label48", "Label49"})
        m.insert(QString::fromLatin1(n), findChild<QLabel*>(QString::fromLatin1(n))->text());
    return m;
}

Surface* Principal::picture(int id) const
{
    switch (id) {
    case sideview::Picture1:
        return m_picture1;
    case sideview::Picture33:
        return m_picture33;
    case sideview::Picture44:
        return m_picture44;
    default:
        return nullptr;
    }
}

void Principal::showReadout(const sideview::Readout& r)
{
    const QLocale locale;
    findChild<QLabel*>(QStringLiteral("Label46"))->setText(numbers::formatFixed2(r.x, locale));
    findChild<QLabel*>(QStringLiteral("Label47"))->setText(numbers::formatFixed2(r.y, locale));
}

// ---- Texts -----------------------------------------------------------------

void Principal::showMessage(const QString& tag)
{
    m_raised.append(tag);
    m_messages.show(Message{tag, label(QStringLiteral("MsgBox"), tag), QStringLiteral("Warning")});
}

void Principal::showError(const QString& description)
{
    m_messages.show(Message{QString(), description, QString()});
}

QString Principal::label(const QString& section, const QString& tag) const
{
    return m_languages.GetLabel(section, tag);
}

double Principal::number(const QString& text) const
{
    return numbers::toDouble(text, QLocale());
}

void Principal::relabel()
{
    const QString menu = QStringLiteral("MainMenu");
    const std::pair<const char*, const char*> menus[] = {{"File", "File"},
                                                         {"New", "New"},
                                                         {"Load", "LoadData"},
                                                         {"Save", "SaveData"},
                                                         {"SaveFoto", "SaveImage"},
                                                         {"PrintData", "PrintData"},
                                                         {"Exit", "Exit"},
                                                         {"Options", "Options"},
                                                         {"MenuLanguage", "MenuLanguage"},
                                                         {"Help", "Help"},
                                                         {"Info", "Info"}};
    for (const auto& [name, tag] : menus)
        if (auto* a = findChild<QAction*>(QString::fromLatin1(name)))
            a->setText(label(menu, QString::fromLatin1(tag)));

    const QString sec = QStringLiteral("Principal");
    for (int i : {5, 2, 1, 3, 4, 6, 8, 10, 9, 7})
        m_frame[i]->setTitle(label(sec, QStringLiteral("Frame%1").arg(i)));
    QStringList labels = {"Label14", "Label15", "Label17", "Label16"};
    for (int i = 18; i <= 33; ++i)
        labels << QStringLiteral("Label%1").arg(i);
    labels << QStringLiteral("Label1");
    for (int i : {2, 5, 3, 4, 6, 9, 7, 8, 10, 13, 11, 12})
        labels << QStringLiteral("Label%1").arg(i);
    labels << QStringLiteral("Label43") << QStringLiteral("Label57");
    for (const QString& name : labels)
        if (auto* l = findChild<QLabel*>(name))
            l->setText(label(sec, name));
    m_command1->setText(label(sec, QStringLiteral("Command1")));
    m_command2->setText(label(sec, QStringLiteral("Command2")));
    settleCaptions(this);
}
