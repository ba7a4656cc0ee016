#include "project/gui/Infor.h"

#include "platform/gui/Picture.h"
#include "platform/gui/WindowLook.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <numbers>

namespace {

constexpr int kPictureTwips = 1440;

// A line array hanging in a curve, seen from the side: each box's front and
// its aiming ray fanning out towards the audience.
DrawList lineArray(double size)
{
    DrawList ops;
    const double boxHeight = size / 10, depth = size / 7;
    double x = size * 0.25, y = size * 0.08, angle = 0;
    for (int i = 0; i < 7; ++i) {
        const double a = angle * std::numbers::pi / 180;
        // Down the front, and backwards square to it.
        const double fx = std::sin(a), fy = std::cos(a);
        const double nx = -std::cos(a), ny = std::sin(a);
        const double bottomX = x + fx * boxHeight, bottomY = y + fy * boxHeight;
        const double backTopX = x + nx * depth + fx * boxHeight * 0.2;
        const double backTopY = y + ny * depth + fy * boxHeight * 0.2;
        const double backBottomX = x + nx * depth + fx * boxHeight * 0.8;
        const double backBottomY = y + ny * depth + fy * boxHeight * 0.8;
        ops.push_back(draw::lineWidth(0, 1));
        ops.push_back(draw::line(0, x, y, backTopX, backTopY, rgb::Black));
        ops.push_back(draw::line(0, backTopX, backTopY, backBottomX, backBottomY, rgb::Black));
        ops.push_back(draw::line(0, backBottomX, backBottomY, bottomX, bottomY, rgb::Black));
        // The aiming ray from the middle of the front.
        const double mx = x + fx * boxHeight / 2, my = y + fy * boxHeight / 2;
        ops.push_back(
            draw::line(0, mx, my, size - 2, my + (size - 2 - mx) * std::tan(a), 0x3070C0));
        ops.push_back(draw::lineWidth(0, 2));
        ops.push_back(draw::line(0, x, y, bottomX, bottomY, rgb::Black));
        x = bottomX;
        y = bottomY;
        angle += 3 + 1.5 * i;
    }
    ops.push_back(draw::lineWidth(0, 1));
    ops.push_back(draw::line(0, 2, size - 3, size - 2, size - 3, rgb::Black)); // the floor
    return ops;
}

// A small level map: bands of the map's colours spreading from the array.
DrawList levelMap(double size)
{
    const uint32_t colours[] = {0xFF00FF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000C0};
    DrawList ops;
    const double bandWidth = size / 6;
    for (int b = 0; b < 6; ++b) {
        const double left = b * bandWidth;
        // Each band grows taller with distance, as the coverage opens up.
        const double halfHeight = size * (0.12 + 0.07 * b);
        ops.push_back(draw::box(0, left, size / 2 - halfHeight, left + bandWidth + 1,
                                size / 2 + halfHeight, colours[b]));
    }
    ops.push_back(draw::lineWidth(0, 3));
    ops.push_back(draw::line(0, 1, size * 0.35, 1, size * 0.65, rgb::Black));
    return ops;
}

QLabel* label(QWidget* parent, int number, const QString& text, QRect geometry)
{
    auto* l = make<QLabel>(parent, QStringLiteral("Label%1").arg(number), geometry);
    l->setText(text);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

} // namespace

Infor::Infor(Languages& languages, QWidget* owner) : QDialog(owner), m_languages(languages)
{
    setObjectName(QStringLiteral("Infor"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);
    useDesignFont(this);
    useWhiteBackground(this);
    setFixedSize(tw(5760), tw(4440));

    QLabel* title =
        label(this, 1, QStringLiteral("SPL MAPPING SOFTWARE"), twRect(240, 240, 5280, 375));
    QFont big = title->font();
    big.setBold(true);
    big.setPixelSize(big.pixelSize() + 5);
    title->setFont(big);
    label(this, 2, QStringLiteral("Version 1.5 / Feb. 2008"), twRect(240, 660, 5280, 255));
    label(this, 3,
          QStringLiteral("A design tool for one vertical line array of loudspeakers and the "
                         "audience areas it covers."),
          twRect(240, 1020, 5280, 435));
    label(this, 4,
          QStringLiteral("It aims the boxes, shows where each one lands and maps the sound "
                         "pressure level in front of the array."),
          twRect(240, 1500, 5280, 435));

    const int side = tw(kPictureTwips);
    makePicture(this, QStringLiteral("Image1"), twRect(840, 2040, kPictureTwips, kPictureTwips),
                lineArray(side));
    makePicture(this, QStringLiteral("Image2"), twRect(3480, 2040, kPictureTwips, kPictureTwips),
                levelMap(side));

    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"), twRect(2272, 3720, 1215, 375));
    m_command1->setText(QStringLiteral("Close"));
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &Infor::Command1_Click);
    relabel();
}

void Infor::Command1_Click()
{
    hide();
    emit closedByButton();
}

void Infor::relabel()
{
    m_command1->setText(
        m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Command1")));
    settleCaptions(this);
}
