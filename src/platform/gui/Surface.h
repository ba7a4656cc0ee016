#pragma once

#include "platform/paint/Canvas.h"

#include <QFrame>
#include <QList>

/// A drawing surface on a window: a sunken frame showing a Canvas. The picture
/// is always kept, so a covered window repaints correctly; `autoRedraw` is only
/// remembered for the code that asks. Mouse moves are reported in scale units.
class Surface : public QFrame
{
    Q_OBJECT
public:
    /// `outer` is the frame's size in pixels, border included.
    Surface(const QString& name, QSize outer, double scaleWidth, double scaleHeight,
            QWidget* parent = nullptr);

    /// The picture shown: the surface's own, or the one given to showCanvas.
    const Canvas& canvas() const { return m_source ? *m_source : m_canvas; }
    /// Shows a canvas kept elsewhere (the same size as the surface's own)
    /// instead of the surface's own; it is painted on the next update.
    void showCanvas(const Canvas* source);

    double scaleWidth() const { return canvas().scaleWidth(); }
    double scaleHeight() const { return canvas().scaleHeight(); }
    void setScaleHeight(double h) { m_canvas.setScaleHeight(h); }

    bool autoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }

    QSize outerSize() const { return size(); }

    /// A small cross over the picture, at a point in scale units: a mark the
    /// screen shows above the canvas, never part of the picture itself (its
    /// image, export or print).
    struct Mark
    {
        QPointF at;
        QColor colour;
        bool operator==(const Mark&) const = default;
    };
    const QList<Mark>& marks() const { return m_marks; }
    void setMarks(const QList<Mark>& marks);

    /// Replays the operations of `list` that belong to `surfaceId`, then repaints.
    void replay(const DrawList& list, int surfaceId);
    /// Repaints the surface on the screen now.
    void refresh();

signals:
    void mouseMoved(double x, double y);
    /// The left button was pressed at a point, in scale units.
    void clicked(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Canvas m_canvas;
    const Canvas* m_source = nullptr;
    QList<Mark> m_marks;
    bool m_autoRedraw = false;
};
