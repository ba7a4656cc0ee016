#include "picture/MapRender.h"

#include "platform/paint/Canvas.h"
#include "sideview/SideView.h"

namespace spl {

namespace {

OverlayPixels overlayOf(const Canvas& c)
{
    return {c.image().width(), c.image().height(), c.scaleWidth(), c.scaleHeight()};
}

} // namespace

void Rotate(Canvas& picDest, const Canvas& picsrc, const RotationInputs& in, double angle)
{
    picDest.clear();
    const std::array<PointL, 3> P = rotationCorners(in, angle);
    const auto at = [](PointL p) { return QPointF(p.x, p.y); };
    picDest.transferPixels(picsrc, at(P[0]), at(P[1]), at(P[2]));
}

namespace {

/// Sets the map's scale heights, paints the overlay picture with `paint`
/// on Picture33 and on Picture44 (or turns Picture33's into it), then draws
/// the areas and rays over both.
MapPlacement placeMap(Canvas& picture1, Canvas& picture33, Canvas& picture44,
                      const ProjectState& state, float T, std::optional<double> angle,
                      const std::function<void(const MapView&, Canvas&)>& paint)
{
    picture1.setScaleHeight(kSideScaleHeight);
    picture33.setScaleHeight(kOverlayScaleHeight);
    picture44.setScaleHeight(kOverlayScaleHeight);

    MapPlacement placed;
    MapView& view = placed.view;
    view.alturamax = state.alturamax;
    view.offsetmax = state.offsetmax;
    view.SW1 = static_cast<float>(picture1.scaleWidth());
    view.SH1 = static_cast<float>(picture1.scaleHeight());
    view.SW44 = static_cast<float>(picture44.scaleWidth());
    view.SH44 = static_cast<float>(picture44.scaleHeight());
    placed.overlay = overlayOf(picture44);
    paint(view, picture33);
    if (!angle) {
        paint(view, picture44);
    } else {
        // The turn clears Picture44 first, so its own painting would not be seen.
        RotationInputs in;
        in.width = picture44.image().width();
        in.height = picture44.image().height();
        in.T = T;
        in.h = state.alturaunacaixa;
        in.alturamax = state.alturamax;
        in.SH1 = view.SH1;
        in.SH44 = view.SH44;
        Rotate(picture44, picture33, in, *angle);
        placed.corners = rotationCorners(in, *angle);
        placed.turned = overlayOf(picture33);
    }

    DrawList ops;
    RepintarAreas(state, ops);
    RepintarRaig(state, ops);
    picture1.replay(ops, sideview::Picture1);
    picture33.replay(ops, sideview::Picture33);
    picture44.replay(ops, sideview::Picture44);
    return placed;
}

void paintLines(Canvas& c, const std::function<void(const LineSink&)>& lines)
{
    lines([&c](int y, std::span<const uint32_t> line, bool) { c.paintLine(y, line); });
}

} // namespace

MapPlacement paintMap(Canvas& picture1, Canvas& picture33, Canvas& picture44,
                      const DistributionRows& rows, const ProjectState& state, float T,
                      std::optional<double> angle)
{
    return placeMap(
        picture1, picture33, picture44, state, T, angle, [&rows](const MapView& view, Canvas& c) {
            const std::vector<MapSegment> segments = FerDistribucionsSPL(rows, view);
            paintLines(c, [&](const LineSink& sink) { mapLines(segments, overlayOf(c), sink); });
        });
}

MapPlacement paintMap(Canvas& picture1, Canvas& picture33, Canvas& picture44, const Result& result,
                      MapStyle style, const ProjectState& state, float T,
                      std::optional<double> angle)
{
    if (style == MapStyle::Distribution)
        return paintMap(picture1, picture33, picture44, distributionRows(result), state, T, angle);
    return placeMap(
        picture1, picture33, picture44, state, T, angle, [&result](const MapView& view, Canvas& c) {
            paintLines(c,
                       [&](const LineSink& sink) { cellLines(result, view, overlayOf(c), sink); });
        });
}

} // namespace spl
