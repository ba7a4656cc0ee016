#include "spl/gui/AreaLevelsWindow.h"

#include "analysis/RequestFromProject.h"
#include "platform/Numbers.h"
#include "platform/gui/ChartView.h"
#include "platform/gui/WindowLook.h"
#include "project/ProjectDocument.h"
#include "spl/gui/AreaCurvesPlot.h"
#include "spl/gui/SPL.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace spl {

namespace {

/// Frame captions of areas 1, 2 and 3 in the main window's language section.
constexpr const char* kAreaFrames[3] = {"Frame1", "Frame3", "Frame4"};
constexpr const char* kStatColumns[4] = {"Maximum", "Minimum", "Spread", "Deviation"};

/// The point of an area nearest a distance that lies on it, if it has a level.
const AreaPoint* nearestPoint(const AreaCurve& curve, double distance)
{
    const auto& p = curve.points;
    if (p.empty() || distance < std::min(p.front().distance, p.back().distance) ||
        distance > std::max(p.front().distance, p.back().distance))
        return nullptr;
    const auto nearest =
        std::min_element(p.begin(), p.end(), [distance](const AreaPoint& a, const AreaPoint& b) {
            return std::abs(a.distance - distance) < std::abs(b.distance - distance);
        });
    return std::isfinite(nearest->level) ? &*nearest : nullptr;
}

} // namespace

AreaLevelsWindow::AreaLevelsWindow(ProjectDocument& doc, Languages& languages, QWidget* owner)
    : QDialog(owner), m_doc(doc), m_languages(languages)
{
    setObjectName(QStringLiteral("AreaLevels"));
    setModal(false);
    useDesignFont(this);
    buildLayout();

    connect(m_text1, &QLineEdit::textEdited, this, &AreaLevelsWindow::heightEdited);
    connect(&m_doc, &ProjectDocument::redrawn, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(&m_doc, &ProjectDocument::calculationSettingsChanged, this, [this] {
        if (isVisible())
            refresh();
    });

    relabel();
    m_languages.registerWindow(this);
}

AreaLevelsWindow::~AreaLevelsWindow()
{
    m_languages.unregisterWindow(this);
}

void AreaLevelsWindow::buildLayout()
{
    resize(980, 480);
    auto* top = new QHBoxLayout;
    auto* heightCaption = new QLabel(this);
    heightCaption->setObjectName(QStringLiteral("Label1"));
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setText(numbers::generalDouble(m_height, QLocale()));
    m_text1->setMaximumWidth(60);
    heightCaption->setBuddy(m_text1);
    auto* bandCaption = new QLabel(this);
    bandCaption->setObjectName(QStringLiteral("Label2"));
    m_band = new QLabel(this);
    m_band->setObjectName(QStringLiteral("LabelBand"));
    auto* underCaption = new QLabel(this);
    underCaption->setObjectName(QStringLiteral("Label3"));
    m_under = new QLabel(this);
    m_under->setObjectName(QStringLiteral("Label4"));
    m_under->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(heightCaption);
    top->addWidget(m_text1);
    top->addSpacing(16);
    top->addWidget(bandCaption);
    top->addWidget(m_band);
    top->addSpacing(16);
    top->addWidget(underCaption);
    top->addWidget(m_under, 1);

    m_chart = areaCurvesChart();
    m_view = chartView(m_chart, this, this);

    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("Table1"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setFixedWidth(360);

    auto* body = new QHBoxLayout;
    body->addWidget(m_view, 1);
    body->addWidget(m_table);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(body, 1);
}

QString AreaLevelsWindow::label(const char* tag) const
{
    return m_languages.GetLabel(QStringLiteral("AreaLevels"), QString::fromLatin1(tag));
}

QString AreaLevelsWindow::areaName(int number) const
{
    if (number < 1 || number > 3)
        return label("AllAreas");
    return m_languages.GetLabel(QStringLiteral("Principal"),
                                QString::fromLatin1(kAreaFrames[number - 1]));
}

void AreaLevelsWindow::relabel()
{
    setWindowTitle(label("Caption"));
    for (const char* tag : {"Label1", "Label2", "Label3"})
        findChild<QLabel*>(QString::fromLatin1(tag))->setText(label(tag));
    m_chart->axes(Qt::Horizontal).front()->setTitleText(label("AxisX"));
    m_chart->axes(Qt::Vertical).front()->setTitleText(label("AxisY"));
    QStringList headers;
    for (const char* tag : kStatColumns)
        headers << label(tag);
    m_table->setHorizontalHeaderLabels(headers);
    fillChart();
    fillTable();
}

void AreaLevelsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refresh();
}

void AreaLevelsWindow::heightEdited()
{
    const QLocale locale;
    if (!numbers::isNumber(m_text1->text(), locale))
        return; // a half-typed number keeps the last height
    m_height = numbers::toDouble(m_text1->text(), locale);
    refresh();
}

void AreaLevelsWindow::refresh()
{
    const CalculationSettings& settings = m_doc.calculationSettings();
    const Request request = requestFromDocument(m_doc, settings);
    const std::vector<AreaSegment> areas =
        areasInUse(m_doc.fields(), m_doc.state(), m_doc.locale());
    m_levels = areaLevels(request, areas, m_height);
    m_band->setText(SPL::bandText(settings, m_languages));
    m_under->clear();
    fillChart();
    fillTable();
}

void AreaLevelsWindow::fillChart()
{
    const AreaCurveSet curves[] = {
        {m_levels, Qt::SolidLine, QStringLiteral("Area"), [this](int n) { return areaName(n); }}};
    plotAreaCurves(*m_chart, curves);
}

void AreaLevelsWindow::fillTable()
{
    const auto number = [](double v, int decimals) {
        auto* item = new QTableWidgetItem(QLocale().toString(v, 'f', decimals));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    std::vector<std::pair<QString, LevelStats>> rows;
    for (const AreaCurve& curve : m_levels.areas)
        rows.emplace_back(areaName(curve.number), curve.stats);
    if (m_levels.refused)
        rows.clear();
    else
        rows.emplace_back(label("AllAreas"), m_levels.overall);
    m_table->setRowCount(int(rows.size()));
    QStringList names;
    for (int r = 0; r < int(rows.size()); ++r) {
        const LevelStats& s = rows[std::size_t(r)].second;
        names << rows[std::size_t(r)].first;
        const double values[4] = {s.max, s.min, s.spread, s.deviation};
        for (int c = 0; c < 4; ++c) {
            if (s.count == 0)
                m_table->setItem(r, c, new QTableWidgetItem());
            else
                m_table->setItem(r, c, number(values[c], c == 3 ? 2 : 1));
        }
    }
    m_table->setVerticalHeaderLabels(names);
    if (m_levels.refused)
        m_under->setText(label("Refused"));
}

void AreaLevelsWindow::showValuesAt(double distance)
{
    const QLocale locale;
    QStringList parts;
    for (const AreaCurve& curve : m_levels.areas)
        if (const AreaPoint* p = nearestPoint(curve, distance))
            parts << QStringLiteral("%1: %2 dB")
                         .arg(areaName(curve.number), locale.toString(double(p->level), 'f', 1));
    m_under->setText(parts.isEmpty()
                         ? QString()
                         : QStringLiteral("%1 m   ").arg(locale.toString(distance, 'f', 1)) +
                               parts.join(QStringLiteral("   ")));
}

std::optional<AreaPoint> AreaLevelsWindow::pointAt(double distance, double level) const
{
    std::optional<AreaPoint> best;
    for (const AreaCurve& curve : m_levels.areas)
        if (const AreaPoint* p = nearestPoint(curve, distance))
            if (!best || std::abs(p->level - level) < std::abs(best->level - level))
                best = *p;
    return best;
}

bool AreaLevelsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPointF inChart = m_chart->mapFromScene(m_view->mapToScene(e->position().toPoint()));
        const QPointF value = m_chart->mapToValue(inChart);
        if (e->button() == Qt::LeftButton && m_chart->plotArea().contains(inChart))
            if (const std::optional<AreaPoint> p = pointAt(value.x(), value.y()))
                emit pointChosen(p->distance, p->height);
    }
    if (watched == m_view->viewport() && event->type() == QEvent::MouseMove) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPointF scene = m_view->mapToScene(e->position().toPoint());
        const QPointF value = m_chart->mapToValue(m_chart->mapFromScene(scene));
        if (m_chart->plotArea().contains(m_chart->mapFromScene(scene)))
            showValuesAt(value.x());
        else
            m_under->clear();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace spl
