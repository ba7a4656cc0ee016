// Builds the controls of the main window at their design positions.

#include "picture/SideViewLayout.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/gui/EditableList.h"
#include "project/gui/Principal.h"
#include "project/gui/UndoHistory.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry)
{
    auto* l = make<QLabel>(parent, name, geometry);
    l->setText(caption);
    return l;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, QRect geometry)
{
    auto* f = make<QGroupBox>(parent, name, geometry);
    f->setTitle(caption);
    return f;
}

EditableList* makeCombo(QWidget* parent, const QString& name, QRect geometry)
{
    auto* c = make<EditableList>(parent, name, geometry);
    c->setMaxVisibleItems(21);
    return c;
}

} // namespace

void Principal::buildLayout()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(picture::clientSize());
    setCentralWidget(client);

    // Side view: Picture1, with the two overlays from its axis crossing, and
    // the captions over them.
    for (const picture::SurfacePlace& p : picture::surfacePlaces()) {
        auto* s = new Surface(QString::fromLatin1(p.name), p.outer.size(), p.scaleWidth,
                              p.scaleHeight, client);
        s->move(p.outer.topLeft());
        (p.id == sideview::Picture1    ? m_picture1
         : p.id == sideview::Picture33 ? m_picture33
                                       : m_picture44) = s;
    }
    for (const picture::CaptionPlace& c : picture::captionPlaces()) {
        QLabel* l = makeLabel(client, c.name, c.designText, c.rect);
        l->setAlignment(Qt::Alignment(c.alignment));
        if (c.bold) {
            QFont bold = l->font();
            bold.setBold(true);
            l->setFont(bold);
        }
    }

    // Line Array Settings.
    QGroupBox* f5 =
        makeFrame(client, "Frame5", "Line Array Settings", twRect(120, 360, 1935, 8775));
    QLabel* l15 = makeLabel(f5, "Label15", "Distance to floor", QRect(8, 18, 113, 14));
    m_text[13] = make<QLineEdit>(f5, "Text13", QRect(8, 34, 64, 20));
    a11y::labelFor(l15, m_text[13]);
    QLabel* l14 = makeLabel(f5, "Label14", "Num. of Boxes", QRect(8, 60, 113, 14));
    m_combo2 = makeCombo(f5, "Combo2", QRect(8, 76, 64, 22));
    a11y::labelFor(l14, m_combo2);
    makeLabel(f5, "Label17", "Max  Angle  of 1st Box", QRect(8, 114, 113, 14));
    auto* l59 = makeLabel(f5, "Label59", "0", QRect(8, 132, 40, 18));
    l59->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l59->setAlignment(Qt::AlignCenter);
    makeLabel(f5, "Label16", "Angle", QRect(64, 156, 57, 14));
    for (int i = 0; i < 16; ++i) {
        const int y = 174 + i * 25;
        QLabel* box = makeLabel(f5, QStringLiteral("Label%1").arg(18 + i),
                                QStringLiteral("Box %1").arg(i + 1), QRect(8, y + 3, 54, 14));
        m_combo3[i] = makeCombo(f5, QStringLiteral("Combo3"), QRect(62, y, 58, 22));
        m_combo3[i]->setProperty("index", i);
        a11y::labelFor(box, m_combo3[i]);
    }
    // A field of this frame that only the wizard writes; it is never shown.
    m_text[14] = make<QLineEdit>(f5, "Text14", QRect(8, 0, 1, 1));
    m_text[14]->hide();
    a11y::nameAfter(m_text[14], {f5});

    // Audience Geometry, with the three areas.
    QGroupBox* f2 =
        makeFrame(client, "Frame2", "Audience Geometry", twRect(2520, 4800, 6015, 2655));
    QLabel* l1 = makeLabel(f2, "Label1", "Number of Areas", QRect(10, 18, 100, 16));
    m_combo1 = makeCombo(f2, "Combo1", QRect(112, 15, 50, 22));
    a11y::labelFor(l1, m_combo1);
    const QPoint f2At = f2->geometry().topLeft();
    const int areaLeft[3] = {2640, 4560, 6480};
    const QString areaCaption[3] = {"Area 1", "Area 2", "Area 3"};
    const int frameNo[3] = {1, 3, 4};
    // Per area: the labels and text boxes of distance, length, Z1, Z2, top to bottom.
    const int labelNo[3][4] = {{2, 5, 3, 4}, {6, 9, 7, 8}, {10, 13, 11, 12}};
    const int textNo[3][4] = {{1, 4, 2, 3}, {5, 8, 6, 7}, {9, 12, 10, 11}};
    const QString rowCaption[4] = {"Distance to Array", "Lenght", "Elevation Z1", "Elevation Z2"};
    const char* colour[3] = {"#ff0000", "#008000", "#0000ff"};
    for (int a = 0; a < 3; ++a) {
        const QRect r = twRect(areaLeft[a], 5400, 1815, 1935).translated(-f2At);
        const QString name = QStringLiteral("Frame%1").arg(frameNo[a]);
        QGroupBox* f = makeFrame(f2, name, areaCaption[a], r);
        f->setStyleSheet(QStringLiteral("QGroupBox#%1 { color: %2; }").arg(name, colour[a]));
        // Named after its own title, not the title of the frame around it.
        a11y::nameAfter(f, {f});
        m_frame[frameNo[a]] = f;
        for (int row = 0; row < 4; ++row) {
            const int y = 16 + row * 28;
            QLabel* l = makeLabel(f, QStringLiteral("Label%1").arg(labelNo[a][row]),
                                  rowCaption[row], QRect(4, y + 3, 78, 14));
            QLineEdit* t = make<QLineEdit>(f, QStringLiteral("Text%1").arg(textNo[a][row]),
                                           QRect(82, y, 35, 20));
            m_text[textNo[a][row]] = t;
            a11y::labelFor(l, t, {f});
        }
    }

    // Project and customer.
    QGroupBox* f8 = makeFrame(client, "Frame8", "Data", twRect(2520, 7680, 6015, 1455));
    QLabel* l43 = makeLabel(f8, "Label43", "Project:", QRect(10, 24, 66, 16));
    m_text[15] = make<QLineEdit>(f8, "Text15", QRect(80, 21, 305, 20));
    a11y::labelFor(l43, m_text[15]);
    QLabel* l57 = makeLabel(f8, "Label57", "Customer:", QRect(10, 57, 66, 16));
    m_text[16] = make<QLineEdit>(f8, "Text16", QRect(80, 54, 305, 20));
    a11y::labelFor(l57, m_text[16]);

    // Coordinates under the mouse.
    // Each readout is labelled by its caption: assistive tools name it after the
    // caption while it is empty (not after the frame) and read its value otherwise.
    QGroupBox* f6 = makeFrame(client, "Frame6", "Coordinates (m)", twRect(8640, 4800, 1695, 1095));
    const auto readout = [f6](const char* caption, const char* name, const char* text, int y,
                              int captionWidth) {
        QLabel* label = makeLabel(f6, caption, text, QRect(10, y, captionWidth, 16));
        QLabel* value = makeLabel(f6, name, "", QRect(30, y, 74, 16));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(value);
    };
    readout("Label44", "Label46", "X:", 19, 18);
    readout("Label45", "Label47", "Y:", 36, 18);
    // The level of the map's cell under the mouse, while a map is shown.
    readout("LabelLevel", "LabelLevelValue", "dB:", 53, 24);

    QGroupBox* f10 = makeFrame(client, "Frame10", "Model", twRect(8640, 6000, 1695, 855));
    m_combo4 = makeCombo(f10, "Combo4", QRect(10, 22, 93, 22));
    a11y::nameAfter(m_combo4, {f10});

    QGroupBox* f9 = makeFrame(client, "Frame9", "Mechanical View", twRect(8640, 6960, 1695, 975));
    m_command1 = make<QPushButton>(f9, "Command1", QRect(10, 24, 93, 30));
    m_command1->setText("VIEW");

    QGroupBox* f7 = makeFrame(client, "Frame7", "SPL Mapping", twRect(8640, 8040, 1695, 1095));
    m_command2 = make<QPushButton>(f7, "Command2", QRect(8, 24, 97, 38));
    m_command2->setText("SPL CALCULATOR");

    m_frame[2] = f2;
    m_frame[5] = f5;
    m_frame[6] = f6;
    m_frame[7] = f7;
    m_frame[8] = f8;
    m_frame[9] = f9;
    m_frame[10] = f10;

    // The overlays lie over Picture1; the view's labels lie over all three.
    m_picture33->raise();
    m_picture44->raise();
    for (const picture::CaptionPlace& c : picture::captionPlaces())
        client->findChild<QLabel*>(c.name)->raise();
}

void Principal::buildMenus()
{
    auto addMenu = [this](const QString& name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    auto addItem = [this](QMenu* menu, const QString& name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setParent(this);
        return a;
    };
    QMenu* file = addMenu("File", "&File");
    addItem(file, "New", "&New");
    addItem(file, "Load", "&Load Data");
    addItem(file, "Save", "&Save Data");
    addItem(file, "SaveFoto", "Save &Image");
    file->addSeparator()->setObjectName("espai");
    addItem(file, "PrintData", "&Print Data");
    addItem(file, "ExportReport", "E&xport Report (PDF)");
    file->addSeparator()->setObjectName("espai2");
    addItem(file, "Exit", "&Exit");
    QMenu* edit = addMenu("Edit", "&Edit");
    addItem(edit, "Undo", "&Undo")->setShortcuts(UndoHistory::undoKeys());
    addItem(edit, "Redo", "&Redo")->setShortcuts(UndoHistory::redoKeys());
    QMenu* options = addMenu("Options", "&Options");
    addItem(options, "MenuLanguage", "&Language");
    addItem(options, "AreaLevels", "Level along the &Areas");
    addItem(options, "LiveMap", "Live &Map")->setCheckable(true);
    addItem(options, "Autosplay", "Auto&splay");
    QMenu* help = addMenu("Help", "&Help");
    addItem(help, "Info", "&Info");
}
