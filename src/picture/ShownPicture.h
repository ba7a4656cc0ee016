#pragma once

#include "picture/SideViewPicture.h"

#include <QObject>
#include <memory>

class ProjectDocument;
namespace sideview {
struct Redraw;
}

namespace spl {
struct ShownMap;
}

namespace picture {

/// The side view the document shows now, as a picture value kept up to date
/// with it: every redraw is replayed onto its surfaces and writes its
/// captions, a clearing of the pictures clears them, a calculated map is
/// painted into them. It needs no window: the main window shows it, the
/// render command writes it, undo keeps what it needs to show it again.
class ShownPicture : public QObject
{
    Q_OBJECT
public:
    /// Follows `document` from now on, starting from the side view it last drew.
    explicit ShownPicture(ProjectDocument& document, QObject* parent = nullptr);

    const SideViewPicture& value() const { return m_value; }
    /// The map shown, until the next redraw or clearing.
    const std::shared_ptr<const spl::ShownMap>& map() const { return m_value.map; }

    /// Paints a calculated map of `map->job` over the side view on the
    /// surfaces, notes where it was placed and shows it.
    void showMap(std::shared_ptr<spl::ShownMap> map);

    /// The whole picture as it was when the map shown was painted, if one is.
    const std::shared_ptr<const SideViewPicture>& mapPicture() const { return m_mapPicture; }

    /// What the picture shows beyond the document's own redraw, small enough
    /// to keep for every step of the undo history: whether the surfaces were
    /// cleared, and the picture with a map painted over the side view. That
    /// picture is held weakly: the history decides how many it keeps alive.
    struct State
    {
        bool cleared = false;
        std::weak_ptr<const SideViewPicture> withMap;
    };
    State state() const { return {m_cleared, m_mapPicture}; }
    /// Shows a state again over the side view the document has just redrawn:
    /// clears the surfaces, or shows the picture with its map again while it
    /// is still kept.
    void restore(const State& state);

signals:
    /// The picture changed: its surfaces, captions or map.
    void changed();

private:
    void followScales();
    /// The picture before the first redraw: the axes alone.
    void startUp();
    /// Keeps the drawing about to be replayed on the surfaces, with their scale heights now.
    void noteDrawing(const DrawList& drawing);
    void redrawn(const sideview::Redraw& redraw);
    void cleared();

    ProjectDocument& m_doc;
    SideViewPicture m_value;
    bool m_cleared = false;
    std::shared_ptr<const SideViewPicture> m_mapPicture;
};

} // namespace picture
