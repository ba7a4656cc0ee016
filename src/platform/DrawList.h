#pragma once

#include <cmath>
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

/// Walks the operations of `list` that belong to `surface`, in order, and
/// hands each to the matching member of `target`: clear(), lineWidth(width),
/// line(x1, y1, x2, y2, rgb), point(x, y, rgb), box(x1, y1, x2, y2, rgb). Every
/// kind of target (pixels on a screen or in an image, shapes on a printer)
/// replays a list through here, so they all read it the same way. An
/// operation with a coordinate that is not finite is skipped: a degenerate view
/// (no height at all) can put points at infinity.
template <typename Target> void replayOps(const DrawList& list, int surface, Target& target)
{
    for (const DrawOp& op : list) {
        if (op.surface != surface)
            continue;
        if (!std::isfinite(op.x1) || !std::isfinite(op.y1) || !std::isfinite(op.x2) ||
            !std::isfinite(op.y2))
            continue;
        switch (op.kind) {
        case DrawOp::Kind::Clear:
            target.clear();
            break;
        case DrawOp::Kind::LineWidth:
            target.lineWidth(op.width);
            break;
        case DrawOp::Kind::Line:
            target.line(op.x1, op.y1, op.x2, op.y2, op.rgb);
            break;
        case DrawOp::Kind::Point:
            target.point(op.x1, op.y1, op.rgb);
            break;
        case DrawOp::Kind::Box:
            target.box(op.x1, op.y1, op.x2, op.y2, op.rgb);
            break;
        }
    }
}

/// A pixel of a picture computed pixel by pixel (the colour map) that keeps
/// what the surface showed; other pixels are 0xRRGGBB.
inline constexpr uint32_t kKeepPixel = 0xFFFFFFFFu;

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
