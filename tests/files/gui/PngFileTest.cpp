#include "files/gui/PngFile.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

// What the encoder writes reads back pixel for pixel: a noisy area where the
// differences between rows wrap around, an odd width, an alpha channel. Flat
// areas, as in a map, compress to a small fraction of the pixels.
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
    QImage translucent(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            translucent.setPixel(x, y, qRgba(x * 30, y * 50, 200, x * 40 + y));
    for (const QImage& image : {picture, translucent}) {
        const QImage back = QImage::fromData(encodePng(image), "PNG");
        EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel()) << image.width();
        EXPECT_EQ(back.convertToFormat(image.format()), image) << image.width();
    }
}
