#include "platform/gui/ChartView.h"

#include <QChartView>

QChartView* chartView(QChart* chart, QWidget* owner, QObject* mouseWatcher)
{
    auto* view = new QChartView(chart, owner);
    view->setObjectName(QStringLiteral("Chart"));
    view->setRenderHint(QPainter::Antialiasing);
    if (mouseWatcher) {
        view->setMouseTracking(true);
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(mouseWatcher);
    }
    return view;
}
