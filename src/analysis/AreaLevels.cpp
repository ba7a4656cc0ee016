#include "analysis/AreaLevels.h"

#include "platform/Numbers.h"
#include "spl/LevelModel.h"

#include <algorithm>
#include <cmath>

namespace spl {

std::vector<AreaSegment> areasInUse(const ProjectFields& fields, const ProjectState& state,
                                    const QLocale& locale)
{
    // Distance, length, Z1 and Z2 of each area, by field number.
    constexpr int kFields[3][4] = {{1, 4, 2, 3}, {5, 8, 6, 7}, {9, 12, 10, 11}};
    const int used = std::clamp(static_cast<int>(state.seleccio) + 1, 1, 3);
    std::vector<AreaSegment> areas;
    for (int a = 0; a < used; ++a) {
        const auto value = [&](int i) {
            return numbers::toSingle(fields.Text[std::size_t(kFields[a][i])], locale);
        };
        areas.push_back({a + 1, value(0), value(1), value(2), value(3)});
    }
    return areas;
}

LevelStats levelStats(std::span<const float> levels)
{
    LevelStats s;
    double sum = 0;
    for (const float L : levels) {
        if (!std::isfinite(L))
            continue;
        if (s.count == 0 || L > s.max)
            s.max = L;
        if (s.count == 0 || L < s.min)
            s.min = L;
        sum += L;
        ++s.count;
    }
    if (s.count == 0)
        return s;
    const double mean = sum / s.count;
    double squares = 0;
    for (const float L : levels)
        if (std::isfinite(L))
            squares += (L - mean) * (L - mean);
    s.spread = s.max - s.min;
    s.deviation = std::sqrt(squares / s.count);
    return s;
}

std::vector<AreaPoint> areaPoints(const AreaSegment& area, double listeningHeight)
{
    const double d = area.distance;
    const double l = area.length;
    std::vector<AreaPoint> points;
    if (!std::isfinite(d) || !std::isfinite(l) || !std::isfinite(area.Z1) ||
        !std::isfinite(area.Z2))
        return points;
    if (!(std::abs(l) > 0)) {
        points.push_back({area.distance, static_cast<float>(area.Z2 + listeningHeight), 0});
        return points;
    }
    const double step =
        std::max(std::min(kAreaStep, std::abs(l) / kMinAreaPoints), std::abs(l) / kMaxAreaPoints);
    // Whole steps, with the end of the area as the last point however far it is.
    const int steps = static_cast<int>(std::ceil(std::abs(l) / step - 1e-9));
    const double slope = (double(area.Z2) - area.Z1) / l;
    points.reserve(std::size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double along = i == steps ? l : std::copysign(i * step, l);
        const double x = d + along;
        const double z = area.Z1 + slope * along + listeningHeight;
        points.push_back({static_cast<float>(x), static_cast<float>(z), 0});
    }
    return points;
}

AreaLevels areaLevels(const Request& request, std::span<const AreaSegment> areas,
                      double listeningHeight)
{
    const std::unique_ptr<const LevelModel> model = levelModel(request);
    AreaLevels out;
    out.refused = model->refused();
    if (out.refused)
        return out;
    std::vector<float> X, Y, L, all;
    for (const AreaSegment& area : areas) {
        AreaCurve curve;
        curve.number = area.number;
        curve.points = areaPoints(area, listeningHeight);
        const std::size_t n = curve.points.size();
        X.resize(n);
        Y.resize(n);
        L.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            X[i] = curve.points[i].distance;
            Y[i] = curve.points[i].height;
        }
        model->levelsAt(X, Y, L);
        for (std::size_t i = 0; i < n; ++i)
            curve.points[i].level = L[i];
        curve.stats = levelStats(L);
        all.insert(all.end(), L.begin(), L.end());
        out.areas.push_back(std::move(curve));
    }
    out.overall = levelStats(all);
    return out;
}

} // namespace spl
