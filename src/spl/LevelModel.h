#pragma once

#include "spl/CellMap.h"
#include "spl/Request.h"
#include "spl/Result.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace spl {

struct RowAngles;

/// Told, from the thread that calculates, how many of a grid's parts are done
/// out of how many, as the calculation goes.
using GridProgress = std::function<void(int done, int total)>;

/// Whether the map of a model is turned by the tilt of box 1. The classic
/// model computes its levels in the frame of the top box, and its map is
/// turned so that it follows the aim of the array.
constexpr bool turnsMap(LevelModelKind kind)
{
    return kind == LevelModelKind::Classic;
}

/// The turn the map of `request` is painted with: the request's turn when its
/// model's map is turned, none otherwise.
std::optional<double> mapTurn(const Request& request);

/// Where the map of `request` lands on Picture44, found without painting it:
/// the side-view values, the overlay's pixels and scale, and the corners of
/// the turn (see rotationCorners) when there is one. Painting the map places
/// it the same way.
MapPlacement mapPlacement(const Request& request);

/// The point of a model's own frame whose level a map placed so shows at the
/// point (X, Y) of the vertical plane, m. On a map that is not turned that is
/// (X, Y) itself; on a turned one, the point of the unturned picture that the
/// turn carried there, pixel corners and all, as for the pixel under the
/// mouse (planePoint).
std::array<double, 2> framePoint(const MapPlacement& placement, double X, double Y);

/// A level model: the level in dB that one calculation request gives the
/// points of the vertical plane in front of the array, and the cells of its
/// grid with their class counts.
///
/// A point's level is the level the model's map shows where the point lies: a
/// model computed in a frame of its own (turnsMap) undoes the turn of its map
/// for each point, so that a line drawn over the map reads the levels the map
/// shows along it. The grid stays in the model's own frame, as the map is
/// painted before it is turned.
///
/// A model is made for one request and is then only read: it may be asked
/// again and again, from several threads at once, with no window around.
class LevelModel
{
public:
    virtual ~LevelModel();
    LevelModel(const LevelModel&) = delete;
    LevelModel& operator=(const LevelModel&) = delete;

    LevelModelKind kind() const { return m_kind; }
    /// The request's grid would be too large: there are no cells and no levels.
    virtual bool refused() const = 0;
    /// Where the model's map is placed, turned or not (see mapPlacement).
    const MapPlacement& placement() const { return m_placement; }

    /// The level at each point (X[i], Y[i]) of the vertical plane, m, as the
    /// map shows it there; NaN where the model has none (at or behind the
    /// array plane, or anywhere when the grid is refused). The three spans
    /// have the same length.
    void levelsAt(std::span<const float> X, std::span<const float> Y,
                  std::span<float> levels) const;

    /// Every cell's level and the class counts of every row of the request's
    /// grid (the cells themselves as the request asks), on up to `threads`
    /// threads (0: one per core). Nothing when the grid is refused, or when
    /// `stop`, asked between batches of rows, answered true.
    virtual std::optional<Result> grid(int threads = 0,
                                       const std::function<bool()>& stop = {}) const = 0;
    /// The same, telling `progress` the parts done: the rows of a grid made
    /// row by row (see GridRows), or the whole grid as one part.
    virtual std::optional<Result> gridWithProgress(int threads, const std::function<bool()>& stop,
                                                   const GridProgress& progress) const;

protected:
    friend class BandAverageModel; // averages the levels of a model per band
    explicit LevelModel(const Request& request);
    /// The levels at `n` points of the model's own frame.
    virtual void frameLevels(const float* X, const float* Y, int n, float* levels) const = 0;

    /// A grid that can be computed a few rows at a time, so that a caller may
    /// combine the rows of several grids of the same layout as they come.
    struct GridRows
    {
        Result layout;      ///< dimensions, geometry and cell centres; no cells, no counts
        long long load = 0; ///< work of the whole grid, in cell terms (see forRowBatches)
        /// The levels of rows first..last (1-based), row after row, into
        /// `levels`; ranges that do not overlap may be computed at once.
        std::function<void(int first, int last, float* levels)> levels;
        /// For a model whose rows start from elevation angles that do not
        /// depend on the band (see RowAngles): a row's angles, and a row's
        /// levels from them. Empty for other models.
        std::function<void(int row, RowAngles& angles)> angles;
        std::function<void(int row, float* levels, const RowAngles& angles)> levelsFromAngles;
    };
    /// The request's grid in rows. Only for a grid that is not refused.
    virtual GridRows gridRows() const = 0;
    /// The grid of `rows` with its class counts, its cells kept when asked
    /// (see grid).
    static std::optional<Result> gridOf(const GridRows& rows, bool keepCells, int threads,
                                        const std::function<bool()>& stop,
                                        const GridProgress& progress = {});

private:
    LevelModelKind m_kind;
    MapPlacement m_placement;
};

/// The name of a model on the command line and in the grid's JSON:
/// "classic" or "coherent".
const char* levelModelName(LevelModelKind kind);
/// The model of a name (see levelModelName); nothing for an unknown one.
std::optional<LevelModelKind> levelModelNamed(const QString& name);

/// The model that `request` chooses, for that request.
std::unique_ptr<const LevelModel> levelModel(const Request& request);

} // namespace spl
