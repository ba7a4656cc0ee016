#pragma once

#include <QObject>

class QLabel;
class Surface;
namespace picture {
class ShownPicture;
}

namespace spl {

/// The level probe: while a map is shown, the level in dB of the calculation
/// cell under the mouse (its true level, not its class) in the coordinates
/// frame's `LabelLevelValue`. It reads the map the picture shows, until the
/// side view is redrawn.
class LevelProbe : public QObject
{
    Q_OBJECT
public:
    /// Follows the mouse over `picture44`, which shows `picture`, and writes into `value`.
    LevelProbe(const picture::ShownPicture& picture, Surface& picture44, QLabel& value,
               QObject* parent = nullptr);

    /// Writes the level under a point of Picture44 (scale units), or nothing.
    void probe(double x44, double y44);

private:
    const picture::ShownPicture& m_picture;
    QLabel& m_value;
};

} // namespace spl
