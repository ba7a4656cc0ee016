#include "platform/paint/Canvas.h"

#include <gtest/gtest.h>
#include <limits>

// In its scale units (4 pixels a unit across, 10 down) it replays only its own
// operations and none with a point at infinity; a line is as wide as the width
// last asked for, a point a dot as wide, and no colour is the foreground.
TEST(Canvas, ReplaysItsOwnFiniteOperationsInItsScaleUnits)
{
    Canvas c(QSize(200, 100), 50, 10);
    const double inf = std::numeric_limits<double>::infinity();
    c.replay({draw::line(2, 0, 2, 50, 2, 0xFF0000), draw::line(1, 0, 5, 50, 5, 0xFF0000),
              draw::line(1, 10, 0, 10, 10), draw::box(1, 30, 7, inf, 9, 0x0000FF),
              draw::lineWidth(1, 3), draw::line(1, 0, 3, 50, 3, 0x00FF00),
              draw::point(1, 40, 8, 0xFF0000)},
             1);
    EXPECT_EQ(c.lineWidth(), 3);
    const QColor white(Qt::white), black(Qt::black), red(0xFF0000), green(0x00FF00);
    const struct
    {
        double x, y;
        QColor colour;
    } probes[] = {{25, 5, red},    {25, 2, white},   {10, 7, black},   {30, 8, white},
                  {25, 3, green},  {25, 3.1, green}, {25, 3.3, white}, {40, 8, red},
                  {40.25, 8, red}, {40.75, 8, white}};
    for (const auto& p : probes)
        EXPECT_EQ(c.image().pixelColor(c.toPixels(p.x, p.y).toPoint()), p.colour)
            << p.x << "," << p.y;
}
