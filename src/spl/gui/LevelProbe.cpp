#include "spl/gui/LevelProbe.h"

#include "platform/gui/Surface.h"

#include <QLabel>
#include <cmath>

namespace spl {

LevelProbe::LevelProbe(Surface& picture44, QLabel& value, QObject* parent)
    : QObject(parent), m_value(value)
{
    connect(&picture44, &Surface::mouseMoved, this, &LevelProbe::probe);
}

void LevelProbe::show(ShownMap map)
{
    m_map = std::move(map);
}

void LevelProbe::clear()
{
    m_map.reset();
    m_value.clear();
}

void LevelProbe::probe(double x44, double y44)
{
    if (!m_map)
        return;
    const std::optional<float> level = m_map->levelUnder(x44, y44);
    if (!level || !std::isfinite(*level))
        m_value.clear();
    else
        m_value.setText(QLocale().toString(double(*level), 'f', 1));
}

} // namespace spl
