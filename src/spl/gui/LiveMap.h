#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

class ProjectDocument;
namespace picture {
class ShownPicture;
}

namespace spl {

struct MapJob;

/// The live map: once a map has been calculated, every redraw of the side
/// view (each accepted edit, an undo, a load) calculates the map again with
/// the document's calculation settings and paints it over the new side view,
/// without the SPL window.
/// The calculation runs on a worker thread on a copy of what it needs (a
/// MapJob), so the window goes on answering; a newer redraw makes any
/// calculation still running stop at its next batch of rows, and a result
/// that arrives after a newer redraw is dropped: only the newest project is
/// ever painted. The painting itself happens on the picture's thread.
/// Off by default. A grid too large to calculate paints nothing (and no
/// message: the SPL window reports that when asked).
class LiveMap : public QObject
{
    Q_OBJECT
public:
    LiveMap(ProjectDocument& document, picture::ShownPicture& picture, QObject* parent = nullptr);
    ~LiveMap() override;

    bool isEnabled() const { return m_enabled; }
    /// Turns the live map on or off. Turned on with a map calculated before,
    /// it brings the map up to date at once.
    void setEnabled(bool on);

    /// A map was just painted (CALCULATE): later redraws repaint it; a live
    /// calculation still running is dropped.
    void mapCalculated();
    /// Whether a map was ever calculated, so that redraws repaint it.
    bool hasMap() const { return m_hasMap; }

    /// Waits, without handling events, until no calculation runs. A result it
    /// produced is still delivered through the event loop.
    void waitForCalculations();

signals:
    /// A live map was painted into the picture.
    void painted();

private:
    void redrawn();
    void start();

    ProjectDocument& m_doc;
    picture::ShownPicture& m_picture;
    bool m_hasMap = false;
    bool m_enabled = false;
    bool m_startPending = false;
    /// Counts redraws (and new maps); a calculation is for the count it began at.
    std::shared_ptr<std::atomic<int>> m_generation = std::make_shared<std::atomic<int>>(0);
    int m_wanted = -1;    ///< the count a pending start is for
    std::thread m_worker; ///< the calculation under way, if any
};

} // namespace spl
