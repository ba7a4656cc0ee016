#include "spl/BandAverageModel.h"

#include "spl/Bands.h"
#include "spl/Grid.h"

#include <cassert>

namespace spl {

BandAverageModel::BandAverageModel(const Request& request) : LevelModel(request), m_request(request)
{
    assert(request.bands && validRange(*request.bands));
    m_bands = bandsOf(*request.bands);
    for (const int16_t hz : m_bands) {
        m_weights.push_back(bandWeight(hz, request.bands->weighting));
        m_models.push_back(levelModel(bandRequest(request, hz)));
    }
}

BandAverageModel::~BandAverageModel() = default;

bool BandAverageModel::refused() const
{
    return m_models.empty() || m_models.front()->refused();
}

std::optional<Result> BandAverageModel::grid(int threads, const std::function<bool()>& stop) const
{
    return gridWithProgress(threads, stop, {});
}

std::optional<Result> BandAverageModel::gridWithProgress(int threads,
                                                         const std::function<bool()>& stop,
                                                         const GridProgress& progress) const
{
    if (refused())
        return std::nullopt;
    std::optional<Result> out;
    std::optional<BandAccumulator> sum;
    for (std::size_t b = 0; b < m_models.size(); ++b) {
        Request one = bandRequest(m_request, m_bands[b]);
        one.keepCells = true;
        std::optional<Result> band = levelModel(one)->grid(threads, stop);
        if (!band)
            return std::nullopt;
        if (progress)
            progress(int(b) + 1, int(m_models.size()));
        if (!out) {
            out = std::move(*band);
            sum.emplace(out->spl.size());
            sum->add(out->spl, m_weights[b]);
            continue;
        }
        assert(band->spl.size() == out->spl.size());
        sum->add(band->spl, m_weights[b]);
    }
    sum->averages(out->spl);
    out->bands = m_request.bands;
    out->frequencia = 0;
    out->landamig = 0;
    out->distanciaborder = 0;
    out->nField.clear();
    out->border.clear();
    out->splInicial.clear();
    out->graus.clear();
    OmplirMatriusGradient(*out);
    if (!m_request.keepCells)
        out->spl = {};
    return out;
}

void BandAverageModel::frameLevels(const float* X, const float* Y, int n, float* levels) const
{
    BandAccumulator sum{std::size_t(n)};
    std::vector<float> band(static_cast<std::size_t>(n));
    for (std::size_t b = 0; b < m_models.size(); ++b) {
        m_models[b]->frameLevels(X, Y, n, band.data());
        sum.add(band, m_weights[b]);
    }
    sum.averages({levels, std::size_t(n)});
}

} // namespace spl
