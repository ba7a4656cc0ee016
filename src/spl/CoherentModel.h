#pragma once

#include "spl/CoherentPasses.h"
#include "spl/LevelModel.h"

namespace spl {

/// The box-by-box level model: every box in use is a source, and their
/// pressures are summed with their phases, so that each splay shows in the map.
///
/// The array hangs as the side view draws it, worked out in double precision
/// from the angle numbers with the exact pi: box 1's top front corner at
/// (0, T), T the height of the top point; box j tilted by theta_j, the sum of
/// the angle numbers of boxes 1..j (box 1's being the tilt of the top box);
/// each box hanging from the bottom front corner of the one above, which lies
/// h (-sin theta_j, -cos theta_j) below its top corner, h the model's front
/// height.
///
/// Box j radiates from the middle of its front face, aimed square to it along
/// (cos theta_j, -sin theta_j), with the vertical directivity of a line piston
/// of height h times an obliquity factor:
///
///     D = sin(u) / u * (1 + cos phi) / 2,   u = k (h / 2) sin phi,
///
/// phi the angle between the aim and the direction to the point (0 at the
/// centre itself), k = 2 pi f / c with f the band centre and c = 345 m/s. The
/// pressure at a point is p = sum_j D_j exp(-i k r_j) / r_j, r_j its distance
/// from box j's centre (at least 0.01 m), and its level
///
///     L = Lbox + 20 log10 |p|,   Lbox = S + 10 log10(pot),
///
/// the level of one box at 1 m on its axis (134 dB for TS250, 122.98 dB for
/// TS160); a level below 0 dB, or |p| = 0, is 0 dB.
///
/// The grid is the classic model's (the same rows, columns, cell centres,
/// class bounds and counts), so that the two maps compare cell for cell. The
/// tilt of box 1 is in the geometry already: the map is not turned.
class CoherentModel final : public LevelModel
{
public:
    explicit CoherentModel(const Request& request);
    ~CoherentModel() override;

    bool refused() const override;
    std::optional<Result> grid(int threads, const std::function<bool()>& stop) const override;

    /// The sources of the request's boxes in use.
    const CoherentSources& sources() const { return m_sources; }

protected:
    void frameLevels(const float* X, const float* Y, int n, float* levels) const override;
    GridRows gridRows() const override;

private:
    Request m_request;
    Result m_layout; ///< the grid's dimensions and cell centres, without cells
    bool m_refused = false;
    CoherentSources m_sources;
};

/// The boxes in use of `request` as sources of the box-by-box model.
CoherentSources coherentSources(const Request& request);

} // namespace spl
