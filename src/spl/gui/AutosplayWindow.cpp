#include "spl/gui/AutosplayWindow.h"

#include "analysis/RequestFromProject.h"
#include "platform/Numbers.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/ChartView.h"
#include "platform/gui/WindowLook.h"
#include "spl/LevelModel.h"
#include "spl/gui/AreaCurvesPlot.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLegend>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <new>
#include <system_error>

namespace spl {

namespace {

/// Frame captions of areas 1, 2 and 3 in the main window's language section.
constexpr const char* kAreaFrames[3] = {"Frame1", "Frame3", "Frame4"};
constexpr const char* kStats[4] = {"Maximum", "Minimum", "Spread", "Deviation"};

QDoubleSpinBox* spin(QWidget* parent, const char* name, double lo, double hi, double step,
                     int decimals, double value)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(lo, hi);
    s->setSingleStep(step);
    s->setDecimals(decimals);
    s->setValue(value);
    return s;
}

QTableWidgetItem* numberItem(double value, int decimals)
{
    auto* item = new QTableWidgetItem(QLocale().toString(value, 'f', decimals));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidgetItem* angleItem(double angle)
{
    auto* item = new QTableWidgetItem(numbers::generalDouble(angle, QLocale()));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

AutosplayWindow::AutosplayWindow(ProjectDocument& doc, Languages& languages, QWidget* owner)
    : QDialog(owner), m_doc(doc), m_languages(languages)
{
    setObjectName(QStringLiteral("Autosplay"));
    setModal(false);
    useDesignFont(this);
    buildLayout();

    connect(m_run, &QPushButton::clicked, this, &AutosplayWindow::run);
    connect(m_cancel, &QPushButton::clicked, this, &AutosplayWindow::cancel);
    connect(m_apply, &QPushButton::clicked, this, &AutosplayWindow::apply);
    connect(m_low, &QComboBox::currentIndexChanged, this, &AutosplayWindow::updateControls);
    connect(m_high, &QComboBox::currentIndexChanged, this, &AutosplayWindow::updateControls);
    // Every change of the project ends in a redraw, an accepted edit or a restore.
    connect(&m_doc, &ProjectDocument::redrawn, this, &AutosplayWindow::projectChanged);
    connect(&m_doc, &ProjectDocument::edited, this, &AutosplayWindow::projectChanged);
    connect(&m_doc, &ProjectDocument::restored, this, &AutosplayWindow::projectChanged);
    // The smallest splay can be no more than the model's largest.
    const auto followModel = [this] {
        m_minSplay->setMaximum(splayChoices(m_doc.state().modelcaixa).back());
    };
    connect(&m_doc, &ProjectDocument::redrawn, this, followModel);
    followModel();

    relabel();
    updateControls();
    m_languages.registerWindow(this);
}

AutosplayWindow::~AutosplayWindow()
{
    m_languages.unregisterWindow(this);
    if (m_worker) {
        m_stop = true;
        m_worker->wait();
        delete m_worker;
    }
}

void AutosplayWindow::buildLayout()
{
    resize(1100, 620);
    auto* settings = new QGridLayout;
    const auto caption = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_low = new QComboBox(this);
    m_low->setObjectName(QStringLiteral("ComboLow"));
    m_high = new QComboBox(this);
    m_high->setObjectName(QStringLiteral("ComboHigh"));
    for (const int16_t hz : kFrequencies) {
        m_low->addItem(QStringLiteral("%1 Hz").arg(hz), int(hz));
        m_high->addItem(QStringLiteral("%1 Hz").arg(hz), int(hz));
    }
    const AutosplayOptions defaults;
    m_low->setCurrentIndex(m_low->findData(int(defaults.bands.lo)));
    m_high->setCurrentIndex(m_high->findData(int(defaults.bands.hi)));
    m_height = spin(this, "SpinHeight", 0, 10, 0.1, 2, defaults.listeningHeight);
    m_slope = spin(this, "SpinSlope", 0, 6, 0.5, 1, defaults.slope);
    m_minSplay = spin(this, "SpinMinSplay", 0, 8, 0.5, 1, defaults.minSplay);
    m_keepTilt = new QCheckBox(this);
    m_keepTilt->setObjectName(QStringLiteral("CheckKeepTilt"));

    QLabel* bandsCaption = caption("LabelBands");
    QLabel* toCaption = caption("LabelTo");
    QLabel* slopeCaption = caption("LabelSlope");
    QLabel* heightCaption = caption("LabelHeight");
    QLabel* minSplayCaption = caption("LabelMinSplay");
    a11y::labelFor(bandsCaption, m_low);
    a11y::labelFor(toCaption, m_high, {bandsCaption});
    a11y::labelFor(slopeCaption, m_slope);
    a11y::labelFor(heightCaption, m_height);
    a11y::labelFor(minSplayCaption, m_minSplay);
    auto* bands = new QHBoxLayout;
    bands->addWidget(m_low);
    bands->addWidget(toCaption);
    bands->addWidget(m_high);
    bands->addStretch(1);
    settings->addWidget(bandsCaption, 0, 0);
    settings->addLayout(bands, 0, 1);
    settings->addWidget(slopeCaption, 1, 0);
    settings->addWidget(m_slope, 1, 1, Qt::AlignLeft);
    settings->addWidget(heightCaption, 0, 2);
    settings->addWidget(m_height, 0, 3, Qt::AlignLeft);
    settings->addWidget(minSplayCaption, 1, 2);
    settings->addWidget(m_minSplay, 1, 3, Qt::AlignLeft);
    settings->addWidget(m_keepTilt, 2, 0, 1, 4);
    settings->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_run = button("CommandRun");
    m_cancel = button("CommandCancel");
    m_apply = button("CommandApply");
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress"));
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStatus"));
    m_status->setWordWrap(true);
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_apply);

    m_angles = new QTableWidget(0, 3, this);
    m_angles->setObjectName(QStringLiteral("TableAngles"));
    m_figures = new QTableWidget(0, 3, this);
    m_figures->setObjectName(QStringLiteral("TableFigures"));
    for (QTableWidget* t : {m_angles, m_figures}) {
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->setSelectionMode(QAbstractItemView::NoSelection);
        t->setFocusPolicy(Qt::NoFocus);
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }
    m_angles->verticalHeader()->setVisible(false);
    m_figures->verticalHeader()->setVisible(false);
    m_figures->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_angles->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_angles->setFixedWidth(270);
    m_figures->setFixedWidth(320);

    m_chart = areaCurvesChart();
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries); // dashed or solid
    auto* view = chartView(m_chart, this);

    auto* body = new QHBoxLayout;
    body->addWidget(m_angles);
    body->addWidget(view, 1);
    body->addWidget(m_figures);
    auto* all = new QVBoxLayout(this);
    all->addLayout(settings);
    all->addLayout(buttons);
    all->addWidget(m_status);
    all->addLayout(body, 1);
}

QString AutosplayWindow::label(const char* tag) const
{
    return m_languages.GetLabel(QStringLiteral("Autosplay"), QString::fromLatin1(tag));
}

QString AutosplayWindow::areaName(int number) const
{
    if (number < 1 || number > 3)
        return label("AllAreas");
    return m_languages.GetLabel(QStringLiteral("Principal"),
                                QString::fromLatin1(kAreaFrames[number - 1]));
}

void AutosplayWindow::relabel()
{
    setWindowTitle(label("Caption"));
    for (const char* tag : {"LabelBands", "LabelTo", "LabelSlope", "LabelHeight", "LabelMinSplay"})
        findChild<QLabel*>(QString::fromLatin1(tag))->setText(label(tag));
    m_keepTilt->setText(label("CheckKeepTilt"));
    m_run->setText(label("CommandRun"));
    m_cancel->setText(label("CommandCancel"));
    m_apply->setText(label("CommandApply"));
    // The problem the search solves, where the user sets it; as paragraphs,
    // which a tool tip wraps.
    const auto tip = [this](std::initializer_list<const char*> tags) {
        QString html;
        for (const char* tag : tags)
            html += QStringLiteral("<p>%1</p>").arg(label(tag).toHtmlEscaped());
        return html;
    };
    m_low->setToolTip(tip({"TipLevel"}));
    m_high->setToolTip(tip({"TipLevel"}));
    m_height->setToolTip(tip({"TipPoints"}));
    m_slope->setToolTip(tip({"TipTarget"}));
    m_minSplay->setToolTip(tip({"TipMinSplay"}));
    m_keepTilt->setToolTip(tip({"TipKeepTilt"}));
    m_run->setToolTip(tip({"TipPoints", "TipLevel", "TipTarget", "TipJ"}));
    m_apply->setToolTip(tip({"TipApply"}));
    m_figures->setToolTip(tip({"TipJ"}));
    m_angles->setHorizontalHeaderLabels({label("Box"), label("Current"), label("Proposed")});
    m_figures->setHorizontalHeaderLabels({QString(), label("Before"), label("After")});
    m_chart->axes(Qt::Horizontal).front()->setTitleText(label("AxisX"));
    m_chart->axes(Qt::Vertical).front()->setTitleText(label("AxisY"));
    fillProposal();
    layout()->activate(); // the captions are fitted to the room the new texts get
    settleCaptions(this);
}

AutosplayOptions AutosplayWindow::options() const
{
    AutosplayOptions o;
    o.bands = BandRange{int16_t(m_low->currentData().toInt()),
                        int16_t(m_high->currentData().toInt()), Weighting::Flat};
    o.slope = m_slope->value();
    o.listeningHeight = m_height->value();
    o.minSplay = m_minSplay->value();
    o.keepTilt = m_keepTilt->isChecked();
    return o;
}

void AutosplayWindow::setListeningHeight(double height)
{
    m_height->setValue(height);
}

void AutosplayWindow::run()
{
    if (m_worker || m_low->currentData().toInt() > m_high->currentData().toInt())
        return;
    const AutosplayOptions o = options();
    Request request = requestFromDocument(m_doc, m_doc.calculationSettings());
    request.model = LevelModelKind::Coherent;
    request.bands = o.bands;
    const std::vector<AreaSegment> areas =
        areasInUse(m_doc.fields(), m_doc.state(), m_doc.locale());
    m_searched = m_doc.data();
    m_applied.reset();
    m_proposal.reset();
    m_found.reset();
    m_stop = false;
    m_permille = 0;
    m_progress->setValue(0);
    m_request = request;
    m_failed = false;
    m_state = Status::Running;
    fillProposal();

    m_worker = QThread::create([this, request, areas, o] {
        try {
            m_found = autosplay(
                request, areas, o, [this] { return m_stop.load(); },
                [this](double done) {
                    const int permille = int(std::lround(std::clamp(done, 0.0, 1.0) * 1000));
                    if (m_permille.exchange(permille) != permille)
                        QMetaObject::invokeMethod(
                            this, [this, permille] { m_progress->setValue(permille); },
                            Qt::QueuedConnection);
                });
        } catch (const std::bad_alloc&) {
            m_failed = true;
        } catch (const std::system_error&) {
            m_failed = true;
        }
    });
    connect(m_worker, &QThread::finished, this, &AutosplayWindow::finishSearch);
    updateControls();
    m_worker->start();
    if (!m_worker->isRunning() && !m_worker->isFinished()) {
        // The system gave no thread: the search never started.
        m_failed = true;
        finishSearch();
    }
}

void AutosplayWindow::cancel()
{
    m_stop = true;
}

void AutosplayWindow::finishSearch()
{
    m_worker->wait();
    m_worker->deleteLater();
    m_worker = nullptr;
    if (m_stop) {
        m_state = Status::Cancelled;
    } else if (m_failed) {
        m_state = Status::Failed;
    } else if (!m_found) {
        m_state = levelModel(m_request)->refused() ? Status::Refused : Status::NoPoint;
    } else {
        m_proposal = std::move(m_found);
        m_state = Status::Done;
        m_progress->setValue(1000);
    }
    m_found.reset();
    fillProposal();
    projectChanged(); // the project may have changed while the search ran
    emit searchEnded();
}

void AutosplayWindow::apply()
{
    if (!m_proposal || m_state != Status::Done)
        return;
    m_doc.setAngles(m_proposal->proposed);
    m_applied = m_doc.data();
    projectChanged();
}

void AutosplayWindow::projectChanged()
{
    if (!m_proposal || m_worker)
        return;
    Status now = Status::Stale;
    if (sameProject(m_doc.data(), m_searched))
        now = Status::Done;
    else if (m_applied && sameProject(m_doc.data(), *m_applied))
        now = Status::Applied;
    if (now != m_state) {
        m_state = now;
        updateControls();
    }
}

void AutosplayWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        cancel(); // nothing runs behind a closed window (a minimised one goes on)
    QDialog::hideEvent(event);
}

void AutosplayWindow::updateControls()
{
    const bool running = m_worker != nullptr;
    const bool rangeOk = m_low->currentData().toInt() <= m_high->currentData().toInt();
    m_run->setEnabled(!running && rangeOk);
    m_cancel->setEnabled(running);
    m_apply->setEnabled(!running && m_proposal && m_state == Status::Done);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_low, m_high, m_slope, m_height, m_minSplay, m_keepTilt})
        w->setEnabled(!running);
    QString text;
    switch (m_state) {
    case Status::Idle:
        text = label("Idle");
        break;
    case Status::Running:
        text = label("Running");
        break;
    case Status::Cancelled:
        text = label("Cancelled");
        break;
    case Status::NoPoint:
        text = label("NoPoint");
        break;
    case Status::Refused:
        text = m_languages.GetLabel(QStringLiteral("MsgBox"), QStringLiteral("Grid"));
        break;
    case Status::Failed:
        text = m_languages.GetLabel(QStringLiteral("MsgBox"), QStringLiteral("Memory"));
        break;
    case Status::Done:
        text = label("Done").arg(m_proposal ? m_proposal->evaluated : 0);
        break;
    case Status::Stale:
        text = label("Stale");
        break;
    case Status::Applied:
        text = label("Applied");
        break;
    }
    if (!rangeOk)
        text = label("BadRange");
    m_status->setText(text);
}

void AutosplayWindow::fillProposal()
{
    fillAngles();
    fillFigures();
    fillPlot();
    updateControls();
}

void AutosplayWindow::fillAngles()
{
    const int n = m_proposal ? int(m_proposal->proposed.size()) : 0;
    m_angles->setRowCount(n);
    for (int r = 0; r < n; ++r) {
        const auto i = std::size_t(r);
        auto* box = new QTableWidgetItem(QString::number(r + 1));
        box->setTextAlignment(Qt::AlignCenter);
        m_angles->setItem(r, 0, box);
        if (i < m_proposal->current.size())
            m_angles->setItem(r, 1, angleItem(m_proposal->current[i]));
        m_angles->setItem(r, 2, angleItem(m_proposal->proposed[i]));
    }
}

void AutosplayWindow::fillFigures()
{
    QStringList names;
    std::vector<std::pair<double, double>> rows; // before, after
    std::vector<int> decimalsOf;
    if (m_proposal) {
        names << label("J") << label("SpreadAll");
        rows.emplace_back(m_proposal->Jbefore, m_proposal->Jafter);
        rows.emplace_back(m_proposal->spreadBefore, m_proposal->spreadAfter);
        decimalsOf = {2, 1};
        for (const AutosplayArea& a : m_proposal->areas) {
            const double before[4] = {a.before.max, a.before.min, a.before.spread,
                                      a.before.deviation};
            const double after[4] = {a.after.max, a.after.min, a.after.spread, a.after.deviation};
            for (int s = 0; s < 4; ++s) {
                names << QStringLiteral("%1: %2").arg(areaName(a.area), label(kStats[s]));
                rows.emplace_back(before[s], after[s]);
                decimalsOf.push_back(s == 3 ? 2 : 1);
            }
        }
    }
    m_figures->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const auto i = std::size_t(r);
        m_figures->setItem(r, 0, new QTableWidgetItem(names[r]));
        m_figures->setItem(r, 1, numberItem(rows[i].first, decimalsOf[i]));
        m_figures->setItem(r, 2, numberItem(rows[i].second, decimalsOf[i]));
    }
}

void AutosplayWindow::fillPlot()
{
    const AreaLevels none;
    plotBeforeAfter(*m_chart, m_proposal ? m_proposal->levelsBefore : none,
                    m_proposal ? m_proposal->levelsAfter : none, [this](int area, bool after) {
                        return QStringLiteral("%1 %2").arg(
                            areaName(area), label(after ? "AfterCurve" : "BeforeCurve"));
                    });
}

} // namespace spl
