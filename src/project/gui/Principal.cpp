#include "project/gui/Principal.h"

#include "i18n/Languages.h"
#include "picture/ShownPicture.h"
#include "picture/SideViewLayout.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/gui/EditableList.h"
#include "project/gui/FieldValidation.h"
#include "project/gui/UndoHistory.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QValidator>

namespace {

const char* const kCaption = "TS160 / TS250 SPL Mapping Software";

/// A free text field refuses what a project file cannot hold.
class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return projectfile::canHold(input) ? Acceptable : Invalid;
    }
};

bool isEnter(const QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Principal::Principal(ProjectDocument& document, Languages& languages, int userLanguage,
                     QWidget* parent)
    : QMainWindow(parent), m_doc(document), m_languages(languages),
      m_shown(new picture::ShownPicture(document, this))
{
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(QString::fromLatin1(kCaption));
    useDesignFont(this);
    buildLayout();
    buildMenus();

    // Language start-up: English first, then the user's language.
    m_languages.ApplyLanguage(languageId::English);
    m_languages.ApplyLanguage(userLanguage);
    relabel();

    mirrorAll();
    for (Surface* s : {m_picture1, m_picture33, m_picture44})
        s->setAutoRedraw(false);
    showPicture();
    connectHandlers();
    connectDocument();
    connectCommands();
    connectHistory();
    m_text[13]->setFocus(Qt::OtherFocusReason);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Principal::~Principal()
{
    // The fields lose the focus as they go: that accepts nothing any more.
    for (int n : {14, 15, 16})
        disconnect(m_text[n], &QLineEdit::editingFinished, this, nullptr);
}

// ---- From the controls to the document ----------------------------------------

void Principal::connectHandlers()
{
    for (int n = 1; n <= 16; ++n)
        connect(m_text[n], &QLineEdit::textChanged, this, [this, n](const QString& t) {
            if (!m_mirroring)
                m_doc.setText(textField(n), t);
        });
    // A typed text is applied on leaving the list or on Enter in it.
    for (EditableList* c : findChildren<EditableList*>()) {
        const Control list = controlOf(c);
        connect(c, &QComboBox::editTextChanged, this, [this, list](const QString& t) {
            if (!m_mirroring)
                m_doc.setText(list, t);
        });
        connect(c, &EditableList::chosen, this, [this, list](int i) { m_doc.choose(list, i); });
        connect(c, &EditableList::left, this, [this, list] { m_doc.applyTypedText(list); });
    }
    m_text[13]->installEventFilter(this);

    // Free text: nothing a project file cannot hold.
    for (int n : {15, 16})
        m_text[n]->setValidator(new StorableTextValidator(m_text[n]));

    m_validation = new FieldValidation(
        this, [this](QLineEdit* f) { return m_doc.validateField(controlOf(f)); },
        [this](QLineEdit* f) { m_doc.leaveField(controlOf(f)); });
    for (int i = 1; i <= 13; ++i)
        m_validation->addField(m_text[i]);

    connect(m_command1, &QPushButton::clicked, this, &Principal::mechanicalViewRequested);
    connect(m_command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(findChild<QAction*>(QStringLiteral("Save")), &QAction::triggered, this,
            [this] { SaveData(); });
    connect(findChild<QAction*>(QStringLiteral("Load")), &QAction::triggered, this,
            [this] { Load_Click(); });
    connect(findChild<QAction*>(QStringLiteral("New")), &QAction::triggered, this,
            &Principal::newProjectRequested);
    connect(findChild<QAction*>(QStringLiteral("PrintData")), &QAction::triggered, this, [this] {
        for (Surface* s : {m_picture1, m_picture33, m_picture44})
            s->setAutoRedraw(true);
        emit printRequested();
    });
    connect(findChild<QAction*>(QStringLiteral("SaveFoto")), &QAction::triggered, this,
            &Principal::imageSaveRequested);
    connect(findChild<QAction*>(QStringLiteral("ExportReport")), &QAction::triggered, this,
            &Principal::reportExportRequested);

    const auto showReadout = [this](int surface, double x, double y) {
        const auto [X, Y] = m_doc.readout(surface, x, y);
        findChild<QLabel*>(QStringLiteral("Label46"))->setText(X);
        findChild<QLabel*>(QStringLiteral("Label47"))->setText(Y);
    };
    connect(m_picture1, &Surface::mouseMoved, this,
            [showReadout](double x, double y) { showReadout(sideview::Picture1, x, y); });
    connect(m_picture44, &Surface::mouseMoved, this,
            [showReadout](double x, double y) { showReadout(sideview::Picture44, x, y); });
}

bool Principal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text[13] && isEnter(event)) {
        m_doc.Text13_KeyPress();
        m_text[13]->selectAll();
    }
    return false; // the key goes on
}

void Principal::Command2_Click()
{
    // The side view survives being covered by the SPL window from now on.
    for (Surface* s : {m_picture1, m_picture33, m_picture44})
        s->setAutoRedraw(true);
    if (m_doc.requestSplWindow())
        emit splWindowRequested();
}

void Principal::SaveData()
{
    const QString path = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                      QStringLiteral("Ficheros de datos (*.ini)"));
    if (!path.isEmpty())
        m_doc.save(path);
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
    return m_doc.load(path);
}

// ---- From the document to the controls ----------------------------------------

void Principal::connectDocument()
{
    connect(&m_doc, &ProjectDocument::textChanged, this, &Principal::mirrorText);
    connect(&m_doc, &ProjectDocument::itemsChanged, this, &Principal::mirrorItems);
    connect(&m_doc, &ProjectDocument::selectionChanged, this, &Principal::mirrorSelection);
    connect(&m_doc, &ProjectDocument::enabledChanged, this, &Principal::mirrorEnabled);
    connect(m_shown, &picture::ShownPicture::changed, this, &Principal::showPicture);
    connect(&m_doc, &ProjectDocument::loaded, this, [this] {
        findChild<QAction*>(QStringLiteral("Save"))->setEnabled(true);
        findChild<QAction*>(QStringLiteral("SaveFoto"))->setEnabled(true);
    });
    connect(&m_doc, &ProjectDocument::savingEnabled, this, [this] {
        findChild<QAction*>(QStringLiteral("Save"))->setEnabled(true);
        findChild<QAction*>(QStringLiteral("SaveFoto"))->setEnabled(true);
    });
}

QComboBox* Principal::listOf(Control c) const
{
    if (const int i = angleIndex(c); i >= 0)
        return m_combo3[static_cast<size_t>(i)];
    switch (c) {
    case Control::Combo1:
        return m_combo1;
    case Control::Combo2:
        return m_combo2;
    case Control::Combo4:
        return m_combo4;
    default:
        return nullptr;
    }
}

QWidget* Principal::widgetOf(Control c) const
{
    const int n = static_cast<int>(c);
    if (n >= 1 && n <= 16)
        return m_text[n];
    if (QComboBox* list = listOf(c))
        return list;
    switch (c) {
    case Control::Label58:
        return findChild<QLabel*>(QStringLiteral("Label58"));
    case Control::Label59:
        return findChild<QLabel*>(QStringLiteral("Label59"));
    case Control::Command2:
        return m_command2;
    default:
        return nullptr;
    }
}

Control Principal::controlOf(QObject* o) const
{
    for (int n = 1; n <= 16; ++n)
        if (o == m_text[n])
            return textField(n);
    for (int i = 0; i < 16; ++i)
        if (o == m_combo3[static_cast<size_t>(i)])
            return angleList(i);
    if (o == m_combo1)
        return Control::Combo1;
    if (o == m_combo2)
        return Control::Combo2;
    return Control::Combo4;
}

void Principal::mirrorAll()
{
    for (int n = 1; n < kControlSlots; ++n) {
        const auto c = static_cast<Control>(n);
        if (listOf(c))
            mirrorItems(c);
        mirrorText(c);
        mirrorEnabled(c);
    }
}

void Principal::mirrorText(Control c)
{
    const QString text = m_doc.text(c);
    const QScopedValueRollback guard(m_mirroring, true);
    if (QComboBox* list = listOf(c)) {
        if (list->currentText() != text)
            list->setEditText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widgetOf(c))) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widgetOf(c))) {
        label->setText(text);
    }
}

void Principal::mirrorItems(Control c)
{
    QComboBox* list = listOf(c);
    if (!list)
        return;
    const QStringList items = m_doc.items(c);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->itemText(i);
    if (shown != items) {
        const QScopedValueRollback guard(m_mirroring, true);
        list->clear();
        list->addItems(items);
    }
    mirrorSelection(c);
}

void Principal::mirrorSelection(Control c)
{
    QComboBox* list = listOf(c);
    if (!list)
        return;
    {
        const QScopedValueRollback guard(m_mirroring, true);
        if (list->currentIndex() != m_doc.selectedIndex(c))
            list->setCurrentIndex(m_doc.selectedIndex(c));
    }
    mirrorText(c);
}

void Principal::mirrorEnabled(Control c)
{
    const bool on = m_doc.isEnabled(c);
    if (c == Control::Area2 || c == Control::Area3) {
        // The frame and the four captions; the fields follow their own state.
        const int area = c == Control::Area2 ? 2 : 3;
        m_frame[area + 1]->setEnabled(on);
        for (int i = 0; i < 4; ++i)
            findChild<QLabel*>(QStringLiteral("Label%1").arg(4 * area - 2 + i))->setEnabled(on);
        return;
    }
    if (c == Control::Label58 || c == Control::Label59)
        return;
    if (QWidget* w = widgetOf(c))
        w->setEnabled(on);
}

void Principal::showPicture()
{
    const picture::SideViewPicture& shown = m_shown->value();
    for (Surface* s : {m_picture1, m_picture33, m_picture44}) {
        const int id = s == m_picture1    ? sideview::Picture1
                       : s == m_picture33 ? sideview::Picture33
                                          : sideview::Picture44;
        s->showCanvas(&shown.canvas(id));
    }
    for (auto it = shown.captions.begin(); it != shown.captions.end(); ++it)
        if (auto* l = findChild<QLabel*>(it.key()); l && l->text() != it.value())
            l->setText(it.value());
}

// ---- History and title -------------------------------------------------------

void Principal::connectHistory()
{
    m_history = new UndoHistory(m_doc, *m_shown, this);
    m_history->routeKeys(this);
    auto* undo = findChild<QAction*>(QStringLiteral("Undo"));
    auto* redo = findChild<QAction*>(QStringLiteral("Redo"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, m_history, &UndoHistory::undo);
    connect(redo, &QAction::triggered, m_history, &UndoHistory::redo);
    connect(&m_history->stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_history->stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    // The free texts are taken when they are left.
    for (int n : {14, 15, 16})
        connect(m_text[n], &QLineEdit::editingFinished, this,
                [this, n] { m_doc.acceptText(textField(n)); });
    connect(m_history, &UndoHistory::modifiedChanged, this, &Principal::updateTitle);
    connect(&m_doc, &ProjectDocument::saved, this, &Principal::updateTitle);
    connect(&m_doc, &ProjectDocument::loaded, this, &Principal::updateTitle);
}

void Principal::updateTitle()
{
    setWindowTitle(projectWindowTitle(QString::fromLatin1(kCaption), m_doc.filePath(),
                                      m_history->isModified()));
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

// ---- Texts -----------------------------------------------------------------

QString Principal::label(const QString& section, const QString& tag) const
{
    return m_languages.GetLabel(section, tag);
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
                                                         {"ExportReport", "ExportReport"},
                                                         {"Exit", "Exit"},
                                                         {"Options", "Options"},
                                                         {"MenuLanguage", "MenuLanguage"},
                                                         {"AreaLevels", "AreaLevels"},
                                                         {"Help", "Help"},
                                                         {"Info", "Info"},
                                                         {"Edit", "Edit"},
                                                         {"Undo", "Undo"},
                                                         {"Redo", "Redo"},
                                                         {"LiveMap", "LiveMap"},
                                                         {"Autosplay", "Autosplay"}};
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
    labels << QStringLiteral("LabelLevel");
    for (const QString& name : labels)
        if (auto* l = findChild<QLabel*>(name))
            l->setText(label(sec, name));
    m_command1->setText(label(sec, QStringLiteral("Command1")));
    m_command2->setText(label(sec, QStringLiteral("Command2")));
    // Why some characters cannot be typed in the free text fields.
    for (int n : {15, 16})
        m_text[n]->setToolTip(label(sec, QStringLiteral("NameTip")));
    settleCaptions(this);
}
