#include "spl/BandAverageModel.h"

#include "spl/Bands.h"
#include "spl/CoherentModel.h"
#include "spl/LevelPasses.h"

#include <algorithm>

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
    return gridOf(gridRows(), m_request.keepCells, threads, stop, progress);
}

LevelModel::GridRows BandAverageModel::gridRows() const
{
    // Every band's grid has the same layout (it depends on the array and the
    // resolution only): a row of the average is the power average of the
    // bands' rows, made as they come, so that no band's grid is ever whole.
    auto bands = std::make_shared<std::vector<GridRows>>();
    GridRows g;
    for (const auto& model : m_models) {
        bands->push_back(model->gridRows());
        g.load += bands->back().load;
    }
    g.layout = bands->front().layout;
    for (const GridRows& band : *bands) {
        assert(band.layout.ParticionsXmapa == g.layout.ParticionsXmapa &&
               band.layout.PartYFarField == g.layout.PartYFarField);
        (void)band;
    }
    Result& layout = g.layout;
    layout.bands = m_request.bands;
    layout.frequencia = 0;
    layout.landamig = 0;
    layout.distanciaborder = 0;
    const int cols = layout.ParticionsXmapa;
    if (m_request.model == LevelModelKind::Coherent) {
        g.levels = coherentRows(layout);
        return g;
    }
    // The classic model's elevation angles are the array's: a row's serve
    // every band.
    const bool shareAngles = std::all_of(bands->begin(), bands->end(), [](const GridRows& b) {
        return b.angles && b.levelsFromAngles;
    });
    g.levels = [bands, weights = m_weights, cols, shareAngles](int first, int last, float* levels) {
        std::vector<double> sum(static_cast<std::size_t>(cols));
        std::vector<float> band(static_cast<std::size_t>(cols));
        RowAngles angles;
        for (int r = first; r <= last; ++r) {
            std::fill(sum.begin(), sum.end(), 0.0);
            if (shareAngles)
                bands->front().angles(r, angles);
            for (std::size_t b = 0; b < bands->size(); ++b) {
                if (shareAngles)
                    (*bands)[b].levelsFromAngles(r, band.data(), angles);
                else
                    (*bands)[b].levels(r, r, band.data());
                addBandPowers(band.data(), cols, weights[b], sum.data());
            }
            bandAverages(sum.data(), cols, int(bands->size()),
                         levels + std::size_t(r - first) * std::size_t(cols));
        }
    };
    return g;
}

std::function<void(int, int, float*)> BandAverageModel::coherentRows(const Result& layout) const
{
    // The boxes are the same in every band: a box's distance, direction and
    // obliquity at a cell serve all the bands (see coherentBandLevels).
    auto sources = std::make_shared<std::vector<CoherentSources>>();
    for (const auto& model : m_models)
        sources->push_back(dynamic_cast<const CoherentModel&>(*model).sources());
    auto X =
        std::make_shared<const std::vector<double>>(layout.columnX.begin(), layout.columnX.end());
    const int cols = layout.ParticionsXmapa;
    return [sources, X, cols, rowY = layout.rowY, weights = m_weights](int first, int last,
                                                                       float* levels) {
        constexpr int kChunk = CoherentBandScratch::kChunk;
        const std::size_t B = sources->size();
        CoherentBandScratch scratch(B);
        std::vector<float> bandLevels(B * kChunk);
        std::vector<float*> perBand(B);
        for (std::size_t b = 0; b < B; ++b)
            perBand[b] = &bandLevels[b * kChunk];
        std::vector<double> Y(kChunk), sum(kChunk);
        for (int r = first; r <= last; ++r) {
            std::fill(Y.begin(), Y.end(), double(rowY[std::size_t(r - 1)]));
            float* row = levels + std::size_t(r - first) * std::size_t(cols);
            for (int c0 = 0; c0 < cols; c0 += kChunk) {
                const int m = std::min(kChunk, cols - c0);
                coherentBandLevels(*sources, X->data() + c0, Y.data(), m, perBand.data(), scratch);
                std::fill(sum.begin(), sum.end(), 0.0);
                for (std::size_t b = 0; b < B; ++b)
                    addBandPowers(perBand[b], m, weights[b], sum.data());
                bandAverages(sum.data(), m, int(B), row + c0);
            }
        }
    };
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
