#include "files/gui/PngFile.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace {

QImage decoded(const QByteArray& png)
{
    return QImage::fromData(png, "PNG");
}

} // namespace

// What the encoder writes reads back pixel for pixel: flat areas, a noisy
// area where the differences between rows wrap around, odd widths, a single
// pixel, and an image with an alpha channel. Flat areas, as in a map, compress
// to a small fraction of the pixels.
TEST(PngFile, ReadsBackPixelForPixelAndCompressesFlatAreas)
{
    QImage picture(333, 121, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    QPainter(&picture).fillRect(10, 10, 100, 40, QColor(0, 128, 255));
    EXPECT_LT(encodePng(picture).size(), 333 * 121 * 3 / 100);
    std::mt19937 rng(7);
    for (int y = 60; y < 121; ++y)
        for (int x = 200; x < 333; ++x)
            picture.setPixel(x, y, rng() | 0xff000000u);
    EXPECT_EQ(decoded(encodePng(picture)).convertToFormat(QImage::Format_RGB32), picture);

    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(QColor(1, 2, 3));
    EXPECT_EQ(decoded(encodePng(one)).convertToFormat(QImage::Format_RGB32), one);

    QImage translucent(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            translucent.setPixel(x, y, qRgba(x * 30, y * 50, 200, x * 40 + y));
    const QImage back = decoded(encodePng(translucent));
    ASSERT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), translucent);
}
