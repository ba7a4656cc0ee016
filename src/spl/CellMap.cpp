#include "spl/CellMap.h"

#include "spl/Grid.h"
#include "spl/LevelModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace spl {

namespace {

/// Top and bottom of each class's ramp, dB.
constexpr double kClassTop[kClasses] = {130, 120, 110, 105, 100, 95};
constexpr double kClassBottom[kClasses] = {120, 110, 105, 100, 95, 85};

/// Metres of a point of the unturned overlay, in its scale units.
std::array<double, 2> metresOf(const MapView& v, double x, double y)
{
    const double X = v.SW1 != 0 ? x * v.offsetmax / v.SW1 : 0;
    const double Y = v.SH1 != 0 ? (v.SH44 - y) * (v.alturamax + 1.0) / v.SH1 : 0;
    return {X, Y};
}

} // namespace

std::array<double, 2> viewPoint(const MapView& view, double x44, double y44)
{
    return metresOf(view, x44, y44);
}

std::array<double, 2> picture44Point(const MapView& v, double X, double Y)
{
    const double x = v.offsetmax != 0 ? X * v.SW1 / v.offsetmax : 0;
    const double y = v.SH44 - v.SH1 * Y / (v.alturamax + 1.0);
    return {x, y};
}

QString mapStyleName(MapStyle style)
{
    return style == MapStyle::Cells ? QStringLiteral("cells") : QStringLiteral("distribution");
}

std::optional<MapStyle> mapStyleNamed(const QString& name)
{
    for (MapStyle s : {MapStyle::Distribution, MapStyle::Cells})
        if (name == mapStyleName(s))
            return s;
    return std::nullopt;
}

uint32_t cellColour(float L)
{
    const int k = levelClass(L);
    if (std::isnan(L) || std::isinf(L))
        return classColour(k, kRampSteps - 1);
    const double top = kClassTop[k - 1], bottom = kClassBottom[k - 1];
    const double t = std::clamp((top - double(L)) / (top - bottom), 0.0, 1.0);
    const int i = static_cast<int>(std::nearbyint(t * (kRampSteps - 1)));
    return classColour(k, i);
}

std::optional<CellIndex> cellAt(const Result& r, double X, double Y)
{
    if (r.ParticionsXmapa <= 0 || r.PartYFarField <= 0 || !(X > 0) || !std::isfinite(Y) ||
        !(r.PasHoritzontal > 0))
        return std::nullopt;
    const double column = std::floor(X / r.PasHoritzontal) + 1;
    if (column > r.ParticionsXmapa)
        return std::nullopt;
    const double top = double(r.rowY[0]) + r.resolucioy / 2.0;
    const double row = r.resolucioy > 0 ? std::floor((top - Y) / r.resolucioy) + 1 : 1;
    const double last = r.PartYFarField;
    return CellIndex{static_cast<int>(std::clamp(row, 1.0, last)), static_cast<int>(column)};
}

std::array<double, 2> planePoint(const MapPlacement& p, double x44, double y44)
{
    const auto [X, Y] = metresOf(p.view, x44, y44);
    return framePoint(p, X, Y);
}

std::optional<float> levelUnder(const Result& result, const MapPlacement& placement, double x44,
                                double y44)
{
    if (result.spl.empty())
        return std::nullopt;
    const auto [X, Y] = planePoint(placement, x44, y44);
    const std::optional<CellIndex> cell = cellAt(result, X, Y);
    if (!cell)
        return std::nullopt;
    return result.MatriuSPL(cell->row, cell->column);
}

void cellLines(const Result& result, const MapView& view, const OverlayPixels& overlay,
               const LineSink& sink)
{
    if (result.spl.empty() || overlay.width <= 0 || overlay.height <= 0)
        return;
    // The cell of each pixel column, or 0 beyond the grid.
    std::vector<int> columnOf(std::size_t(overlay.width), 0);
    for (int px = 0; px < overlay.width; ++px) {
        const double x = (px + 0.5) * overlay.scaleWidth / overlay.width;
        if (const auto cell = cellAt(result, metresOf(view, x, 0)[0], result.rowY[0]))
            columnOf[std::size_t(px)] = cell->column;
    }
    std::vector<uint32_t> line(std::size_t(overlay.width));
    int lastRow = 0;
    for (int py = 0; py < overlay.height; ++py) {
        const double y = (py + 0.5) * overlay.scaleHeight / overlay.height;
        const double Y = metresOf(view, 0, y)[1];
        const std::optional<CellIndex> any = cellAt(result, result.columnX[0], Y);
        if (!any)
            continue;
        const bool same = any->row == lastRow;
        if (!same) {
            for (int px = 0; px < overlay.width; ++px) {
                const int c = columnOf[std::size_t(px)];
                line[std::size_t(px)] =
                    c > 0 ? cellColour(result.MatriuSPL(any->row, c)) : kKeepPixel;
            }
            lastRow = any->row;
        }
        sink(py, line, same);
    }
}

} // namespace spl
