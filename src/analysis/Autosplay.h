#pragma once

#include "analysis/AreaLevels.h"
#include "spl/Request.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace spl {

/// What an automatic splay looks for: the band range whose flat average is the
/// level at a listening point, the target slope along the distance, the
/// listening height, the smallest splay allowed, and whether the tilt of box 1
/// stays as it is.
struct AutosplayOptions
{
    BandRange bands{250, 8000, Weighting::Flat};
    double slope = 0;             ///< dB per doubling of distance, 0..6
    double listeningHeight = 1.2; ///< m above the area lines
    double minSplay = 0;          ///< degrees; splays below it are not tried
    bool keepTilt = false;
};

/// Figures of one area before and after the proposal.
struct AutosplayArea
{
    int area = 1;
    LevelStats before, after;
};

/// An automatic splay's proposal and how it compares with the project's angles.
struct AutosplayProposal
{
    std::vector<double> current;    ///< angle numbers of boxes 1..N as the project has them
    std::vector<double> proposed;   ///< tilt of box 1, then the splays of boxes 2..N
    double Jbefore = 0, Jafter = 0; ///< standard deviation of Lavg - t, dB
    double spreadBefore = 0, spreadAfter = 0; ///< max - min of Lavg over every point, dB
    std::vector<AutosplayArea> areas;
    AreaLevels levelsBefore, levelsAfter; ///< the band-averaged level along each area
    long long evaluated = 0;              ///< angle sets tried
};

/// The tilts box 1 may take: whole degrees 0..20.
std::vector<double> tiltChoices();
/// The splays a box of model `modelcaixa` may take (0 TS250, 1 TS160).
std::vector<double> splayChoices(int16_t modelcaixa);

/// The target level at each distance from the array plane, dB:
/// t(x) = -slope log2(x / x0), x0 the smallest of the distances.
std::vector<double> targetLevels(std::span<const double> distances, double slope);

/// The population standard deviation of `values` (0 for none).
double deviation(std::span<const double> values);

/// The objective of a set of angles: the standard deviation of Lavg - t over
/// every listening point of every area (each weighing the same), with the
/// spread of Lavg beside it. `angles` are the angle numbers of boxes 1..N.
struct AutosplayScore
{
    double J = 0;
    double spread = 0;
};
AutosplayScore autosplayScore(const Request& request, std::span<const AreaSegment> areas,
                              const AutosplayOptions& options, std::span<const double> angles);

/// Searches the angles of `request`'s boxes in use that make the level along
/// `areas` follow the target best (lowest J). Nothing when there is no
/// listening point in front of the array, or when `stop` answered true (also
/// with no box, a band range that is not one, no splay at or above the
/// minimum, or a grid too large for the request's resolution, where the model
/// has no levels); `progress` hears the share done, 0..1, on the calling
/// thread. Deterministic: the same input gives the same proposal, whatever
/// the number of cores.
std::optional<AutosplayProposal> autosplay(const Request& request,
                                           std::span<const AreaSegment> areas,
                                           const AutosplayOptions& options,
                                           const std::function<bool()>& stop = {},
                                           const std::function<void(double)>& progress = {});

} // namespace spl
