#include "spl/LevelModel.h"

#include "spl/BandAverageModel.h"
#include "spl/Bands.h"
#include "spl/ClassicModel.h"
#include "spl/CoherentModel.h"
#include "spl/Grid.h"
#include "spl/RowThreads.h"

#include <atomic>
#include <cassert>
#include <vector>

namespace spl {

std::optional<double> mapTurn(const Request& request)
{
    return turnsMap(request.model) ? request.turn : std::nullopt;
}

MapPlacement mapPlacement(const Request& r)
{
    MapPlacement p;
    p.view.alturamax = r.alturamax;
    p.view.offsetmax = r.offsetmax;
    p.view.SW1 = r.SW1;
    p.view.SH1 = kSideScaleHeight;
    p.view.SW44 = r.SW44;
    p.view.SH44 = kOverlayScaleHeight;
    p.overlay = {r.overlayWidth, r.overlayHeight, r.SW44, kOverlayScaleHeight};
    if (const std::optional<double> angle = mapTurn(r)) {
        const RotationInputs in{r.overlayWidth,     r.overlayHeight, static_cast<float>(r.T),
                                r.alturaunacaixa,   r.alturamax,     kSideScaleHeight,
                                kOverlayScaleHeight};
        p.corners = rotationCorners(in, *angle);
        p.turned = {r.overlayWidth, r.overlayHeight, r.SW33, kOverlayScaleHeight};
    }
    return p;
}

std::array<double, 2> framePoint(const MapPlacement& p, double X, double Y)
{
    const MapView& v = p.view;
    const OverlayPixels& o = p.overlay;
    const OverlayPixels& t = p.turned;
    if (!p.corners || o.width <= 0 || o.height <= 0 || !(o.scaleWidth > 0) ||
        !(o.scaleHeight > 0) || t.width <= 0 || t.height <= 0 || !(t.scaleWidth > 0) ||
        !(t.scaleHeight > 0) || v.offsetmax == 0 || v.SW1 == 0 || v.SH1 == 0)
        return {X, Y};
    // The point in Picture44's pixels, where the turned map shows it.
    const double x = X * v.SW1 / v.offsetmax * o.width / o.scaleWidth;
    const double y = (v.SH44 - v.SH1 * Y / (v.alturamax + 1.0)) * o.height / o.scaleHeight;
    // The turned picture's pixel s went to P0 + s.x / W (P1 - P0) + s.y / H (P2 - P0).
    const auto& P = *p.corners;
    const double px = x - P[0].x, py = y - P[0].y;
    const double ax = double(P[1].x - P[0].x) / t.width, ay = double(P[1].y - P[0].y) / t.width;
    const double bx = double(P[2].x - P[0].x) / t.height, by = double(P[2].y - P[0].y) / t.height;
    const double det = ax * by - ay * bx;
    if (det == 0)
        return {X, Y};
    // Back to scale units, those the turned picture was painted in.
    const double sx = (px * by - py * bx) / det * t.scaleWidth / t.width;
    const double sy = (ax * py - ay * px) / det * t.scaleHeight / t.height;
    return {sx * v.offsetmax / v.SW1, (v.SH44 - sy) * (v.alturamax + 1.0) / v.SH1};
}

LevelModel::LevelModel(const Request& request)
    : m_kind(request.model), m_placement(mapPlacement(request))
{
}

LevelModel::~LevelModel() = default;

void LevelModel::levelsAt(std::span<const float> X, std::span<const float> Y,
                          std::span<float> levels) const
{
    assert(X.size() == Y.size() && X.size() == levels.size());
    const int n = static_cast<int>(levels.size());
    if (!m_placement.corners) {
        frameLevels(X.data(), Y.data(), n, levels.data());
        return;
    }
    std::vector<float> x(levels.size()), y(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const auto [fx, fy] = framePoint(m_placement, X[i], Y[i]);
        x[i] = static_cast<float>(fx);
        y[i] = static_cast<float>(fy);
    }
    frameLevels(x.data(), y.data(), n, levels.data());
}

std::optional<Result> LevelModel::gridOf(const GridRows& g, bool keepCells, int threads,
                                         const std::function<bool()>& stop,
                                         const GridProgress& progress)
{
    Result out = g.layout;
    const int cols = out.ParticionsXmapa;
    const int rows = out.PartYFarField;
    if (keepCells)
        out.spl.resize(std::size_t(cols) * std::size_t(rows)); // every row is written
    out.distribucio.assign(std::size_t(rows) * kClasses, 0.0f);
    std::atomic<int> rowsDone{0};
    const bool done = forRowBatches(rows, threads, g.load, stop, [&](int first, int last) {
        std::vector<float> own(keepCells ? 0 : std::size_t(last - first + 1) * std::size_t(cols));
        float* levels = keepCells ? &out.spl[out.cell(first, 1)] : own.data();
        g.levels(first, last, levels);
        for (int r = first; r <= last; ++r)
            countClasses(levels + std::size_t(r - first) * std::size_t(cols), cols,
                         &out.distribucio[std::size_t(r - 1) * kClasses]);
        if (progress)
            progress(rowsDone += last - first + 1, rows);
    });
    if (!done)
        return std::nullopt;
    copyCentreRowCounts(out);
    return out;
}

std::optional<Result> LevelModel::gridWithProgress(int threads, const std::function<bool()>& stop,
                                                   const GridProgress& progress) const
{
    std::optional<Result> out = grid(threads, stop);
    if (out && progress)
        progress(1, 1);
    return out;
}

const char* levelModelName(LevelModelKind kind)
{
    return kind == LevelModelKind::Coherent ? "coherent" : "classic";
}

std::optional<LevelModelKind> levelModelNamed(const QString& name)
{
    for (LevelModelKind kind : {LevelModelKind::Classic, LevelModelKind::Coherent})
        if (name == QLatin1String(levelModelName(kind)))
            return kind;
    return std::nullopt;
}

std::unique_ptr<const LevelModel> levelModel(const Request& request)
{
    if (request.bands && validRange(*request.bands))
        return std::make_unique<BandAverageModel>(request);
    // Every kind is named here, so that a new one cannot go without its model.
    switch (request.model) {
    case LevelModelKind::Classic:
        break;
    case LevelModelKind::Coherent:
        return std::make_unique<CoherentModel>(request);
    }
    return std::make_unique<ClassicModel>(request);
}

} // namespace spl
