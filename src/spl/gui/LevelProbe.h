#pragma once

#include "spl/gui/CalculationSequence.h"

#include <QLocale>
#include <QObject>
#include <optional>

class QLabel;
class Surface;

namespace spl {

/// The level probe: while a map is shown, the level in dB of the calculation
/// cell under the mouse (its true level, not its class) in the coordinates
/// frame's `LabelLevelValue`. It keeps the last map painted, until the side
/// view is redrawn.
class LevelProbe : public QObject
{
    Q_OBJECT
public:
    /// Follows the mouse over `picture44` and writes into `value`.
    LevelProbe(Surface& picture44, QLabel& value, QObject* parent = nullptr);

    /// A map was painted: from now on the mouse reads its cells.
    void show(ShownMap map);
    /// The map was wiped (the side view was redrawn): the value is emptied.
    void clear();
    const std::optional<ShownMap>& map() const { return m_map; }

    /// Writes the level under a point of Picture44 (scale units), or nothing.
    void probe(double x44, double y44);

private:
    QLabel& m_value;
    std::optional<ShownMap> m_map;
};

} // namespace spl
