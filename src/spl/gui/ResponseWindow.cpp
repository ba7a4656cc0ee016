#include "spl/gui/ResponseWindow.h"

#include "analysis/RequestFromProject.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/ChartView.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/ProjectDocument.h"
#include "spl/CellMap.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace spl {

namespace {

/// The current point's colour, and those pinned points take in turn.
constexpr QRgb kCurrentColour = 0x000000;
constexpr QRgb kPinColours[] = {0xE6194B, 0x3CB44B, 0x4363D8, 0xF58231,
                                0x911EB4, 0x42D4F4, 0xF032E6, 0x9A6324};

/// The frequency axis reaches a little beyond the outer bands.
constexpr double kLowestHz = 80, kHighestHz = 12500;

} // namespace

ResponseWindow::ResponseWindow(ProjectDocument& doc, Languages& languages,
                               const picture::ShownPicture& picture, Surface& picture44,
                               QWidget* owner)
    : QDialog(owner), m_doc(doc), m_languages(languages), m_picture(picture),
      m_picture44(&picture44)
{
    setObjectName(QStringLiteral("Spectrum"));
    setModal(false);
    useDesignFont(this);
    buildLayout();

    connect(m_pin, &QPushButton::clicked, this, &ResponseWindow::pin);
    connect(m_unpin, &QPushButton::clicked, this, [this] { unpin(m_list->currentRow()); });
    connect(&m_doc, &ProjectDocument::redrawn, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(&m_doc, &ProjectDocument::calculationSettingsChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(&m_picture, &picture::ShownPicture::changed, this, &ResponseWindow::markMap);
    connect(this, &ResponseWindow::pointsChanged, this, &ResponseWindow::markMap);

    relabel();
    m_languages.registerWindow(this);
}

void ResponseWindow::mapClicked(double x, double y)
{
    const auto& map = m_picture.map();
    if (!map)
        return;
    const auto [X, Y] = viewPoint(map->placement.view, x, y);
    if (X > 0)
        showPoint(X, Y);
}

ResponseWindow::~ResponseWindow()
{
    m_languages.unregisterWindow(this);
    if (m_picture44)
        m_picture44->setMarks({});
}

void ResponseWindow::buildLayout()
{
    resize(760, 440);
    auto* top = new QGridLayout;
    const auto pair = [this, top](int row, int column, const char* caption, const char* value) {
        auto* c = new QLabel(this);
        c->setObjectName(QString::fromLatin1(caption));
        auto* v = new QLabel(this);
        v->setObjectName(QString::fromLatin1(value));
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        top->addWidget(c, row, column);
        top->addWidget(v, row, column + 1);
        return v;
    };
    m_model = pair(0, 0, "Label1", "LabelModel");
    m_point = pair(0, 2, "Label2", "LabelPoint");
    m_average = pair(1, 0, "Label3", "LabelAverage");
    m_under = pair(1, 2, "Label4", "LabelUnder");
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 2);

    m_chart = new QChart;
    m_chart->legend()->setVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    auto* axisX = new QLogValueAxis(m_chart);
    axisX->setObjectName(QStringLiteral("AxisX"));
    axisX->setBase(10);
    axisX->setLabelFormat(QStringLiteral("%g"));
    axisX->setMinorTickCount(8);
    axisX->setRange(kLowestHz, kHighestHz);
    auto* axisY = new QValueAxis(m_chart);
    axisY->setObjectName(QStringLiteral("AxisY"));
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    m_chart->addAxis(axisX, Qt::AlignBottom);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    m_view = chartView(m_chart, this, this);

    auto* listCaption = new QLabel(this);
    listCaption->setObjectName(QStringLiteral("Label5"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListPoints"));
    a11y::labelFor(listCaption, m_list);
    m_pin = new QPushButton(this);
    m_pin->setObjectName(QStringLiteral("CommandPin"));
    m_unpin = new QPushButton(this);
    m_unpin->setObjectName(QStringLiteral("CommandUnpin"));
    auto* side = new QVBoxLayout;
    side->addWidget(listCaption);
    side->addWidget(m_list, 1);
    side->addWidget(m_pin);
    side->addWidget(m_unpin);
    auto* sideBox = new QWidget(this);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(200);

    auto* body = new QHBoxLayout;
    body->addWidget(m_view, 1);
    body->addWidget(sideBox);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(body, 1);
}

QString ResponseWindow::label(const char* tag) const
{
    return m_languages.GetLabel(QStringLiteral("Spectrum"), QString::fromLatin1(tag));
}

QString ResponseWindow::decibels(double level) const
{
    return std::isfinite(level) ? QStringLiteral("%1 dB").arg(QLocale().toString(level, 'f', 1))
                                : QStringLiteral("-");
}

QString ResponseWindow::pointName(const Point& point) const
{
    const QLocale locale;
    return QStringLiteral("X %1 m, Y %2 m")
        .arg(locale.toString(point.spectrum.X, 'f', 2), locale.toString(point.spectrum.Y, 'f', 2));
}

QString ResponseWindow::averages(const Point& point) const
{
    const QString section = QStringLiteral("SPL");
    return QStringLiteral("%1 %2, %3 %4")
        .arg(m_languages.GetLabel(section, QStringLiteral("Flat")),
             decibels(point.spectrum.averageFlat),
             m_languages.GetLabel(section, QStringLiteral("AWeighted")),
             decibels(point.spectrum.averageA));
}

void ResponseWindow::relabel()
{
    setWindowTitle(label("Caption"));
    for (const char* tag : {"Label1", "Label2", "Label3", "Label4", "Label5"})
        findChild<QLabel*>(QString::fromLatin1(tag))->setText(label(tag));
    m_pin->setText(label("CommandPin"));
    m_unpin->setText(label("CommandUnpin"));
    m_chart->axes(Qt::Horizontal).front()->setTitleText(label("AxisX"));
    m_chart->axes(Qt::Vertical).front()->setTitleText(label("AxisY"));
    fill();
    a11y::applyNames(this);
    layout()->activate(); // the captions' new widths now, not at the next show
}

void ResponseWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed && m_picture44) {
        // The first time under the map, so that the map stays in sight for
        // the next clicks; the user's place after that.
        m_placed = true;
        const QRect screen = m_picture44->screen()->availableGeometry();
        const QPoint below = m_picture44->mapToGlobal(QPoint(0, m_picture44->height()));
        const QWidget* main = m_picture44->window();
        QPoint at(main->geometry().left(), below.y() + 24);
        at.setX(
            std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - width())));
        at.setY(
            std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() - height())));
        move(at);
    }
    refresh();
}

void ResponseWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    markMap();
}

void ResponseWindow::showPoint(double X, double Y)
{
    if (m_points.empty() || m_points.back().pinned)
        m_points.push_back({{}, QColor::fromRgb(kCurrentColour), false});
    m_points.back().spectrum.X = X;
    m_points.back().spectrum.Y = Y;
    if (isVisible())
        refresh();
    else
        show(); // and refreshed as it shows
    raise();
}

QColor ResponseWindow::freeColour() const
{
    for (const QRgb rgb : kPinColours) {
        const QColor colour = QColor::fromRgb(rgb);
        if (std::none_of(m_points.begin(), m_points.end(),
                         [&](const Point& p) { return p.pinned && p.colour == colour; }))
            return colour;
    }
    return QColor::fromRgb(kPinColours[m_points.size() % std::size(kPinColours)]);
}

void ResponseWindow::pin()
{
    if (m_points.empty() || m_points.back().pinned)
        return;
    m_points.back().colour = freeColour();
    m_points.back().pinned = true;
    fill();
    emit pointsChanged();
}

void ResponseWindow::unpin(int index)
{
    if (index < 0 || index >= int(m_points.size()) || !m_points[std::size_t(index)].pinned)
        return;
    m_points.erase(m_points.begin() + index);
    fill();
    emit pointsChanged();
}

void ResponseWindow::refresh()
{
    const Request request = requestFromDocument(m_doc, m_doc.calculationSettings());
    for (Point& p : m_points)
        p.spectrum = bandResponseAt(request, p.spectrum.X, p.spectrum.Y);
    m_under->clear();
    fill();
    emit pointsChanged();
}

void ResponseWindow::fill()
{
    const CalculationSettings& settings = m_doc.calculationSettings();
    m_model->setText(
        m_languages.GetLabel(QStringLiteral("SPL"), settings.model == LevelModelKind::Coherent
                                                        ? QStringLiteral("Coherent")
                                                        : QStringLiteral("Classic")));

    // The current point, or the last one pinned, in the readouts.
    if (m_points.empty()) {
        m_point->clear();
        m_average->clear();
    } else {
        const Point& p = m_points.back();
        m_point->setText(pointName(p));
        m_average->setText(averages(p));
    }

    m_list->clear();
    for (const Point& p : m_points) {
        if (!p.pinned)
            continue;
        auto* item = new QListWidgetItem(pointName(p) + u'\n' + averages(p), m_list);
        item->setForeground(p.colour);
    }
    m_pin->setEnabled(!m_points.empty() && !m_points.back().pinned);
    m_unpin->setEnabled(m_list->count() > 0);

    m_chart->removeAllSeries();
    auto* axisX = m_chart->axes(Qt::Horizontal).front();
    auto* axisY = static_cast<QValueAxis*>(m_chart->axes(Qt::Vertical).front());
    double lo = INFINITY, hi = -INFINITY;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const Point& p = m_points[i];
        auto* series = new QLineSeries(m_chart);
        series->setObjectName(QStringLiteral("Point%1").arg(i + 1));
        series->setName(pointName(p));
        QPen pen(p.colour);
        pen.setWidth(2);
        series->setPen(pen);
        series->setPointsVisible(true);
        QList<QPointF> levels;
        for (std::size_t b = 0; b < kFrequencies.size(); ++b) {
            const double level = p.spectrum.levels[b];
            if (!std::isfinite(level))
                continue;
            levels.append(QPointF(kFrequencies[b], level));
            lo = std::min(lo, level);
            hi = std::max(hi, level);
        }
        series->replace(levels);
        m_chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    if (lo > hi) {
        lo = 0;
        hi = 1;
    }
    axisY->setRange(std::floor(lo) - 1, std::ceil(hi) + 1);
    axisY->applyNiceNumbers();
}

void ResponseWindow::showValuesAt(double hz)
{
    if (m_points.empty() || !(hz > 0)) {
        m_under->clear();
        return;
    }
    // The band whose centre lies nearest on the logarithmic axis.
    const auto nearest =
        std::min_element(kFrequencies.begin(), kFrequencies.end(), [hz](int16_t a, int16_t b) {
            return std::abs(std::log(a / hz)) < std::abs(std::log(b / hz));
        });
    const std::size_t b = std::size_t(nearest - kFrequencies.begin());
    QStringList parts;
    for (const Point& p : m_points)
        parts << QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
                     .arg(p.colour.name(), decibels(p.spectrum.levels[b]));
    m_under->setText(QStringLiteral("%1 Hz: ").arg(*nearest) + parts.join(QStringLiteral("  ")));
}

void ResponseWindow::markMap()
{
    QList<Surface::Mark> marks;
    if (const auto& map = m_picture.map(); map && isVisible())
        for (const Point& p : m_points) {
            const auto [x, y] = picture44Point(map->placement.view, p.spectrum.X, p.spectrum.Y);
            marks.append({QPointF(x, y), p.colour});
        }
    if (m_picture44)
        m_picture44->setMarks(marks);
}

bool ResponseWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseMove) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPointF inChart = m_chart->mapFromScene(m_view->mapToScene(e->position().toPoint()));
        if (m_chart->plotArea().contains(inChart))
            showValuesAt(m_chart->mapToValue(inChart).x());
        else
            m_under->clear();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace spl
