#include "picture/SideViewPicture.h"

#include "picture/CalculationSequence.h"
#include "picture/MapRender.h"
#include "picture/SideViewLayout.h"
#include "platform/paint/DesignFont.h"
#include "sideview/SideView.h"

#include <QPainter>
#include <stdexcept>

namespace picture {

namespace {

// The window's colours: its background and the two shades of a sunken border.
const QColor kBackground(0xEF, 0xEF, 0xEF);
const QColor kShade(0x9F, 0x9F, 0x9F);
const QColor kLight(0xFF, 0xFF, 0xFF);

Canvas blankCanvas(int id)
{
    const SurfacePlace& p = surfacePlace(id);
    const QSize inside = p.outer.size() - QSize(2 * kSurfaceBorder, 2 * kSurfaceBorder);
    return Canvas(inside, p.scaleWidth, p.scaleHeight);
}

} // namespace

SideViewPicture::SideViewPicture()
    : picture1(blankCanvas(sideview::Picture1)), picture33(blankCanvas(sideview::Picture33)),
      picture44(blankCanvas(sideview::Picture44))
{
    for (const CaptionPlace& c : captionPlaces())
        captions.insert(c.name, c.designText);
    captions.insert(QStringLiteral("Label59"), QStringLiteral("0"));
}

Canvas& SideViewPicture::canvas(int surface)
{
    return const_cast<Canvas&>(std::as_const(*this).canvas(surface));
}

const Canvas& SideViewPicture::canvas(int surface) const
{
    switch (surface) {
    case sideview::Picture1:
        return picture1;
    case sideview::Picture33:
        return picture33;
    case sideview::Picture44:
        return picture44;
    default:
        throw std::out_of_range("no such surface");
    }
}

void drawSurfaceBorder(QPainter& painter, const QRect& outer)
{
    // Each shade's lines shorten by a pixel per line, so that the corners of
    // the two shades meet on the diagonal.
    const int x = outer.x();
    const int y = outer.y();
    const int w = outer.width();
    const int h = outer.height();
    const int lw = kSurfaceBorder;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QList<QLineF> lines;
    for (int i = 0; i < lw; ++i) // top
        lines << QLineF(x, y + i, x + w - 2 - i, y + i);
    for (int i = 0; i < lw; ++i) // left
        lines << QLineF(x + i, y + h - 2, x + i, y + lw - i);
    painter.setPen(kShade);
    painter.drawLines(lines);
    lines.clear();
    for (int i = 0; i < lw; ++i) // bottom
        lines << QLineF(x + i, y + h - 1 - i, x + w - 1, y + h - 1 - i);
    for (int i = 0; i < lw; ++i) // right
        lines << QLineF(x + w - 1 - i, y + i, x + w - 1 - i, y + h - lw - 1);
    painter.setPen(kLight);
    painter.drawLines(lines);
    painter.restore();
}

void drawSideView(QPainter& painter, const SideViewPicture& picture, const QRect& clip)
{
    drawSurfaces(painter, picture, clip);
    drawCaptions(painter, picture, clip);
}

void drawSurfaces(QPainter& painter, const SideViewPicture& picture, const QRect& clip)
{
    painter.save();
    painter.setClipRect(clip);
    painter.fillRect(clip, kBackground);
    for (const SurfacePlace& p : surfacePlaces()) {
        drawSurfaceBorder(painter, p.outer);
        const int b = kSurfaceBorder;
        painter.drawImage(p.outer.adjusted(b, b, -b, -b), picture.canvas(p.id).image());
    }
    painter.restore();
}

void drawCaptions(QPainter& painter, const SideViewPicture& picture, const QRect& clip)
{
    painter.save();
    painter.setClipRect(clip);
    QFont font = designFont();
    painter.setPen(Qt::black);
    for (const CaptionPlace& c : captionPlaces()) {
        font.setBold(c.bold);
        painter.setFont(font);
        painter.drawText(c.rect, c.alignment, picture.captions.value(c.name, c.designText));
    }
    painter.restore();
}

SideViewPicture enlarged(const SideViewPicture& picture, int factor)
{
    SideViewPicture out = picture;
    constexpr int kSurfaces[] = {sideview::Picture1, sideview::Picture33, sideview::Picture44};
    for (std::size_t i = 0; i < 3; ++i) {
        const int id = kSurfaces[i];
        const Canvas& small = picture.canvas(id);
        Canvas& big = out.canvas(id);
        big = Canvas(small.image().size() * factor, small.scaleWidth(),
                     picture.drawingScaleHeights[i]);
        big.setPixelRatio(factor);
        big.replay(picture.drawing, id);
    }
    if (const auto& map = picture.map)
        spl::paintMap(out.picture1, out.picture33, out.picture44, map->result, map->settings.style,
                      map->job.state, map->job.T, map->job.angle);
    return out;
}

QImage sideViewImage(const SideViewPicture& picture)
{
    const QRect view = viewRect();
    QImage image(view.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.translate(-view.topLeft());
    drawSideView(painter, picture, view);
    painter.end();
    return image;
}

} // namespace picture
