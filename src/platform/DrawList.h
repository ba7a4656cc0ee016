#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

/// What a view draws, as plain data: the core computes a view into a list of
/// these in drawing order, and the window replays the list onto its drawing
/// surfaces (on screen, into an image or onto a printer: one path for all).
/// Coordinates are in the target surface's scale units.
struct DrawOp
{
    enum class Kind {
        Clear,     ///< erase the surface to its background
        LineWidth, ///< width in pixels for the following lines and points
        Line,      ///< (x1, y1)-(x2, y2)
        Point,     ///< a dot at (x1, y1), as wide as the line width
        Box,       ///< filled rectangle with corners (x1, y1), (x2, y2)
    };

    Kind kind = Kind::Line;
    int surface = 0; ///< which surface of the view; each view numbers its own
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
    std::optional<uint32_t> rgb; ///< 0xRRGGBB; none means the foreground colour

    bool operator==(const DrawOp&) const = default;
};

using DrawList = std::vector<DrawOp>;

/// A stretch of one pixel row in one colour, pixels x0 up to (not including) x1.
struct PixelRun
{
    int x0 = 0;
    int x1 = 0;
    uint32_t rgb = 0; ///< 0xRRGGBB

    bool operator==(const PixelRun&) const = default;
};

/// A picture computed pixel by pixel for a surface of a given pixel size, as
/// the runs of each pixel row, top row first. Pixels that no run covers keep
/// what the surface showed before. Used where drawing shape by shape would be
/// far too slow (the colour map) and the result must be exact to the pixel.
struct PixelRuns
{
    int width = 0;
    int height = 0;
    std::vector<PixelRun> runs;
    std::vector<std::size_t> rowStart; ///< height + 1 offsets into runs; row y is [rowStart[y], rowStart[y + 1])

    bool operator==(const PixelRuns&) const = default;
};

/// Small builders so that drawing code reads like the drawing it makes.
namespace draw {
inline DrawOp clear(int surface)
{
    return {DrawOp::Kind::Clear, surface, 0, 0, 0, 0, 1, std::nullopt};
}
inline DrawOp lineWidth(int surface, int width)
{
    return {DrawOp::Kind::LineWidth, surface, 0, 0, 0, 0, width, std::nullopt};
}
inline DrawOp line(int surface, double x1, double y1, double x2, double y2,
                   std::optional<uint32_t> rgb = std::nullopt)
{
    return {DrawOp::Kind::Line, surface, x1, y1, x2, y2, 1, rgb};
}
inline DrawOp point(int surface, double x, double y, std::optional<uint32_t> rgb = std::nullopt)
{
    return {DrawOp::Kind::Point, surface, x, y, x, y, 1, rgb};
}
inline DrawOp box(int surface, double x1, double y1, double x2, double y2, uint32_t rgb)
{
    return {DrawOp::Kind::Box, surface, x1, y1, x2, y2, 1, rgb};
}
} // namespace draw

/// Colours the views use.
namespace rgb {
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;
constexpr uint32_t Green = 0x008000;
constexpr uint32_t Black = 0x000000;
} // namespace rgb
