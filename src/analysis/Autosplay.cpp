#include "analysis/Autosplay.h"

#include "analysis/AutosplaySearch.h"
#include "project/data/BoxModel.h"
#include "spl/Bands.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace spl {

namespace {

std::vector<double> numbersOf(const QStringList& items)
{
    const QLocale c = QLocale::c();
    std::vector<double> out;
    for (const QString& item : items)
        out.push_back(c.toDouble(item));
    return out;
}

/// The request whose model gives the levels the search weighs: the box-by-box
/// model, band-averaged over the options' range, with `angles` for boxes 1..N.
Request scoringRequest(const Request& request, const AutosplayOptions& options,
                       std::span<const double> angles)
{
    Request r = request;
    r.model = LevelModelKind::Coherent;
    r.bands = options.bands;
    for (std::size_t j = 0; j < angles.size() && j < 16; ++j)
        r.angle[j + 1] = angles[j];
    return r;
}

/// J and the spread of the model's levels along the areas.
AutosplayScore scoreOf(const AreaLevels& levels, double slope)
{
    std::vector<double> x, L;
    for (const AreaCurve& curve : levels.areas)
        for (const AreaPoint& p : curve.points)
            if (std::isfinite(p.level)) {
                x.push_back(p.distance);
                L.push_back(p.level);
            }
    if (L.empty())
        return {NAN, NAN};
    const std::vector<double> t = targetLevels(x, slope);
    std::vector<double> residual(L.size());
    for (std::size_t i = 0; i < L.size(); ++i)
        residual[i] = L[i] - t[i];
    return {deviation(residual), levels.overall.spread};
}

std::vector<double> currentAngles(const Request& request)
{
    std::vector<double> out;
    for (int j = 1; j <= std::clamp(request.N, 0, 16); ++j)
        out.push_back(request.angle[std::size_t(j)]);
    return out;
}

} // namespace

std::vector<double> tiltChoices()
{
    return numbersOf(firstBoxAngleList());
}

std::vector<double> splayChoices(int16_t modelcaixa)
{
    return numbersOf(boxModel(modelcaixa).angleList(QLocale::c()));
}

std::vector<double> targetLevels(std::span<const double> distances, double slope)
{
    std::vector<double> t(distances.size(), 0.0);
    if (distances.empty())
        return t;
    const double x0 = *std::min_element(distances.begin(), distances.end());
    for (std::size_t i = 0; i < distances.size(); ++i)
        t[i] = -slope * std::log2(distances[i] / x0);
    return t;
}

double deviation(std::span<const double> values)
{
    if (values.empty())
        return 0;
    double mean = 0;
    for (const double v : values)
        mean += v;
    mean /= double(values.size());
    double squares = 0;
    for (const double v : values)
        squares += (v - mean) * (v - mean);
    return std::sqrt(squares / double(values.size()));
}

AutosplayScore autosplayScore(const Request& request, std::span<const AreaSegment> areas,
                              const AutosplayOptions& options, std::span<const double> angles)
{
    const AreaLevels levels =
        areaLevels(scoringRequest(request, options, angles), areas, options.listeningHeight);
    return scoreOf(levels, options.slope);
}

std::optional<AutosplayProposal> autosplay(const Request& request,
                                           std::span<const AreaSegment> areas,
                                           const AutosplayOptions& options,
                                           const std::function<bool()>& stop,
                                           const std::function<void(double)>& progress)
{
    const int N = std::clamp(request.N, 0, 16);
    const std::vector<int16_t> bands = bandsOf(options.bands);
    if (N == 0 || bands.empty())
        return std::nullopt;
    const std::vector<double> current = currentAngles(request);

    AutosplayChoices choices;
    choices.tilts = options.keepTilt ? std::vector<double>{current[0]} : tiltChoices();
    for (const double s : splayChoices(request.modelcaixa))
        if (s >= options.minSplay - 1e-9)
            choices.splays.push_back(s);
    if (N > 1 && choices.splays.empty())
        return std::nullopt;

    // The listening points with a level: those in front of the array.
    std::vector<double> X, Y;
    for (const AreaSegment& area : areas)
        for (const AreaPoint& p : areaPoints(area, options.listeningHeight))
            if (p.distance > 0) {
                X.push_back(p.distance);
                Y.push_back(p.height);
            }
    if (X.empty())
        return std::nullopt;
    std::vector<double> weights;
    for (const int16_t hz : bands)
        weights.push_back(bandWeight(hz, options.bands.weighting));
    Request array = request;
    array.model = LevelModelKind::Coherent;
    AutosplayEvaluator evaluator(array, X, Y, targetLevels(X, options.slope), bands, weights);

    AutosplaySearch search(evaluator, choices, stop, progress);
    std::optional<std::vector<double>> best =
        search.run({current, geometricGuess(array, X, Y, choices)});
    if (!best)
        return std::nullopt;

    AutosplayProposal out;
    out.current = current;
    out.proposed = *best;
    out.evaluated = search.evaluated();
    out.levelsBefore =
        areaLevels(scoringRequest(request, options, current), areas, options.listeningHeight);
    out.levelsAfter =
        areaLevels(scoringRequest(request, options, *best), areas, options.listeningHeight);
    if (out.levelsBefore.refused || out.levelsAfter.refused)
        return std::nullopt;
    const AutosplayScore before = scoreOf(out.levelsBefore, options.slope);
    const AutosplayScore after = scoreOf(out.levelsAfter, options.slope);
    out.Jbefore = before.J;
    out.Jafter = after.J;
    out.spreadBefore = before.spread;
    out.spreadAfter = after.spread;
    for (std::size_t a = 0; a < out.levelsAfter.areas.size(); ++a)
        out.areas.push_back({out.levelsAfter.areas[a].number, out.levelsBefore.areas[a].stats,
                             out.levelsAfter.areas[a].stats});
    if (progress)
        progress(1.0);
    return out;
}

} // namespace spl
