// Builds the controls of the main window at their design positions.

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

// The side view's surfaces, in twips of the window (outer frame included).
const QRect kPicture1 = twRect(2520, 0, 9555, 4395);
const QRect kPicture44 = twRect(3960, -3240, 11790, 7317);
const QRect kPicture33 = twRect(3960, -3237, 11790, 7317);

} // namespace

void Principal::buildLayout()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(tw(12075), tw(9255));
    setCentralWidget(client);

    // Side view: Picture1, with the two overlays from its axis crossing.
    m_picture1 = new Surface(QStringLiteral("Picture1"), kPicture1.size(), 121.06, 118, client);
    m_picture1->move(kPicture1.topLeft());
    m_picture33 =
        new Surface(QStringLiteral("Picture33"), kPicture33.size(), 177.45, 212.3, client);
    m_picture33->move(kPicture33.topLeft());
    m_picture44 = new Surface(QStringLiteral("Picture44"), kPicture44.size(), 178.0, 212.3, client);
    m_picture44->move(kPicture44.topLeft());

    // Labels over the view: the model key and the numbers of the axis marks.
    const QPoint origin = kPicture1.topLeft() + QPoint(2, 2);
    const double pxX = (kPicture1.width() - 4) / 121.06;
    const double pxY = (kPicture1.height() - 4) / 118.0;
    auto markX = [&](int i) { return origin.x() + qRound((18 + i * (121.06 - 18) / 5) * pxX); };
    auto markY = [&](int i) { return origin.y() + qRound((110 - i * 22.0) * pxY); };
    const int belowFloor = markY(0) + 3;
    const QStringList xLabels = {"Label37", "Label38", "Label39", "Label40"};
    const QStringList xCaptions = {"2", "4", "6", "8"};
    for (int i = 0; i < 4; ++i) {
        auto* l = makeLabel(client, xLabels[i], xCaptions[i],
                            QRect(markX(i + 1) - 30, belowFloor, 60, 14));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    auto* l35 =
        makeLabel(client, "Label35", "10", QRect(kPicture1.right() - 62, belowFloor, 60, 14));
    l35->setAlignment(Qt::AlignRight | Qt::AlignTop);
    const QStringList yLabels = {"Label42", "Label41", "Label48", "Label49"};
    const QStringList yCaptions = {"1", "2", "3", "4"};
    const int leftOfAxis = markX(0) - 3;
    for (int i = 0; i < 4; ++i) {
        auto* l = makeLabel(client, yLabels[i], yCaptions[i],
                            QRect(leftOfAxis - 60, markY(i + 1) - 7, 60, 14));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* l36 = makeLabel(client, "Label36", "5", QRect(leftOfAxis - 60, origin.y(), 60, 14));
    l36->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* l58 =
        makeLabel(client, "Label58", "TS250", QRect(origin.x() + 4, belowFloor + 2, 60, 14));
    QFont bold = l58->font();
    bold.setBold(true);
    l58->setFont(bold);

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
    QGroupBox* f6 = makeFrame(client, "Frame6", "Coordinates (m)", twRect(8640, 4800, 1695, 1095));
    makeLabel(f6, "Label44", "X:", QRect(10, 19, 18, 16));
    makeLabel(f6, "Label46", "", QRect(30, 19, 74, 16))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeLabel(f6, "Label45", "Y:", QRect(10, 36, 18, 16));
    makeLabel(f6, "Label47", "", QRect(30, 36, 74, 16))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The level of the map's cell under the mouse, while a map is shown.
    makeLabel(f6, "LabelLevel", "dB:", QRect(10, 53, 24, 16));
    makeLabel(f6, "LabelLevelValue", "", QRect(30, 53, 74, 16))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

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
    for (const char* n : {"Label35", "Label36", "Label37", "Label38", "Label39", "Label40",
                          "Label41", "Label42", "Label48", "Label49", "Label58"})
        client->findChild<QLabel*>(QString::fromLatin1(n))->raise();
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
    QMenu* help = addMenu("Help", "&Help");
    addItem(help, "Info", "&Info");
}
