#include "spl/CellMap.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace spl;

// Each class runs along its ramp between the legend's colours.
TEST(CellMap, ColourOfKnownLevels)
{
    const std::pair<float, uint32_t> cases[] = {
        {140, 0xFF00FF},                          // above the ramp of class 1: its start
        {125, 0xFF007F},                          // half way: step 127.5 rounds to the even 128
        {120, 0xFF0000},                          // the top of class 2
        {110, 0xFFFF00},                          // the top of class 3
        {105, 0x00FF00},                          // the top of class 4
        {100, 0x00FFFF},                          // the top of class 5
        {101, 0x00FFCC},                          // green to cyan: 255 * 4 / 5 = 204
        {95, 0x0000FF},                           // the bottom of class 5: blue
        {94.9f, 0x0000FC},                        // just inside class 6: step 2.55 rounds to 3
        {60, 0x000000},    {-INFINITY, 0x000000}, // black, and no value
    };
    for (const auto& [level, colour] : cases)
        EXPECT_EQ(cellColour(level), colour) << level;
    EXPECT_FALSE(mapStyleNamed("Cells"));
}

// The cell under a point (the top row reaching up to the top of the map, the
// last down to the floor, none beyond the last column or at the array plane),
// its level on an unturned map (the turned one is read through the level
// model), and every pixel of the overlay in the colour of its cell.
TEST(CellMap, PointsAndPixelsTakeTheirCell)
{
    // 3 rows of 0.5 m centred at 2.5, 2 and 1.5 m, 4 columns of 1 m, levels
    // from 126 dB down in 4 dB steps.
    Result r;
    r.ParticionsXmapa = 4;
    r.PartYFarField = 3;
    r.PasHoritzontal = 1;
    r.resolucioy = 0.5f;
    r.columnX = {0.5f, 1.5f, 2.5f, 3.5f};
    r.rowY = {2.5f, 2.0f, 1.5f};
    for (int i = 0; i < 12; ++i)
        r.spl.push_back(126.0f - 4 * i);
    EXPECT_EQ(cellAt(r, 3.99, 1.76), (CellIndex{2, 4}));
    EXPECT_EQ(cellAt(r, 2.2, 1.74), (CellIndex{3, 3}));
    EXPECT_EQ(cellAt(r, 1.2, 9.0), (CellIndex{1, 2}));
    EXPECT_EQ(cellAt(r, 1.2, 0.0), (CellIndex{3, 2}));
    EXPECT_FALSE(cellAt(r, 4.01, 2));
    EXPECT_FALSE(cellAt(r, 0, 2));

    // A view of 8 m by 3 m (alturamax 2) on an unturned overlay of 160 x 108
    // pixels, 1.8 times the view's height: 5.4 m.
    MapPlacement p;
    p.view = {.alturamax = 2, .offsetmax = 8, .SW1 = 80, .SH1 = 60, .SW44 = 80, .SH44 = 108};
    p.overlay = {160, 108, 80, 108};
    EXPECT_EQ(levelUnder(r, p, 25, 68), r.MatriuSPL(2, 3)); // 2.5 m, 2 m: the cell's centre

    std::vector<std::vector<uint32_t>> picture(108);
    cellLines(r, p.view, p.overlay, [&](int y, std::span<const uint32_t> line, bool) {
        picture[std::size_t(y)].assign(line.begin(), line.end());
    });
    for (const auto& line : picture) // every line lies on some row
        ASSERT_EQ(line.size(), 160u);
    for (int py = 0; py < 108; ++py)
        for (int px = 0; px < 160; ++px) {
            const double X = (px + 0.5) * 8 / 160, Y = (108 - (py + 0.5)) * 3 / 60;
            const std::optional<CellIndex> cell = cellAt(r, X, Y);
            const uint32_t want =
                cell ? cellColour(r.MatriuSPL(cell->row, cell->column)) : kKeepPixel;
            ASSERT_EQ(picture[std::size_t(py)][std::size_t(px)], want) << px << "," << py;
        }
    r.spl.clear(); // a result that kept no cells
    EXPECT_FALSE(levelUnder(r, p, 25, 68));
}
