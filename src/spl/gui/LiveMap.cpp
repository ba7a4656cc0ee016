#include "spl/gui/LiveMap.h"

#include "platform/gui/Surface.h"
#include "project/ProjectDocument.h"
#include "spl/Calculation.h"

#include <new>

namespace spl {

LiveMap::LiveMap(ProjectDocument& document, Surface& picture1, Surface& picture33,
                 Surface& picture44, QObject* parent)
    : QObject(parent), m_doc(document), m_picture1(picture1), m_picture33(picture33),
      m_picture44(picture44)
{
    // One calculation at a time: it spreads its rows over the cores itself,
    // and one no longer wanted ends within a batch of rows.
    m_pool.setMaxThreadCount(1);
    connect(&m_doc, &ProjectDocument::redrawn, this, &LiveMap::redrawn);
}

LiveMap::~LiveMap()
{
    ++*m_generation;
    m_pool.clear();
    m_pool.waitForDone();
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

void LiveMap::mapCalculated(const MapSettings& settings)
{
    m_settings = settings;
    ++*m_generation;
}

void LiveMap::waitForCalculations()
{
    m_pool.waitForDone();
}

void LiveMap::redrawn()
{
    // Whatever runs now is for an older picture.
    m_wanted = ++*m_generation;
    if (!m_enabled || !m_settings || m_startPending)
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
    if (!m_enabled || !m_settings || m_wanted != generation)
        return;
    // As the SPL button: nothing to map without an audience or with a field
    // refused.
    if (m_doc.state().offsetmax <= 0.001f || !m_doc.isEnabled(Control::Command2))
        return;

    auto job = std::make_shared<const MapJob>(prepareMap(m_doc, *m_settings));
    m_pool.clear();
    m_pool.start([this, job, generation, style = m_settings->style, latest = m_generation] {
        const auto stale = [&] { return latest->load() != generation; };
        std::optional<Result> result;
        try {
            result = calculate(job->request, 0, stale);
        } catch (const std::bad_alloc&) {
            return; // no room for this map: the picture stays as it is
        }
        if (!result || stale())
            return;
        auto shown = std::make_shared<ShownMap>();
        shown->result = std::move(*result);
        shown->style = style;
        QMetaObject::invokeMethod(
            this, [this, job, shown, generation] { paint(generation, *job, *shown); },
            Qt::QueuedConnection);
    });
}

void LiveMap::paint(int generation, const MapJob& job, ShownMap& shown)
{
    if (generation != *m_generation)
        return;
    shown.placement = paintCalculatedMap(m_doc, job, shown.result, shown.style, m_picture1.canvas(),
                                         m_picture33.canvas(), m_picture44.canvas());
    for (Surface* s : {&m_picture1, &m_picture33, &m_picture44})
        s->refresh();
    if (m_onShown)
        m_onShown(std::move(shown));
    emit painted();
}

} // namespace spl
