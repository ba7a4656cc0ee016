#pragma once

#include "spl/gui/CalculationSequence.h"

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class ProjectDocument;
class Surface;

namespace spl {

/// The live map: once a map has been calculated, every redraw of the side
/// view (each accepted edit, an undo, a load) calculates the map again with
/// the same settings and paints it over the new side view, without the SPL
/// window. The calculation runs on a worker thread on a copy of what it needs
/// (a MapJob), so the window goes on answering; a newer redraw makes any
/// calculation still running stop at its next batch of rows, and a result
/// that arrives after a newer redraw is dropped: only the newest project is
/// ever painted. The painting itself happens on the window's thread.
/// Off by default. A grid too large to calculate paints nothing (and no
/// message: the SPL window reports that when asked).
class LiveMap : public QObject
{
    Q_OBJECT
public:
    LiveMap(ProjectDocument& document, Surface& picture1, Surface& picture33, Surface& picture44,
            QObject* parent = nullptr);
    ~LiveMap() override;

    bool isEnabled() const { return m_enabled; }
    /// Turns the live map on or off. Turned on with a map calculated before,
    /// it brings the map up to date at once.
    void setEnabled(bool on);

    /// A map of the project with `settings` was just painted (CALCULATE):
    /// later redraws repaint it with them; a live calculation still running
    /// is dropped.
    void mapCalculated(const MapSettings& settings);
    /// The settings of the last map calculated, if any.
    const std::optional<MapSettings>& settings() const { return m_settings; }

    /// Waits, without handling events, until no calculation runs. A result it
    /// produced is still delivered through the event loop.
    void waitForCalculations();

    /// Called with each live map painted, which it may keep.
    void setShownHandler(std::function<void(ShownMap&&)> handler)
    {
        m_onShown = std::move(handler);
    }

signals:
    /// A live map was painted on the surfaces.
    void painted();

private:
    void redrawn();
    void start();
    void paint(int generation, const MapJob& job, ShownMap& shown);

    ProjectDocument& m_doc;
    Surface& m_picture1;
    Surface& m_picture33;
    Surface& m_picture44;
    std::optional<MapSettings> m_settings;
    bool m_enabled = false;
    bool m_startPending = false;
    /// Counts redraws (and new maps); a calculation is for the count it began at.
    std::shared_ptr<std::atomic<int>> m_generation = std::make_shared<std::atomic<int>>(0);
    int m_wanted = -1; ///< the count a pending start is for
    std::function<void(ShownMap&&)> m_onShown;
    QThreadPool m_pool;
};

} // namespace spl
