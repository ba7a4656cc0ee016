#pragma once

#include "platform/gui/Canvas.h"

#include <QFrame>

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

    Canvas& canvas() { return m_canvas; }
    const Canvas& canvas() const { return m_canvas; }

    double scaleWidth() const { return m_canvas.scaleWidth(); }
    double scaleHeight() const { return m_canvas.scaleHeight(); }
    void setScaleHeight(double h) { m_canvas.setScaleHeight(h); }

    bool autoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }

    QSize outerSize() const { return size(); }

    /// Replays the operations of `list` that belong to `surfaceId`, then repaints.
    void replay(const DrawList& list, int surfaceId);
    /// Repaints the surface on the screen now.
    void refresh();

signals:
    void mouseMoved(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Canvas m_canvas;
    bool m_autoRedraw = false;
};
