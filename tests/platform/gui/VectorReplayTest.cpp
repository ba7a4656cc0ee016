#include "platform/paint/VectorReplay.h"
#include "platform/paint/Canvas.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

/// Replays `list` as shapes onto an image of `size` filled with `under`, the scale filling it.
QImage shapes(const DrawList& list, QSize size, double scaleW, double scaleH, double pixel,
              QColor under)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(under);
    QPainter p(&image);
    replayVector(p, list, 1, QRectF(QPointF(0, 0), QSizeF(size)), scaleW, scaleH, pixel);
    return image;
}

int pixelsOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST(VectorReplay, PutsShapesWhereTheCanvasPutsPixels)
{
    // A box on whole pixels: the same pixels in both, in scale units 10 times the pixels.
    const DrawList list = {draw::box(1, 2, 3, 12, 8, rgb::Blue)};
    Canvas canvas(QSize(200, 100), 20, 10);
    canvas.replay(list, 1);
    const QImage vector = shapes(list, QSize(200, 100), 20, 10, 1, Qt::white);
    EXPECT_EQ(pixelsOf(vector, 0x0000FF), 100 * 50);
    EXPECT_EQ(vector, canvas.image());
}

TEST(VectorReplay, ClearsItsTargetAndDrawsLinesAsWideAsTheWindowsPixelsScaled)
{
    const QImage image =
        shapes({draw::clear(1), draw::lineWidth(1, 3), draw::line(1, 0, 50, 100, 50, rgb::Green)},
               QSize(100, 100), 100, 100, 2, Qt::black);
    // Three window pixels at two units each: six rows of full green across the line.
    EXPECT_EQ(pixelsOf(image, rgb::Green), 6 * 100);
    EXPECT_EQ(pixelsOf(image, 0xFFFFFF), 94 * 100);
}
