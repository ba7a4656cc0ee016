#include "spl/gui/LevelProbe.h"

#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"

#include <QLabel>
#include <QLocale>
#include <cmath>

namespace spl {

LevelProbe::LevelProbe(const picture::ShownPicture& picture, Surface& picture44, QLabel& value,
                       QObject* parent)
    : QObject(parent), m_picture(picture), m_value(value)
{
    connect(&picture44, &Surface::mouseMoved, this, &LevelProbe::probe);
    // A picture without a map has no level to read.
    connect(&picture, &picture::ShownPicture::changed, this, [this] {
        if (!m_picture.map())
            m_value.clear();
    });
}

void LevelProbe::probe(double x44, double y44)
{
    const auto& map = m_picture.map();
    if (!map)
        return;
    const std::optional<float> level = map->levelUnder(x44, y44);
    if (!level || !std::isfinite(*level))
        m_value.clear();
    else
        m_value.setText(QLocale().toString(double(*level), 'f', 1));
}

} // namespace spl
