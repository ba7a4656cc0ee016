#include "spl/gui/LiveMap.h"

#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "project/ProjectDocument.h"
#include "spl/LevelModel.h"
#include "spl/Resources.h"

#include <new>
#include <system_error>

namespace spl {

LiveMap::LiveMap(ProjectDocument& document, picture::ShownPicture& picture, QObject* parent)
    : QObject(parent), m_doc(document), m_picture(picture)
{
    connect(&m_doc, &ProjectDocument::redrawn, this, &LiveMap::redrawn);
}

LiveMap::~LiveMap()
{
    ++*m_generation;
    waitForCalculations();
}

void LiveMap::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on)
        redrawn();
    else
        ++*m_generation;
}

void LiveMap::mapCalculated()
{
    m_hasMap = true;
    ++*m_generation;
}

void LiveMap::waitForCalculations()
{
    if (m_worker.joinable())
        m_worker.join();
}

void LiveMap::redrawn()
{
    // Whatever runs now is for an older picture.
    m_wanted = ++*m_generation;
    if (!m_enabled || !m_hasMap || m_startPending)
        return;
    // Started once the action that redrew is over: an action may redraw more
    // than once, and the map is of where it ends.
    m_startPending = true;
    QMetaObject::invokeMethod(this, &LiveMap::start, Qt::QueuedConnection);
}

void LiveMap::start()
{
    m_startPending = false;
    const int generation = *m_generation;
    if (!m_enabled || !m_hasMap || m_wanted != generation)
        return;
    // As the SPL button: nothing to map without an audience or with a field
    // refused.
    if (m_doc.state().offsetmax <= 0.001f || !m_doc.isEnabled(Control::Command2))
        return;

    auto map = std::make_shared<ShownMap>();
    map->settings = m_doc.calculationSettings();
    map->job = prepareMap(m_doc, map->settings);
    // One calculation at a time: it spreads its rows over the cores itself,
    // and the one before, no longer wanted, ends within a batch of rows.
    waitForCalculations();
    auto calculation = [this, map, generation, latest = m_generation] {
        const auto stale = [&] { return latest->load() != generation; };
        std::optional<Result> result;
        try {
            result = levelModel(map->job.request)->grid(0, stale);
        } catch (const std::bad_alloc&) {
            return; // no room for this map: the picture stays as it is
        }
        if (!result || stale())
            return;
        map->result = std::move(*result);
        QMetaObject::invokeMethod(
            this,
            [this, map, generation] {
                if (generation != *m_generation)
                    return;
                m_picture.showMap(map);
                emit painted();
            },
            Qt::QueuedConnection);
    };
    try {
        m_worker = startWorker(calculation);
    } catch (const std::system_error&) {
        calculation(); // no thread to be had: this one calculates, and the window waits
    }
}

} // namespace spl
