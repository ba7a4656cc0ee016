#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <vector>

/// Where the side view lies on the main window's client area: its three
/// surfaces and the captions over them. The window builds its controls from
/// these places and the picture is drawn at them, so that the window, the
/// render command, the image export and the report show the same pixels.
namespace picture {

/// One drawing surface: its id (sideview::Surface), its name, its outer
/// rectangle on the client area (border included) and its design scale.
struct SurfacePlace
{
    int id = 0;
    const char* name = "";
    QRect outer;
    double scaleWidth = 0;
    double scaleHeight = 0;
};

/// The surfaces in the order they lie on one another: Picture1, then the two
/// overlays from its axis crossing.
const std::array<SurfacePlace, 3>& surfacePlaces();
const SurfacePlace& surfacePlace(int id);

/// A surface's sunken border, in pixels.
inline constexpr int kSurfaceBorder = 2;

/// The client area's size.
QSize clientSize();
/// The side view's rectangle on the client area: Picture1's, which the
/// overlays do not pass below or to the left of.
QRect viewRect();

/// A caption over the side view: the label's name, its caption before any
/// redraw writes it, its rectangle on the client area and its alignment.
struct CaptionPlace
{
    QString name;
    QString designText;
    QRect rect;
    int alignment = 0; ///< Qt::Alignment
    bool bold = false;
};

/// The captions over the side view (the model key and the axis numbers), lying
/// over all three surfaces.
const std::vector<CaptionPlace>& captionPlaces();

} // namespace picture
