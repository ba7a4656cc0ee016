#pragma once

class QChart;
class QChartView;
class QObject;
class QWidget;

/// The view of a window's chart, named "Chart", antialiased; when
/// `mouseWatcher` is given, it hears the mouse moving over the plot (even with
/// no button down) through its event filter.
QChartView* chartView(QChart* chart, QWidget* owner, QObject* mouseWatcher = nullptr);
