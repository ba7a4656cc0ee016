#pragma once

#include "picture/CalculationSequence.h"

#include <chrono>
#include <memory>

class Languages;
class QWidget;

namespace spl {

/// Runs the calculation of a map off the window's thread while the program
/// waits for it: a calculation still running after `showAfter` (a quarter of
/// a second by default) shows a progress bar with Cancel over `owner`.
/// Until then the windows take no input; the bar's window is modal. Cancel
/// stops the grid at its next batch of rows and drops it: nothing is shown
/// and nothing of the document changes.
class MapCalculation
{
public:
    MapCalculation(Languages& languages, QWidget* owner);

    enum class Outcome { Done, Refused, Cancelled };
    struct Ended
    {
        Outcome outcome = Outcome::Refused;
        std::shared_ptr<ShownMap> map; ///< the map, when done
    };

    /// Calculates the map of `job` made with `settings` and waits for it,
    /// handling events meanwhile. An exception of the calculation (no memory,
    /// no threads) is thrown again here.
    Ended run(const CalculationSettings& settings, const MapJob& job);

    std::chrono::milliseconds showAfter() const { return m_showAfter; }
    void setShowAfter(std::chrono::milliseconds wait) { m_showAfter = wait; }

private:
    Languages& m_languages;
    QWidget* m_owner;
    std::chrono::milliseconds m_showAfter{250};
};

} // namespace spl
