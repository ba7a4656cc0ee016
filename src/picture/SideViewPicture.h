#pragma once

#include "platform/paint/Canvas.h"

#include <QImage>
#include <QMap>
#include <QString>
#include <array>
#include <memory>

class QPainter;

namespace spl {
struct ShownMap;
}

namespace picture {

/// What the side view shows, as a value: the pictures of its three surfaces
/// (each a canvas with its scale), the captions over them, and the map
/// painted into them, if any. Copies are cheap (the images are shared until
/// one is drawn on) and need no window, so the same value is shown by the
/// main window, written by the render command and the image export, and
/// drawn into the report.
struct SideViewPicture
{
    SideViewPicture();

    Canvas picture1;
    Canvas picture33;
    Canvas picture44;
    /// Caption of every label over the side view, by the label's name, and of
    /// Label59 (the maximum angle of box 1), which a redraw writes too.
    QMap<QString, QString> captions;
    /// The map painted into the surfaces since the last redraw, if any.
    std::shared_ptr<const spl::ShownMap> map;
    /// What the surfaces show under the map: the last drawing replayed on
    /// them and the scale heights of Picture1, Picture33 and Picture44 it was
    /// replayed at, so that the picture can be painted again at another size.
    DrawList drawing;
    std::array<double, 3> drawingScaleHeights{};

    Canvas& canvas(int surface);
    const Canvas& canvas(int surface) const;
};

/// The sunken border of a surface whose outer rectangle is `outer`, in the
/// colours of the window: darker above and to the left, lighter below and to
/// the right.
void drawSurfaceBorder(QPainter& painter, const QRect& outer);

/// Draws the side view as the main window shows it, in the client area's
/// coordinates: the window's background, the surfaces with their borders one
/// over another, and the captions over them, all clipped to `clip`.
void drawSideView(QPainter& painter, const SideViewPicture& picture, const QRect& clip);

/// The two layers of drawSideView: the background and the surfaces, each
/// canvas filling its surface whatever its pixel size (see enlarged)...
void drawSurfaces(QPainter& painter, const SideViewPicture& picture, const QRect& clip);
/// ... and the captions, as text.
void drawCaptions(QPainter& painter, const SideViewPicture& picture, const QRect& clip);

/// The picture painted afresh on canvases `factor` times as many pixels
/// across, at the same scale units and captions: the drawing replayed and the
/// map painted again from its calculation, with lines and dots `factor` times
/// as wide. Print gets the detail of its resolution rather than larger
/// pixels. A picture whose surfaces were cleared stays blank.
SideViewPicture enlarged(const SideViewPicture& picture, int factor);

/// The side view as the main window shows it (its viewRect), one pixel per
/// pixel.
QImage sideViewImage(const SideViewPicture& picture);

} // namespace picture
