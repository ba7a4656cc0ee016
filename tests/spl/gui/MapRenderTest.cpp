#include "picture/MapRender.h"
#include "platform/paint/Canvas.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

using namespace spl;

namespace {

// The map as the procedure paints it: every segment as 256 filled boxes, each
// starting one step further right and i units wide (the first one reaching the
// second), the later ones over the earlier ones, all through one painter.
void paintBoxByBox(QImage& image, const std::vector<MapSegment>& segments, double scaleWidth,
                   double scaleHeight)
{
    QPainter p(&image);
    const double fx = image.width() / scaleWidth, fy = image.height() / scaleHeight;
    for (const MapSegment& s : segments) {
        float left = s.x1;
        for (int i = 0; i < 256; ++i) {
            const double right = i == 0 ? static_cast<float>(double(left) + s.s) : double(left) + i;
            const QRectF box(QPointF(left * fx, s.y1 * fy), QPointF(right * fx, s.y2 * fy));
            p.fillRect(box.normalized(), QColor::fromRgb(classColour(s.k, i)));
            left = static_cast<float>(double(left) + s.s);
        }
    }
}

// A map of `rows` rows, `res` m high, from a random source of class counts:
// the loud classes near the array, and rows whose cells run past the edge.
DistributionRows randomRows(unsigned seed, int rows, float res, float top)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> cells(0, 60), empty(0, 3);
    DistributionRows d;
    d.rows = rows;
    d.PasHoritzontal = 0.25f;
    d.resolucioy = res;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < 6; ++k)
            d.counts.push_back(empty(gen) == 0 ? 0.0f : static_cast<float>(cells(gen)));
        d.rowY.push_back(static_cast<float>(top - double(res) * r));
    }
    return d;
}

// Compares the fast runs with the box-by-box painting on a surface of this size.
void expectSamePicture(const std::vector<MapSegment>& segs, QSize size, double scaleWidth)
{
    Canvas fast(size, scaleWidth, kOverlayScaleHeight);
    // What was on the surface before must show where no box lands.
    fast.line(0, 0, scaleWidth, kOverlayScaleHeight, QColor(0x123456));
    QImage literal = fast.image().copy();
    paintBoxByBox(literal, segs, scaleWidth, kOverlayScaleHeight);
    fast.paintRows(mapPixels(segs, {size.width(), size.height(), scaleWidth, kOverlayScaleHeight}));

    int wrong = 0;
    QPoint first;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (literal.pixel(x, y) != fast.image().pixel(x, y) && wrong++ == 0)
                first = {x, y};
    EXPECT_EQ(wrong, 0) << "first at " << first.x() << "," << first.y() << " of " << size.width()
                        << "x" << size.height();
}

} // namespace

TEST(MapRender, RunsMatchTheBoxByBoxPaintingPixelForPixel)
{
    MapView view;
    view.alturamax = 5;
    // Near and far views, so that some rows end inside and some are cut at the edge.
    for (float offsetmax : {40.0f, 12.5f, 3.3f}) {
        view.offsetmax = offsetmax;
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(testing::Message() << "offsetmax " << offsetmax << " seed " << seed);
            const auto segs = FerDistribucionsSPL(randomRows(seed, 21, 0.5f, 10.55f), view);
            expectSamePicture(segs, QSize(191, 117), 178.0);
            expectSamePicture(segs, QSize(782, 484), 177.45);
        }
    }

    // Rows thinner than a pixel, as with a fine resolution under a high view.
    view.alturamax = 60;
    view.offsetmax = 25;
    const auto thin = FerDistribucionsSPL(randomRows(7, 500, 0.2f, 109.7f), view);
    expectSamePicture(thin, QSize(211, 97), 178.0);
}

// With Label59 = 0 there is no angle: each overlay keeps its own painting.
TEST(MapRender, NoAngleLeavesPicture44ItsOwnPainting)
{
    DistributionRows rows = randomRows(11, 30, 0.3f, 8.9f);
    ProjectState state;
    state.alturamax = 4;
    state.offsetmax = 15;
    state.primerraig = 1;
    std::array<Canvas, 3> c{Canvas(QSize(633, 289), 121.06, 118),
                            Canvas(QSize(782, 484), 177.45, 212.3),
                            Canvas(QSize(782, 484), 178.0, 212.3)};
    paintMap(c[0], c[1], c[2], rows, state, 3.0f, rotationAngle("5", "0", QLocale::c()));
    EXPECT_EQ(c[1].scaleHeight(), 212.4f);
    EXPECT_NE(c[1].image(), c[2].image()); // different scale widths
    Canvas own(QSize(782, 484), 178.0, 212.4);
    own.paintRows(mapPixels(FerDistribucionsSPL(rows, {4, 15}), {782, 484, 178.0, 212.4}));
    EXPECT_EQ(c[2].image().pixel(300, 200), own.image().pixel(300, 200));
    EXPECT_EQ(c[2].image().pixel(700, 10), own.image().pixel(700, 10));
}

TEST(MapRender, RotateTurnsTheWholePictureAboutTheTopBox)
{
    RotationInputs in;
    in.width = 400;
    in.height = 300;
    in.T = 7.157f;
    in.h = 0.314f;
    in.alturamax = 9; // the centre: (212.4 - 118 * 7 / 10) * 300 / 212.4 = 183.3 -> pixel 183
    Canvas source(QSize(400, 300), 400, 300);
    source.box(10, 153, 20, 163, QColor(Qt::red)); // pixels 10..19 x 153..162
    Canvas dest(QSize(400, 300), 400, 300);
    dest.box(0, 0, 400, 300, QColor(Qt::black));

    // A quarter turn clockwise: (x, y) goes to (183 - y, 183 + x).
    Rotate(dest, source, in, std::numbers::pi / 2);
    int red = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            red += dest.image().pixelColor(x, y) == QColor(Qt::red);
    EXPECT_EQ(red, 100);
    EXPECT_EQ(dest.image().pixelColor(25, 198), QColor(Qt::red));
    // Cleared first, and white where the turned picture does not reach.
    EXPECT_EQ(dest.image().pixelColor(390, 5), QColor(Qt::white));

    // A small angle leaves the centre row's start in place.
    Canvas ramp(QSize(400, 300), 400, 300);
    for (int x = 0; x < 400; x += 4)
        ramp.box(x, 0, x + 4, 300, QColor::fromRgb(classColour(2, x * 255 / 400)));
    Rotate(dest, ramp, in, 0.1);
    EXPECT_EQ(dest.image().pixel(2, 183), ramp.image().pixel(2, 183));
    // Further out the row shows the source a little nearer the plane.
    EXPECT_EQ(dest.image().pixel(299, 183), ramp.image().pixel(297, 183));
}
