#pragma once

#include "project/data/ProjectFields.h"
#include "project/data/ProjectState.h"
#include "spl/Request.h"

#include <QLocale>
#include <cstdint>
#include <span>
#include <vector>

namespace spl {

/// One audience area as the user entered it: a straight segment from
/// (distance, Z1) to (distance + length, Z2), lengths in metres.
struct AreaSegment
{
    int number = 1; ///< 1..3
    float distance = 0;
    float length = 0;
    float Z1 = 0;
    float Z2 = 0;
};

/// The colour (0xRRGGBB) the main window gives area 1, 2 and 3.
inline constexpr uint32_t kAreaColours[3] = {0xFF0000, 0x008000, 0x0000FF};

/// The areas in use (the number-of-areas list), read from their fields with
/// `locale` as the side view reads them.
std::vector<AreaSegment> areasInUse(const ProjectFields& fields, const ProjectState& state,
                                    const QLocale& locale);

/// Maximum, minimum, spread (maximum - minimum) and standard deviation of a
/// set of levels. Levels with no value (not finite) are left out; `count` says
/// how many were used, and with none every figure is 0.
struct LevelStats
{
    int count = 0;
    double max = 0;
    double min = 0;
    double spread = 0;
    double deviation = 0; ///< population standard deviation: every point weighs the same
};

LevelStats levelStats(std::span<const float> levels);

/// One listening point along an area.
struct AreaPoint
{
    float distance = 0; ///< from the array plane, m
    float height = 0;   ///< above the floor: the area line plus the listening height, m
    float level = 0;    ///< dB; NaN where the model has no value (at or behind the array plane)
};

struct AreaCurve
{
    int number = 1;
    std::vector<AreaPoint> points; ///< by growing distance
    LevelStats stats;
};

struct AreaLevels
{
    bool refused = false; ///< the request's grid would be too large: no levels
    std::vector<AreaCurve> areas;
    LevelStats overall; ///< every point of every area together
};

/// Points along an area are this far apart horizontally, or closer on a short
/// area so that it has at least kMinAreaPoints of them.
inline constexpr double kAreaStep = 0.1;
inline constexpr int kMinAreaPoints = 50;
/// An area too long for kAreaStep gets this many steps at most.
inline constexpr int kMaxAreaPoints = 100000;

/// The listening points of an area: from its start to its end at even
/// horizontal steps (kAreaStep, finer on an area shorter than kMinAreaPoints
/// steps), each `listeningHeight` above the area line; an area of no length
/// is one point at its distance, above Z2; an area with a figure that is not
/// finite has none.
std::vector<AreaPoint> areaPoints(const AreaSegment& area, double listeningHeight);

/// The level along each area for one calculation request (its band, array,
/// grid and model), as the map shows it where each point lies (see
/// LevelModel::levelsAt), with the statistics of each area and of all
/// together.
AreaLevels areaLevels(const Request& request, std::span<const AreaSegment> areas,
                      double listeningHeight);

} // namespace spl
