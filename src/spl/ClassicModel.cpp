#include "spl/ClassicModel.h"

#include <algorithm>

namespace spl {

ClassicModel::ClassicModel(const Request& request) : LevelModel(request), m_request(request) {}

ClassicModel::~ClassicModel() = default;

const Calculation& ClassicModel::points() const
{
    std::call_once(m_made, [this] {
        Request in = m_request;
        in.keepCells = false;
        m_points = std::make_unique<Calculation>(in);
    });
    return *m_points;
}

bool ClassicModel::refused() const
{
    return points().refused();
}

std::optional<Result> ClassicModel::grid(int threads, const std::function<bool()>& stop) const
{
    return calculate(m_request, threads, stop);
}

LevelModel::GridRows ClassicModel::gridRows() const
{
    Request in = m_request;
    in.keepCells = false;
    auto calc = std::make_shared<Calculation>(in);
    GridRows g;
    g.layout = calc->result();
    g.layout.distribucio.clear();
    g.load = static_cast<long long>(calc->rows()) * g.layout.ParticionsXmapa *
             (1 + std::max(0, int(g.layout.CaixesCorbes)));
    g.levels = [calc](int first, int last, float* levels) {
        calc->computeRows(first, last, levels);
    };
    g.angles = [calc](int r, RowAngles& angles) { calc->rowAngles(r, angles); };
    g.levelsFromAngles = [calc](int r, float* levels, const RowAngles& angles) {
        calc->computeRows(r, r, levels, &angles);
    };
    return g;
}

void ClassicModel::frameLevels(const float* X, const float* Y, int n, float* levels) const
{
    points().levelsAt(X, Y, n, levels);
}

} // namespace spl
