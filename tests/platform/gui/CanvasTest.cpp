#include "platform/paint/Canvas.h"
#include "platform/gui/Surface.h"

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

QColor at(const Canvas& c, double x, double y)
{
    return c.image().pixelColor(c.toPixels(x, y).toPoint());
}

int count(const Canvas& c, QColor colour)
{
    int n = 0;
    for (int y = 0; y < c.image().height(); ++y)
        for (int x = 0; x < c.image().width(); ++x)
            n += c.image().pixelColor(x, y) == colour;
    return n;
}

} // namespace

TEST(Canvas, DrawsInItsOwnScaleUnits)
{
    // 200 x 100 pixels for 50 x 10 units: 4 pixels a unit across, 10 down.
    Canvas c(QSize(200, 100), 50, 10);
    c.line(0, 5, 50, 5, QColor(Qt::red));
    c.line(10, 0, 10, 10); // no colour: the foreground
    EXPECT_EQ((std::vector{at(c, 25, 5), at(c, 25, 2), at(c, 10, 8)}),
              (std::vector<QColor>{Qt::red, Qt::white, Qt::black}));
    c.clear();

    // A new scale height stretches what follows.
    c.setScaleHeight(20);
    c.box(0, 10, 50, 20, QColor(Qt::blue));
    EXPECT_EQ(count(c, Qt::blue), 200 * 50);
}

TEST(Canvas, ReplaysOnlyItsOwnOperationsAndSkipsPointsAtInfinity)
{
    Canvas c(QSize(100, 100), 100, 100);
    const double inf = std::numeric_limits<double>::infinity();
    DrawList ops = {draw::line(2, 0, 50, 100, 50, 0xFF0000), draw::lineWidth(1, 3),
                    draw::line(1, 0, 10, inf, 10, 0x0000FF),
                    draw::line(1, 0, 30, 100, 30, 0x00FF00), draw::point(1, 80, 80, 0xFF0000)};
    c.replay(ops, 1);
    EXPECT_EQ(count(c, QColor(0x0000FF)), 0);
    EXPECT_EQ(c.lineWidth(), 3);
    // The line three pixels wide; a point is a dot as wide as the line.
    const QColor white(Qt::white), green(0x00FF00), red(0xFF0000);
    EXPECT_EQ((std::vector{at(c, 50, 50), at(c, 50, 30), at(c, 50, 31), at(c, 80, 80),
                           at(c, 81, 80), at(c, 83, 80)}),
              (std::vector{white, green, green, red, red, white}));
}

TEST(Surface, ShowsACanvasKeptElsewhereAndReportsTheMouseInItsScale)
{
    Surface s(QStringLiteral("P"), QSize(104, 54), 400, 300);
    EXPECT_EQ(s.canvas().image().size(), QSize(100, 50)); // inside a 2-pixel border
    Canvas kept(QSize(100, 50), 200, 100);
    kept.line(0, 50, 200, 50, QColor(Qt::red));
    s.showCanvas(&kept);
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    const QImage shown = s.grab().toImage();
    EXPECT_EQ(shown.pixelColor(52, 27), QColor(Qt::red));

    QSignalSpy moved(&s, &Surface::mouseMoved);
    QTest::mouseMove(&s, QPoint(2 + 25, 2 + 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return moved.size() == 1; }));
    EXPECT_DOUBLE_EQ(moved[0][0].toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(moved[0][1].toDouble(), 20.0);
}
