#include "spl/MapPainting.h"

#include "platform/Numbers.h"
#include "sideview/SideView.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>

namespace spl {

namespace {

constexpr uint32_t kNone = kKeepPixel; // a pixel no box has claimed yet

uint32_t rgbOf(int r, int g, int b)
{
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

// The 256 colours of the ramp of class k (1..6).
const std::array<uint32_t, kRampSteps>& rampColours(int k)
{
    static const auto table = [] {
        std::array<std::array<uint32_t, kRampSteps>, kClasses> t{};
        for (int c = 1; c <= kClasses; ++c)
            for (int i = 0; i < kRampSteps; ++i)
                t[static_cast<size_t>(c - 1)][static_cast<size_t>(i)] = classColour(c, i);
        return t;
    }();
    return table[static_cast<size_t>(std::clamp(k, 1, kClasses) - 1)];
}

// Converts scale units to pixel coordinates as the surface does (x * pixels /
// units), with a multiplication where that cannot change the result.
struct PixelScale
{
    explicit PixelScale(int pixels, double units) : pixels(pixels), units(units), inv(1.0 / units)
    {
    }
    double pixels, units, inv;
};

// floor(t) as a whole number, limited to the range a surface can use (-1
// stands for anything left of it).
inline int floorEdge(double t)
{
    if (!(t > -1.0)) // NaN too
        return -1;
    if (!(t < 1e8))
        return 100000000;
    const int i = static_cast<int>(t); // towards zero: one too many below 0
    return i - (t < i);
}

// The first pixel whose centre lies beyond pixel coordinate p: a box from a to
// b covers the pixels edge(a) up to (not including) edge(b).
inline int edge(double p)
{
    return floorEdge(p + 0.5);
}

// edge() of scale coordinate x. The product with the inverse is off by far less
// than 1e-9 pixels; only when it lies that close to a pixel centre is the
// exact quotient taken.
inline int edgeOf(double x, const PixelScale& k)
{
    const double v = x * k.pixels;
    const double t = v * k.inv + 0.5;
    const int f = floorEdge(t);
    const double fraction = t - f;
    if (fraction < 1e-9 || fraction > 1.0 - 1e-9)
        return floorEdge(v / k.units + 0.5);
    return f;
}

// The pixels of a surface's width and where their centres lie in scale units.
struct PixelColumns
{
    PixelColumns(int pixels, double units) : scale(pixels, units)
    {
        centre.reserve(static_cast<size_t>(pixels));
        for (int p = 0; p < pixels; ++p)
            centre.push_back((p + 0.5) * units / pixels);
    }
    PixelScale scale;
    std::vector<double> centre;
};

// Whether a box starting at scale coordinate `left` covers the centre of pixel
// p, at `centre` in scale units (edge(left) <= p), comparing in scale units
// where the answer is plain.
inline bool startsBy(float left, int p, double centre, const PixelColumns& c)
{
    constexpr double kNear = 1e-9;
    if (left < centre - kNear)
        return true;
    if (left > centre + kNear)
        return false;
    return edgeOf(left, c.scale) <= p;
}

// Paints one segment onto a pixel row in reverse painting order: a pixel takes
// the segment's colour only when no later box has claimed it. Every pixel at
// or right of `limit` is claimed already; the segment lowers it when its boxes
// cover a stretch without gaps from some pixel up to it.
void paintBack(const MapSegment& seg, const PixelColumns& c, std::span<uint32_t> line, int& limit)
{
    const PixelScale& k = c.scale;
    const int stop = std::min(limit, static_cast<int>(line.size()));
    if (seg.s < 0 || !std::isfinite(seg.s)) {
        // Boxes stepping leftwards: no order to rely on, look at each one.
        std::array<int, kRampSteps> first{};
        std::array<int, kRampSteps> end{};
        float left = seg.x1;
        for (size_t i = 0; i < kRampSteps; ++i) {
            first[i] = edgeOf(left, k);
            end[i] = edgeOf(static_cast<double>(left) + static_cast<double>(i), k);
            left = static_cast<float>(static_cast<double>(left) + seg.s);
        }
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

    const int lo = std::max(edgeOf(seg.x1, k), 0);
    if (lo >= stop)
        return;

    // The boxes' left edges. Adding in single precision gives exactly the
    // single nearest to the double sum, so the running sum is kept as a float.
    std::array<float, kRampSteps> lefts;
    float left = seg.x1;
    for (float& l : lefts) {
        l = left;
        left += seg.s;
    }

    // Where box i ends. When it reaches the next box's start (as every box
    // wider than a step does, and the first box, which is painted up to the
    // second) it covers every pixel before that start, and those are all the
    // pixels it can show.
    const int lastEnd = edgeOf(static_cast<double>(lefts[kRampSteps - 1]) + (kRampSteps - 1), k);
    const auto endOf = [&](int i) {
        if (i == 0)
            return INT_MAX;
        if (i == kRampSteps - 1)
            return lastEnd;
        const double right = static_cast<double>(lefts[static_cast<size_t>(i)]) + i;
        return right >= lefts[static_cast<size_t>(i) + 1] ? INT_MAX : edgeOf(right, k);
    };

    // Both edges of the boxes grow with i, so a pixel belongs to the last box
    // starting at or before it, when that box reaches it. The boxes follow
    // each other by s, which tells where to look.
    const double perBox = seg.s > 0 ? 1.0 / seg.s : 0.0;
    const std::array<uint32_t, kRampSteps>& colours = rampColours(seg.k);
    int gap = lo - 1; // the last pixel the segment leaves uncovered
    for (int p = lo; p < stop; ++p) {
        const double centre = c.centre[static_cast<size_t>(p)];
        const double guess = perBox > 0 ? (centre - seg.x1) * perBox : kRampSteps;
        int J = guess >= kRampSteps - 1 ? kRampSteps - 1 : guess > 0 ? static_cast<int>(guess) : 0;
        while (J < kRampSteps - 1 && startsBy(lefts[static_cast<size_t>(J) + 1], p, centre, c))
            ++J;
        while (J > 0 && !startsBy(lefts[static_cast<size_t>(J)], p, centre, c))
            --J;
        if (p >= endOf(J)) {
            gap = p;
            continue;
        }
        uint32_t& pixel = line[static_cast<size_t>(p)];
        if (pixel == kNone)
            pixel = colours[static_cast<size_t>(J)];
    }
    // From just after the last gap, everything up to the edge is claimed now.
    limit = std::min(limit, gap + 1);
}

} // namespace

DistributionRows distributionRows(const Result& result)
{
    DistributionRows d;
    d.rows = result.PartYFarField;
    d.counts = result.distribucio;
    d.rowY.reserve(static_cast<size_t>(std::max(0, d.rows)));
    for (int r = 1; r <= d.rows; ++r)
        d.rowY.push_back(result.MatriuY(r, 1));
    d.PasHoritzontal = result.PasHoritzontal;
    d.resolucioy = result.resolucioy;
    return d;
}

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
    const int rows = std::max(0, std::min({in.rows, static_cast<int>(in.counts.size() / kClasses),
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

void mapLines(const std::vector<MapSegment>& segments, const OverlayPixels& o, const LineSink& sink)
{
    const int width = o.width, height = o.height;
    if (width <= 0 || height <= 0 || !(o.scaleWidth > 0) || !(o.scaleHeight > 0))
        return;

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
    std::vector<std::vector<int>> covering(static_cast<size_t>(height));
    for (size_t g = 0; g < groups.size(); ++g) {
        const MapSegment& s = segments[groups[g].from];
        const double a = static_cast<double>(std::min(s.y1, s.y2)) * o.height / o.scaleHeight;
        const double b = static_cast<double>(std::max(s.y1, s.y2)) * o.height / o.scaleHeight;
        const int from = std::max(edge(a), 0), to = std::min(edge(b), height);
        for (int y = from; y < to; ++y)
            covering[static_cast<size_t>(y)].push_back(static_cast<int>(g));
    }

    const PixelColumns across(width, o.scaleWidth);
    std::vector<uint32_t> line(static_cast<size_t>(width));
    // The boxes of the last line made (class, start and step of each segment,
    // in painting order): pixel rows covered by boxes alike show the same line.
    std::vector<std::array<float, 3>> lastKey, key;
    bool made = false;
    for (int y = 0; y < height; ++y) {
        const auto& here = covering[static_cast<size_t>(y)];
        if (here.empty())
            continue;
        key.clear();
        for (int g : here) {
            const Group& group = groups[static_cast<size_t>(g)];
            for (size_t i = group.from; i < group.to; ++i)
                key.push_back({static_cast<float>(segments[i].k), segments[i].x1, segments[i].s});
            key.push_back({0, 0, 0}); // end of a row
        }
        const bool same = made && key == lastKey;
        if (!same) {
            std::fill(line.begin(), line.end(), kNone);
            int limit = width;
            for (auto g = here.rbegin(); g != here.rend() && limit > 0; ++g) {
                const Group& group = groups[static_cast<size_t>(*g)];
                for (size_t i = group.to; i-- > group.from && limit > 0;)
                    paintBack(segments[i], across, line, limit);
            }
            std::swap(key, lastKey);
            made = true;
        }
        sink(y, line, same);
    }
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
