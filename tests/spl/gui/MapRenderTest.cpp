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

} // namespace

// Without an angle both overlays show, pixel for pixel, the box-by-box painting
// of the rows at their own scale width over what they showed before.
TEST(MapRender, WithoutAngleBothOverlaysMatchTheBoxByBoxPainting)
{
    ProjectState state; // no areas and no rays drawn over the map
    state.seleccio = -1;
    state.numcaixes = -1;
    state.primerraig = 1;
    const auto check = [&state](const DistributionRows& rows, QSize size33, QSize size44) {
        std::array<Canvas, 3> c{Canvas(QSize(633, 289), 121.06, 118), Canvas(size33, 177.45, 212.3),
                                Canvas(size44, 178.0, 212.3)};
        std::array<QImage, 3> literal;
        for (int i : {1, 2}) {
            c[i].line(0, 0, c[i].scaleWidth(), 212.3, QColor(0x123456));
            literal[i] = c[i].image().copy();
        }
        const MapPlacement placed = paintMap(c[0], c[1], c[2], rows, state, 3.0f, std::nullopt);
        for (int i : {1, 2}) {
            paintBoxByBox(literal[i], FerDistribucionsSPL(rows, placed.view), c[i].scaleWidth(),
                          kOverlayScaleHeight);
            EXPECT_TRUE(c[i].image() == literal[i]) << "Picture" << (i == 1 ? 33 : 44);
        }
    };
    // Near and far views, so that some rows end inside and some are cut at the edge.
    state.alturamax = 5;
    for (float offsetmax : {40.0f, 12.5f, 3.3f})
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(testing::Message() << "offsetmax " << offsetmax << " seed " << seed);
            state.offsetmax = offsetmax;
            check(randomRows(seed, 21, 0.5f, 10.55f), QSize(782, 484), QSize(191, 117));
        }
    // Rows thinner than a pixel, as with a fine resolution under a high view.
    state.alturamax = 60;
    state.offsetmax = 25;
    check(randomRows(7, 500, 0.2f, 109.7f), QSize(211, 97), QSize(211, 97));
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

    // A quarter turn clockwise: (x, y) goes to (182 - y, 183 + x). Cleared
    // first, and white where the turned picture does not reach.
    Rotate(dest, source, in, std::numbers::pi / 2);
    Canvas turned(QSize(400, 300), 400, 300);
    turned.box(20, 193, 30, 203, QColor(Qt::red));
    EXPECT_EQ(dest.image(), turned.image());

    // A small angle leaves the centre row's start in place.
    Canvas ramp(QSize(400, 300), 400, 300);
    for (int x = 0; x < 400; x += 4)
        ramp.box(x, 0, x + 4, 300, QColor::fromRgb(classColour(2, x * 255 / 400)));
    Rotate(dest, ramp, in, 0.1);
    EXPECT_EQ(dest.image().pixel(2, 183), ramp.image().pixel(2, 183));
    // Further out the row shows the source a little nearer the plane.
    EXPECT_EQ(dest.image().pixel(299, 183), ramp.image().pixel(297, 183));
}
