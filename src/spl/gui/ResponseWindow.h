#pragma once

#include "i18n/Languages.h"
#include "spl/BandResponse.h"

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <vector>

class ProjectDocument;
class QChart;
class QChartView;
class QLabel;
class QListWidget;
class QPushButton;
class Surface;
namespace picture {
class ShownPicture;
}

namespace spl {

/// The spectrum at points of the vertical plane: the level in each of the 21
/// bands, for the document's level model and resolution, plotted against a
/// logarithmic frequency axis, with the point's place, its band averages
/// (flat and A-weighted over all 21 bands) and the values under the mouse.
///
/// A click on Picture44 while a map is shown (or on a curve of the level
/// along the areas, through showPoint) opens the window at that point, the
/// current one, drawn in black. Pin keeps the current point, in a colour of
/// its own, beside the next ones; Remove lets the chosen pinned point go.
/// Every point of the window is marked on the map in its colour while the
/// window is open (a mark of the screen, not of the picture: saved and
/// printed images have none). The window follows every redraw of the project
/// and every change of the calculation settings while it is open.
class ResponseWindow : public QDialog, public iLanguage
{
    Q_OBJECT
public:
    /// One point of the window.
    struct Point
    {
        BandResponse spectrum;
        QColor colour;
        bool pinned = false;
    };

    ResponseWindow(ProjectDocument& doc, Languages& languages, const picture::ShownPicture& picture,
                   Surface& picture44, QWidget* owner);
    ~ResponseWindow() override;

    /// The pinned points in the order they were pinned, then the current one if any.
    const std::vector<Point>& points() const { return m_points; }

    /// Makes (X, Y) the current point (m), then shows the window.
    void showPoint(double X, double Y);
    /// A click on Picture44 at (x, y), scale units: the point of the plane
    /// the map shown there shows, when there is a map and the point lies in
    /// front of the array.
    void mapClicked(double x, double y);
    /// Pins the current point; nothing without one.
    void pin();
    /// Lets the pinned point at `index` (of points()) go.
    void unpin(int index);
    /// Recomputes every point's spectrum from the project as it stands.
    void refresh();
    /// Writes every point's level in the band nearest `hz` into `LabelUnder`.
    void showValuesAt(double hz);

    void relabel();
    void Updated() override { relabel(); }

signals:
    /// The points, their levels or their colours changed.
    void pointsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildLayout();
    void fill();
    void markMap();
    QColor freeColour() const;
    QString label(const char* tag) const;
    QString pointName(const Point& point) const;
    /// "Flat 98.2 dB, A-weighted 96.1 dB", in the current language.
    QString averages(const Point& point) const;
    QString decibels(double level) const;

    ProjectDocument& m_doc;
    Languages& m_languages;
    const picture::ShownPicture& m_picture;
    QPointer<Surface> m_picture44; // gone before this window when the main window goes
    std::vector<Point> m_points;
    bool m_placed = false; ///< put under the map once
    QLabel* m_model = nullptr;
    QLabel* m_point = nullptr;
    QLabel* m_average = nullptr;
    QLabel* m_under = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_pin = nullptr;
    QPushButton* m_unpin = nullptr;
};

} // namespace spl
