#pragma once

#include "spl/Calculation.h"
#include "spl/LevelModel.h"

#include <memory>
#include <mutex>

namespace spl {

/// The classic level model: the straight source and the arc of equal splays
/// of Calculation, in the frame of the top box, its map turned by the tilt of
/// box 1. Levels at points come from a calculation that keeps no cells, made
/// the first time one is asked for; every grid is a calculation of its own.
class ClassicModel final : public LevelModel
{
public:
    explicit ClassicModel(const Request& request);
    ~ClassicModel() override;

    bool refused() const override;
    std::optional<Result> grid(int threads, const std::function<bool()>& stop) const override;

protected:
    void frameLevels(const float* X, const float* Y, int n, float* levels) const override;
    GridRows gridRows() const override;

private:
    const Calculation& points() const;

    Request m_request;
    mutable std::once_flag m_made;
    mutable std::unique_ptr<Calculation> m_points;
};

} // namespace spl
