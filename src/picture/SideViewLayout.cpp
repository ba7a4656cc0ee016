#include "picture/SideViewLayout.h"

#include "sideview/SideView.h"

#include <QtGlobal>
#include <stdexcept>

namespace picture {

namespace {

/// Design positions are in twips, 15 to the pixel.
constexpr int tw(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

QRect twRect(int left, int top, int width, int height)
{
    return {tw(left), tw(top), tw(width), tw(height)};
}

} // namespace

const std::array<SurfacePlace, 3>& surfacePlaces()
{
    static const std::array<SurfacePlace, 3> places = {{
        {sideview::Picture1, "Picture1", twRect(2520, 0, 9555, 4395), 121.06, 118},
        {sideview::Picture33, "Picture33", twRect(3960, -3237, 11790, 7317), 177.45, 212.3},
        {sideview::Picture44, "Picture44", twRect(3960, -3240, 11790, 7317), 178.0, 212.3},
    }};
    return places;
}

const SurfacePlace& surfacePlace(int id)
{
    for (const SurfacePlace& p : surfacePlaces())
        if (p.id == id)
            return p;
    throw std::out_of_range("no such surface");
}

QSize clientSize()
{
    return {tw(12075), tw(9255)};
}

QRect viewRect()
{
    return surfacePlace(sideview::Picture1).outer;
}

const std::vector<CaptionPlace>& captionPlaces()
{
    static const std::vector<CaptionPlace> places = [] {
        // The axis marks of Picture1 at its design scale, as the axes draw them.
        const QRect p1 = surfacePlace(sideview::Picture1).outer;
        const QPoint origin = p1.topLeft() + QPoint(kSurfaceBorder, kSurfaceBorder);
        const double pxX = (p1.width() - 2 * kSurfaceBorder) / 121.06;
        const double pxY = (p1.height() - 2 * kSurfaceBorder) / 118.0;
        auto markX = [&](int i) { return origin.x() + qRound((18 + i * (121.06 - 18) / 5) * pxX); };
        auto markY = [&](int i) { return origin.y() + qRound((110 - i * 22.0) * pxY); };
        const int belowFloor = markY(0) + 3;
        const int leftOfAxis = markX(0) - 3;
        const int hTop = Qt::AlignHCenter | Qt::AlignTop;
        const int rTop = Qt::AlignRight | Qt::AlignTop;
        const int rMid = Qt::AlignRight | Qt::AlignVCenter;

        std::vector<CaptionPlace> v;
        const char* xNames[4] = {"Label37", "Label38", "Label39", "Label40"};
        for (int i = 0; i < 4; ++i)
            v.push_back({QString::fromLatin1(xNames[i]), QString::number(2 * (i + 1)),
                         QRect(markX(i + 1) - 30, belowFloor, 60, 14), hTop});
        v.push_back({QStringLiteral("Label35"), QStringLiteral("10"),
                     QRect(p1.right() - 62, belowFloor, 60, 14), rTop});
        const char* yNames[4] = {"Label42", "Label41", "Label48", "Label49"};
        for (int i = 0; i < 4; ++i)
            v.push_back({QString::fromLatin1(yNames[i]), QString::number(i + 1),
                         QRect(leftOfAxis - 60, markY(i + 1) - 7, 60, 14), rMid});
        v.push_back({QStringLiteral("Label36"), QStringLiteral("5"),
                     QRect(leftOfAxis - 60, origin.y(), 60, 14), rTop});
        v.push_back({QStringLiteral("Label58"), QStringLiteral("TS250"),
                     QRect(origin.x() + 4, belowFloor + 2, 60, 14),
                     Qt::AlignLeft | Qt::AlignVCenter, true});
        return v;
    }();
    return places;
}

} // namespace picture
