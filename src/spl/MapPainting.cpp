#include "spl/MapPainting.h"

#include "platform/Numbers.h"
#include "sideview/SideView.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace spl {

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu; // a pixel no box has claimed yet

uint32_t rgbOf(int r, int g, int b)
{
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

// The first pixel whose centre lies beyond pixel coordinate p: a box from a to
// b covers the pixels edge(a) up to (not including) edge(b).
int edge(double p)
{
    const double e = std::floor(p + 0.5);
    if (!(e > -1.0))
        return -1;
    return e < 1e8 ? static_cast<int>(e) : 100000000;
}

// Paints one segment onto a pixel row in reverse painting order: a pixel takes
// the segment's colour only when no later box has claimed it. Every pixel at
// or right of `limit` is claimed already; the segment lowers it when its boxes
// cover a stretch without gaps from some pixel up to it.
void paintBack(const MapSegment& seg, const OverlayPixels& o, std::vector<uint32_t>& line,
               int& limit)
{
    std::array<int, kRampSteps> first{};
    std::array<int, kRampSteps> end{};
    float left = seg.x1;
    for (int i = 0; i < kRampSteps; ++i) {
        first[static_cast<size_t>(i)] = edge(static_cast<double>(left) * o.width / o.scaleWidth);
        end[static_cast<size_t>(i)] =
            edge((static_cast<double>(left) + i) * o.width / o.scaleWidth);
        left = static_cast<float>(static_cast<double>(left) + seg.s);
    }
    const int stop = std::min(limit, o.width);

    if (seg.s < 0 || !std::isfinite(seg.s)) {
        // Boxes stepping leftwards: no order to rely on, look at each one.
        for (int p = 0; p < stop; ++p) {
            if (line[static_cast<size_t>(p)] != kNone)
                continue;
            for (int i = kRampSteps - 1; i >= 0; --i) {
                if (first[static_cast<size_t>(i)] <= p && p < end[static_cast<size_t>(i)]) {
                    line[static_cast<size_t>(p)] = classColour(seg.k, i);
                    break;
                }
            }
        }
        return;
    }

    // Both edges grow with i, so the last box starting at or before a pixel is
    // the only one that can be the last to cover it.
    size_t i = 0;
    for (int p = std::max(first[0], 0); p < stop; ++p) {
        while (i + 1 < kRampSteps && first[i + 1] <= p)
            ++i;
        if (line[static_cast<size_t>(p)] == kNone && end[i] > p)
            line[static_cast<size_t>(p)] = classColour(seg.k, static_cast<int>(i));
    }

    // The stretch the boxes cover without a gap up to the last box's end.
    const size_t last = kRampSteps - 1;
    if (end[last] <= first[last] || end[last] < stop)
        return;
    int start = first[last];
    for (size_t j = last; j-- > 0;) {
        if (end[j] <= first[j])
            continue;
        if (end[j] < start)
            break;
        start = first[j];
    }
    limit = std::min(limit, std::max(start, 0));
}

} // namespace

uint32_t classColour(int k, int i)
{
    const int c = std::clamp(i, 0, 255);
    switch (k) {
    case 1:
        return rgbOf(255, 0, 255 - c);
    case 2:
        return rgbOf(255, c, 0);
    case 3:
        return rgbOf(255 - c, 255, 0);
    case 4:
        return rgbOf(0, 255, c);
    case 5:
        return rgbOf(0, 255 - c, 255);
    default:
        return rgbOf(0, 0, 255 - c);
    }
}

std::vector<MapSegment> FerDistribucionsSPL(const DistributionRows& in, const MapView& view)
{
    std::vector<MapSegment> out;
    const int rows = std::max(
        0, std::min({in.rows, static_cast<int>(in.counts.size() / kClasses),
                     static_cast<int>(in.rowY.size())}));
    const double SH44 = view.SH44, SH1 = view.SH1;
    const double height = static_cast<double>(view.alturamax) + 1.0;
    const double half = static_cast<double>(in.resolucioy) / 2.0;

    for (int r = 1; r <= rows; ++r) {
        const double Y = in.rowY[static_cast<size_t>(r - 1)];
        const float y1 = r == 1 ? 0.0f : static_cast<float>(SH44 - SH1 * (Y + half) / height);
        float y2 = static_cast<float>(SH44 - SH1 * (Y - half) / height);
        if (y2 >= view.SH44 || r == rows)
            y2 = view.SH44;

        float x1 = 0.0f; // surface units
        float A = 0.0f;  // metres
        for (int k = 1; k <= kClasses; ++k) {
            const float n = in.counts[static_cast<size_t>((r - 1) * kClasses + k - 1)];
            if (n == 0.0f)
                continue;
            float Anext = static_cast<float>(static_cast<double>(n) * in.PasHoritzontal + A);
            float xEnd = static_cast<float>(static_cast<double>(Anext) * view.SW1 / view.offsetmax);
            if (xEnd >= view.SW44) {
                // Cut at the right edge; what follows in the row lies beyond it.
                xEnd = view.SW44;
                Anext = static_cast<float>(1.5 * view.offsetmax);
            }
            const float s = static_cast<float>((static_cast<double>(xEnd) - x1) / kRampSteps);
            out.push_back({r, k, x1, xEnd, s, y1, y2});
            x1 = xEnd;
            A = Anext;
        }
    }
    return out;
}

PixelRuns mapRuns(const std::vector<MapSegment>& segments, const OverlayPixels& o)
{
    PixelRuns out;
    out.width = std::max(o.width, 0);
    out.height = std::max(o.height, 0);
    out.rowStart.assign(static_cast<size_t>(out.height) + 1, 0);
    if (out.width == 0 || out.height == 0 || !(o.scaleWidth > 0) || !(o.scaleHeight > 0))
        return out;

    // Neighbouring segments of one row share its band of pixel rows.
    struct Group
    {
        size_t from, to; // segments [from, to)
    };
    std::vector<Group> groups;
    for (size_t i = 0; i < segments.size(); ++i) {
        const MapSegment& s = segments[i];
        if (!groups.empty()) {
            const MapSegment& prev = segments[groups.back().from];
            if (prev.row == s.row && prev.y1 == s.y1 && prev.y2 == s.y2) {
                groups.back().to = i + 1;
                continue;
            }
        }
        groups.push_back({i, i + 1});
    }

    // For every pixel row, the groups whose boxes cover its centre, in painting order.
    std::vector<std::vector<int>> covering(static_cast<size_t>(out.height));
    for (size_t g = 0; g < groups.size(); ++g) {
        const MapSegment& s = segments[groups[g].from];
        const double a = static_cast<double>(std::min(s.y1, s.y2)) * o.height / o.scaleHeight;
        const double b = static_cast<double>(std::max(s.y1, s.y2)) * o.height / o.scaleHeight;
        const int from = std::max(edge(a), 0), to = std::min(edge(b), out.height);
        for (int y = from; y < to; ++y)
            covering[static_cast<size_t>(y)].push_back(static_cast<int>(g));
    }

    std::vector<uint32_t> line(static_cast<size_t>(out.width));
    for (int y = 0; y < out.height; ++y) {
        const auto& here = covering[static_cast<size_t>(y)];
        if (y > 0 && here == covering[static_cast<size_t>(y - 1)]) {
            // The same boxes as the row above: the same runs.
            const size_t from = out.rowStart[static_cast<size_t>(y - 1)];
            const size_t to = out.rowStart[static_cast<size_t>(y)];
            for (size_t i = from; i < to; ++i)
                out.runs.push_back(out.runs[i]);
            out.rowStart[static_cast<size_t>(y) + 1] = out.runs.size();
            continue;
        }
        std::fill(line.begin(), line.end(), kNone);
        int limit = out.width;
        for (auto g = here.rbegin(); g != here.rend() && limit > 0; ++g) {
            const Group& group = groups[static_cast<size_t>(*g)];
            for (size_t i = group.to; i-- > group.from && limit > 0;)
                paintBack(segments[i], o, line, limit);
        }
        for (int x = 0; x < out.width;) {
            const uint32_t c = line[static_cast<size_t>(x)];
            int e = x + 1;
            while (e < out.width && line[static_cast<size_t>(e)] == c)
                ++e;
            if (c != kNone)
                out.runs.push_back({x, e, c});
            x = e;
        }
        out.rowStart[static_cast<size_t>(y) + 1] = out.runs.size();
    }
    return out;
}

PointL RotarPunt(int32_t cx, int32_t cy, PointL& P, double a)
{
    const double dx = static_cast<double>(P.x) - cx;
    const double dy = static_cast<double>(P.y) - cy;
    P.x = static_cast<int32_t>(numbers::roundHalfEven(std::cos(a) * dx - std::sin(a) * dy)) + cx;
    P.y = static_cast<int32_t>(numbers::roundHalfEven(std::sin(a) * dx + std::cos(a) * dy)) + cy;
    return P;
}

std::optional<double> rotationAngle(const QString& combo30, const QString& label59,
                                    const QLocale& locale)
{
    if (!numbers::isNumber(label59, locale))
        return std::nullopt;
    const double tilt = numbers::toDouble(label59, locale);
    if (tilt == 0.0)
        return std::nullopt;
    return numbers::toDouble(combo30, locale) * 38.0 / tilt / 100.0;
}

std::array<PointL, 3> rotationCorners(const RotationInputs& in, double angle)
{
    std::array<PointL, 3> P = {PointL{0, 0}, PointL{in.width, 0}, PointL{0, in.height}};
    const float yR = static_cast<float>(static_cast<double>(in.T) - in.h / 2.0);
    const double yScale = in.SH44 - static_cast<double>(in.SH1) * yR / (in.alturamax + 1.0);
    const auto cy = static_cast<int32_t>(numbers::roundHalfEven(yScale * in.height / in.SH44));
    for (PointL& p : P)
        RotarPunt(0, cy, p, angle);
    return P;
}

void RepintarAreas(const ProjectState& state, DrawList& ops)
{
    using namespace sideview;
    for (int s : {Picture1, Picture33, Picture44})
        ops.push_back(draw::lineWidth(s, 2));
    for (int n = areasInUse(state.seleccio); n >= 1; --n) {
        const AreaView& a = state.areaView[static_cast<size_t>(n)];
        for (int s : {Picture33, Picture44})
            ops.push_back(draw::line(s, a.X1, a.Y1, a.X2, a.Y2, rgb::Black));
    }
}

void RepintarRaig(const ProjectState& state, DrawList& ops)
{
    using namespace sideview;
    for (int s : {Picture1, Picture33, Picture44})
        ops.push_back(draw::lineWidth(s, 1));
    const auto ray = [&](size_t k) {
        for (int s : {Picture33, Picture44})
            ops.push_back(draw::line(s, state.x1raig[k], state.y1raig[k], state.x2raig[k],
                                     state.y2raig[k], rgb::Black));
    };
    const int N = boxesInUse(state.numcaixes);
    if (state.primerraig == 2)
        ray(1);
    for (int k = std::max<int>(state.primerraig, 1); k <= N; ++k)
        ray(static_cast<size_t>(k));
}

} // namespace spl
