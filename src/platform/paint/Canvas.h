#pragma once

#include "platform/DrawList.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QSize>
#include <span>

/// A drawing surface with a user scale, keeping its picture in an image so
/// that it can be shown, printed, exported and read back pixel by pixel.
/// The scale puts the origin at the top-left corner, x to the right and y
/// downwards; its width and height are the extent of the image in scale units.
class Canvas
{
public:
    Canvas(QSize pixels, double scaleWidth, double scaleHeight, QColor background = Qt::white);

    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }
    void setScaleWidth(double w) { m_scaleWidth = w; }
    void setScaleHeight(double h) { m_scaleHeight = h; }

    /// Erases the picture to the background colour.
    void clear();
    /// A line in the given colour, or in the foreground colour (black).
    void line(double x1, double y1, double x2, double y2, std::optional<QColor> colour = {});
    /// A filled rectangle between two corners.
    void box(double x1, double y1, double x2, double y2, QColor colour);
    /// A dot whose diameter is the current line width.
    void point(double x, double y, std::optional<QColor> colour = {});

    int lineWidth() const { return m_lineWidth; }
    void setLineWidth(int pixels) { m_lineWidth = pixels < 1 ? 1 : pixels; }
    /// How many of this canvas's pixels stand for one pixel of the window's
    /// surface (1 on screen, more for print): line widths and dots grow by it,
    /// so a picture painted larger keeps the look of the screen's.
    int pixelRatio() const { return m_pixelRatio; }
    void setPixelRatio(int ratio) { m_pixelRatio = ratio < 1 ? 1 : ratio; }
    Qt::PenStyle lineStyle() const { return m_lineStyle; }
    void setLineStyle(Qt::PenStyle style) { m_lineStyle = style; }
    QPainter::CompositionMode drawMode() const { return m_drawMode; }
    void setDrawMode(QPainter::CompositionMode mode) { m_drawMode = mode; }

    /// Copies the whole picture of `source` onto this one, scaled into the
    /// parallelogram whose top-left, top-right and bottom-left corners are given
    /// in this canvas's scale units (a rectangle when they are axis-aligned).
    void blockTransfer(const Canvas& source, QPointF topLeft, QPointF topRight, QPointF bottomLeft);
    /// The same in this canvas's pixels: every pixel whose centre falls inside
    /// the parallelogram takes the source pixel under the corresponding point
    /// (nearest pixel, no smoothing); the pixels outside are left as they are.
    /// With corners (0, 0), (w, 0), (0, h) of an equal-sized source the copy is exact.
    void transferPixels(const Canvas& source, QPointF topLeft, QPointF topRight,
                        QPointF bottomLeft);

    /// Paints a row of pixels computed for a picture of this size at pixel row
    /// y (kKeepPixel keeps what is there); what lies outside the image is ignored.
    void paintLine(int y, std::span<const uint32_t> line);

    /// Draws the operations of `list` that belong to `surface`, in order.
    void replay(const DrawList& list, int surface);

    /// Scale units <-> pixel coordinates of the image.
    QPointF toPixels(double x, double y) const;
    QPointF toScale(QPointF pixels) const;

    const QImage& image() const { return m_image; }
    /// Changes the pixel size, keeping the scale; the picture is cleared.
    void resize(QSize pixels);

private:
    void preparePen(QPainter& p, std::optional<QColor> colour) const;

    QImage m_image;
    QColor m_background;
    double m_scaleWidth;
    double m_scaleHeight;
    int m_lineWidth = 1;
    int m_pixelRatio = 1;
    Qt::PenStyle m_lineStyle = Qt::SolidLine;
    QPainter::CompositionMode m_drawMode = QPainter::CompositionMode_SourceOver;
};

/// The colour of a draw operation, black for the foreground.
inline QColor colourOf(std::optional<uint32_t> rgb)
{
    return rgb ? QColor::fromRgb(static_cast<QRgb>(*rgb)) : QColor(Qt::black);
}
