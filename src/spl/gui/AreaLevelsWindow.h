#pragma once

#include "analysis/AreaLevels.h"
#include "i18n/Languages.h"

#include <QDialog>
#include <optional>

class ProjectDocument;
class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace spl {

/// The level along each audience area: for the document's band and
/// resolution, the level against distance of every area in use, each in its
/// area's colour, with the values under the mouse (a click on a curve
/// chooses its point, see pointChosen), and beside the plot the
/// maximum, minimum, spread and standard deviation of each area and of all
/// together. The listening height (`Text1`, default 1.2 m) lifts the points
/// above the area lines. The window follows every redraw of the project and
/// every change of the calculation settings while it is open.
class AreaLevelsWindow : public QDialog, public iLanguage
{
    Q_OBJECT
public:
    AreaLevelsWindow(ProjectDocument& doc, Languages& languages, QWidget* owner);
    ~AreaLevelsWindow() override;

    /// The levels shown now.
    const AreaLevels& levels() const { return m_levels; }
    /// The listening height the field holds, m (the last number typed).
    double listeningHeight() const { return m_height; }

    /// Recomputes the levels from the project as it stands and redraws.
    void refresh();
    /// Writes the level of every area at a distance (m) into `Label4`.
    void showValuesAt(double distance);

    /// The point of an area whose curve passes nearest to (distance m, level
    /// dB) of the plot, among the areas lying at that distance; none there.
    std::optional<AreaPoint> pointAt(double distance, double level) const;

    void relabel();
    void Updated() override { relabel(); }

signals:
    /// A point of an area's curve was clicked: its place in the vertical
    /// plane (distance and height, m).
    void pointChosen(double X, double Y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void heightEdited();
    void fillChart();
    void fillTable();
    QString areaName(int number) const;
    QString label(const char* tag) const;

    ProjectDocument& m_doc;
    Languages& m_languages;
    AreaLevels m_levels;
    double m_height = 1.2;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_band = nullptr;
    QLabel* m_under = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace spl
