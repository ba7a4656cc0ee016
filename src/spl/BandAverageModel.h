#pragma once

#include "spl/LevelModel.h"

#include <memory>
#include <vector>

namespace spl {

/// The band average of a level model: at every point, the power average of the
/// levels the request's model gives in each band of the request's range, each
/// band weighted as the range says (see powerAverage).
///
/// The grid is the model's own grid, the same in every band; its cells hold
/// the averaged levels and its class counts are those of the averaged levels,
/// so that the map of a band average paints as the map of one band does.
/// The per-cell figures of a single band (the near field, the initial levels,
/// the angles) have no meaning for an average: the result keeps the levels only.
///
/// The grid is made row by row: each band's levels of a row are computed,
/// added to the row's power sums and dropped, so that the memory is that of
/// one grid whatever the number of bands, and what a band's model works out
/// once for its grid (geometry, layout, tables) serves every row. What does not
/// depend on the band is worked out once for all the bands: a row's elevation
/// angles in the classic model, each box's distance and direction to a cell in
/// the box-by-box one. Each averaged cell is still exactly the power average
/// of the cells of the single-band grids.
class BandAverageModel final : public LevelModel
{
public:
    /// `request.bands` must name a valid range.
    explicit BandAverageModel(const Request& request);
    ~BandAverageModel() override;

    bool refused() const override;
    std::optional<Result> grid(int threads, const std::function<bool()>& stop) const override;
    std::optional<Result> gridWithProgress(int threads, const std::function<bool()>& stop,
                                           const GridProgress& progress) const override;

    /// The band centres averaged and the weight of each, dB.
    const std::vector<int16_t>& bands() const { return m_bands; }
    const std::vector<double>& weights() const { return m_weights; }

protected:
    void frameLevels(const float* X, const float* Y, int n, float* levels) const override;
    GridRows gridRows() const override;

private:
    /// The averaged rows of the box-by-box model.
    std::function<void(int, int, float*)> coherentRows(const Result& layout) const;

    Request m_request;
    std::vector<int16_t> m_bands;
    std::vector<double> m_weights;
    std::vector<std::unique_ptr<const LevelModel>> m_models; ///< one per band
};

} // namespace spl
