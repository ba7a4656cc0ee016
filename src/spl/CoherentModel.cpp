#include "spl/CoherentModel.h"

#include "spl/ArrayGeometry.h"
#include "spl/Grid.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

namespace spl {

namespace {

/// The decimal a single was typed as (0.314f is 0.314), as a double: the box's
/// height is stored as a single, but the geometry wants the figure itself.
double typedDecimal(float v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    double d = v;
    std::from_chars(text, end, d);
    return d;
}

} // namespace

CoherentSources coherentSources(const Request& in)
{
    CoherentSources s;
    const double h = typedDecimal(in.alturaunacaixa);
    const int N = std::clamp(in.N, 0, 16);
    double topX = 0, topY = in.T, degrees = 0;
    for (int j = 1; j <= N; ++j) {
        degrees += in.angle[std::size_t(j)];
        const double theta = degrees * std::numbers::pi / 180;
        const double sn = std::sin(theta), cs = std::cos(theta);
        s.x.push_back(topX - h / 2 * sn);
        s.y.push_back(topY - h / 2 * cs);
        s.aimX.push_back(cs);
        s.aimY.push_back(-sn);
        topX -= h * sn;
        topY -= h * cs;
    }
    const double f = in.frequencia, c = in.velso;
    s.quarterTurnsPerMetre = 4 * f / c;
    s.halfTurnsPerSine = f * h / c;
    s.Lbox = in.pot > 0 ? sensitivity(in.modelcaixa) + 10 * std::log10(double(in.pot))
                        : -std::numeric_limits<double>::infinity();
    return s;
}

CoherentModel::CoherentModel(const Request& request)
    : LevelModel(request), m_request(request), m_sources(coherentSources(request))
{
    m_layout.model = LevelModelKind::Coherent;
    m_layout.frequencia = request.frequencia;
    m_layout.landamig = request.landamig;
    // The classic grid, whose rows are laid out about the centre of its straight source.
    CasInclinacio(request, m_layout);
    m_refused = !PintarMapa(request, m_layout);
}

CoherentModel::~CoherentModel() = default;

bool CoherentModel::refused() const
{
    return m_refused;
}

std::optional<Result> CoherentModel::grid(int threads, const std::function<bool()>& stop) const
{
    if (m_refused)
        return std::nullopt;
    return gridOf(gridRows(), m_request.keepCells, threads, stop);
}

LevelModel::GridRows CoherentModel::gridRows() const
{
    GridRows g;
    g.layout = m_layout;
    const int cols = m_layout.ParticionsXmapa;
    g.load = static_cast<long long>(m_layout.PartYFarField) * cols *
             std::max<int>(1, int(m_sources.x.size()));
    auto X = std::make_shared<const std::vector<double>>(m_layout.columnX.begin(),
                                                         m_layout.columnX.end());
    g.levels = [this, X, cols](int first, int last, float* levels) {
        CoherentScratch scratch;
        std::vector<double> Y(static_cast<std::size_t>(cols));
        for (int r = first; r <= last; ++r) {
            std::fill(Y.begin(), Y.end(), double(m_layout.rowY[std::size_t(r - 1)]));
            coherentLevels(m_sources, X->data(), Y.data(), cols,
                           levels + std::size_t(r - first) * std::size_t(cols), scratch);
        }
    };
    return g;
}

void CoherentModel::frameLevels(const float* X, const float* Y, int n, float* levels) const
{
    // The points with a level, gathered to be computed together.
    std::vector<int> at;
    std::vector<double> x, y;
    for (int i = 0; i < n; ++i) {
        levels[i] = std::numeric_limits<float>::quiet_NaN();
        if (!m_refused && X[i] > 0) {
            at.push_back(i);
            x.push_back(X[i]);
            y.push_back(Y[i]);
        }
    }
    std::vector<float> found(at.size());
    CoherentScratch scratch;
    coherentLevels(m_sources, x.data(), y.data(), int(at.size()), found.data(), scratch);
    for (std::size_t k = 0; k < at.size(); ++k)
        levels[at[k]] = found[k];
}

} // namespace spl
