#include "platform/paint/Canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(QSize pixels, double scaleWidth, double scaleHeight, QColor background)
    : m_image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32), m_background(background),
      m_scaleWidth(scaleWidth), m_scaleHeight(scaleHeight)
{
    clear();
}

void Canvas::clear()
{
    m_image.fill(m_background);
}

QPointF Canvas::toPixels(double x, double y) const
{
    return {x * m_image.width() / m_scaleWidth, y * m_image.height() / m_scaleHeight};
}

QPointF Canvas::toScale(QPointF p) const
{
    return {p.x() * m_scaleWidth / m_image.width(), p.y() * m_scaleHeight / m_image.height()};
}

void Canvas::preparePen(QPainter& p, std::optional<QColor> colour) const
{
    p.setCompositionMode(m_drawMode);
    QPen pen(colour.value_or(Qt::black));
    pen.setWidth(m_lineWidth * m_pixelRatio);
    pen.setStyle(m_lineStyle);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
}

void Canvas::line(double x1, double y1, double x2, double y2, std::optional<QColor> colour)
{
    QPainter p(&m_image);
    preparePen(p, colour);
    // Aliased, so that every pixel of a line has exactly the line's colour.
    p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
}

void Canvas::box(double x1, double y1, double x2, double y2, QColor colour)
{
    QPainter p(&m_image);
    p.setCompositionMode(m_drawMode);
    const QRectF r = QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized();
    p.fillRect(r, colour);
}

void Canvas::point(double x, double y, std::optional<QColor> colour)
{
    QPainter p(&m_image);
    p.setCompositionMode(m_drawMode);
    const QPointF c = toPixels(x, y);
    const QColor col = colour.value_or(Qt::black);
    const int width = m_lineWidth * m_pixelRatio;
    if (width <= 1) {
        p.setPen(col);
        p.drawPoint(c);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    // Centred on the middle of the pixel, so the dot is as many pixels across as the width.
    const double r = width / 2.0;
    p.drawEllipse(c + QPointF(0.5, 0.5), r, r);
}

void Canvas::blockTransfer(const Canvas& source, QPointF topLeft, QPointF topRight,
                           QPointF bottomLeft)
{
    transferPixels(source, toPixels(topLeft.x(), topLeft.y()), toPixels(topRight.x(), topRight.y()),
                   toPixels(bottomLeft.x(), bottomLeft.y()));
}

void Canvas::transferPixels(const Canvas& source, QPointF a, QPointF b, QPointF c)
{
    const int sw = source.m_image.width();
    const int sh = source.m_image.height();
    // The source pixel (u, v) lands at a + u * e + v * f.
    const double ex = (b.x() - a.x()) / sw, ey = (b.y() - a.y()) / sw;
    const double fx = (c.x() - a.x()) / sh, fy = (c.y() - a.y()) / sh;
    const double det = ex * fy - fx * ey;
    if (det == 0.0 || !std::isfinite(det))
        return;

    // Only the pixels within the parallelogram's bounding box can be reached.
    const QPointF d = b + (c - a);
    const double left = std::min({a.x(), b.x(), c.x(), d.x()});
    const double right = std::max({a.x(), b.x(), c.x(), d.x()});
    const double top = std::min({a.y(), b.y(), c.y(), d.y()});
    const double bottom = std::max({a.y(), b.y(), c.y(), d.y()});
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int x1 = std::min(m_image.width(), static_cast<int>(std::ceil(right)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int y1 = std::min(m_image.height(), static_cast<int>(std::ceil(bottom)));

    // The inverse map, from a pixel centre here to the source.
    const double du = fy / det, dv = -ey / det; // per pixel to the right
    const double eu = -fx / det, ev = ex / det; // per pixel down
    const auto* in = reinterpret_cast<const QRgb*>(source.m_image.constBits());
    const auto stride = static_cast<std::size_t>(source.m_image.bytesPerLine()) / sizeof(QRgb);
    for (int y = y0; y < y1; ++y) {
        auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const double qy = y + 0.5 - a.y();
        const double u0 = qy * eu, v0 = qy * ev;
        for (int x = x0; x < x1; ++x) {
            const double qx = x + 0.5 - a.x();
            const double u = qx * du + u0, v = qx * dv + v0;
            if (u < 0 || v < 0 || u >= sw || v >= sh)
                continue;
            out[x] = in[static_cast<std::size_t>(v) * stride + static_cast<std::size_t>(u)];
        }
    }
}

void Canvas::paintLine(int y, std::span<const uint32_t> line)
{
    if (y < 0 || y >= m_image.height())
        return;
    auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    const std::size_t w = std::min(line.size(), static_cast<std::size_t>(m_image.width()));
    for (std::size_t x = 0; x < w; ++x) {
        if (line[x] != kKeepPixel)
            out[x] = 0xFF000000u | line[x];
    }
}

void Canvas::replay(const DrawList& list, int surface)
{
    struct Pixels
    {
        Canvas& c;
        void clear() { c.clear(); }
        void lineWidth(int width) { c.setLineWidth(width); }
        void line(double x1, double y1, double x2, double y2, std::optional<uint32_t> rgb)
        {
            c.line(x1, y1, x2, y2, colourOf(rgb));
        }
        void point(double x, double y, std::optional<uint32_t> rgb)
        {
            c.point(x, y, colourOf(rgb));
        }
        void box(double x1, double y1, double x2, double y2, std::optional<uint32_t> rgb)
        {
            c.box(x1, y1, x2, y2, colourOf(rgb));
        }
    } pixels{*this};
    replayOps(list, surface, pixels);
}

void Canvas::resize(QSize pixels)
{
    m_image = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    clear();
}
