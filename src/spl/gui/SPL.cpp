#include "spl/gui/SPL.h"

#include "platform/Messages.h"
#include "platform/Numbers.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Surface.h"
#include "platform/gui/WindowLook.h"
#include "project/gui/FieldValidation.h"
#include "spl/Bands.h"
#include "spl/Decorations.h"
#include "spl/Request.h"
#include "spl/Resolution.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace {

constexpr int kClientWidth = 5310;
constexpr int kClientHeight = 4500;
// The band average's rows push the buttons and the array's picture down.
constexpr int kBandRows = 1080;

struct Swatch
{
    const char* picture;
    const char* label;
    int top;
    QRgb colour;
    const char* text;
};

// The colour legend: the colour each class of the map starts with.
constexpr Swatch kLegend[] = {
    {"Picture1", "Label2", 480, 0xFF00FF, ">130dB"},
    {"Picture7", "Label3", 720, 0xFF0000, "120dB"},
    {"Picture2", "Label4", 960, 0xFFFF00, "110dB"},
    {"Picture3", "Label5", 1200, 0x00FF00, "105dB"},
    {"Picture4", "Label6", 1440, 0x00FFFF, "100dB"},
    {"Picture5", "Label7", 1680, 0x0000C0, "95dB"},
    {"Picture6", "Label8", 1920, 0x000000, "< 95dB"},
};

// The captions of this window's own section.
constexpr const char* kLabelled[] = {"Label50", "Label11", "Label1",  "Label10", "Label13",
                                     "Label14", "Label15", "Label16", "Label17", "Command1"};

// The map styles of Combo5, in its order, with their captions' tags.
constexpr std::pair<spl::MapStyle, const char*> kStyles[] = {
    {spl::MapStyle::Distribution, "Distribution"}, {spl::MapStyle::Cells, "Cells"}};

// The level models of Combo6, in its order, with their captions' tags.
constexpr std::pair<spl::LevelModelKind, const char*> kModels[] = {
    {spl::LevelModelKind::Classic, "Classic"}, {spl::LevelModelKind::Coherent, "Coherent"}};

// The weightings of ComboWeighting, in its order, with their captions' tags.
constexpr std::pair<spl::Weighting, const char*> kWeightings[] = {{spl::Weighting::Flat, "Flat"},
                                                                  {spl::Weighting::A, "AWeighted"}};

// The band average the window starts with.
constexpr spl::BandRange kDefaultRange{};

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* l = make<QLabel>(parent, QString::fromLatin1(name), geometry);
    l->setText(QString::fromUtf8(text));
    return l;
}

} // namespace

SPL::SPL(Languages& languages, MessageSink& messages, QWidget* owner)
    : QDialog(owner), m_languages(languages), m_messages(messages)
{
    setObjectName(QStringLiteral("SPL"));
    setWindowTitle(QStringLiteral("SPL Mapping"));
    setModal(true);
    useDesignFont(this);
    buildLayout();
    Form_Load();

    m_validation = new FieldValidation(
        this, [this](QLineEdit*) { return Text1_Validate(); }, [](QLineEdit*) {});
    m_validation->addField(m_text1);

    connect(m_combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });
    connect(m_checkBands, &QCheckBox::toggled, this, &SPL::bandsChecked);
    for (QComboBox* end : {m_bandFrom, m_bandTo})
        connect(end, &QComboBox::activated, this, [this, end] { bandEndChosen(end); });
    connect(m_command1, &QPushButton::clicked, this, &SPL::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &SPL::Command2_Click);

    relabel();
}

SPL::~SPL() = default;

std::vector<std::pair<uint32_t, QString>> SPL::legend()
{
    std::vector<std::pair<uint32_t, QString>> out;
    for (const Swatch& s : kLegend)
        out.emplace_back(s.colour, QString::fromUtf8(s.text));
    return out;
}

QStringList SPL::frequencyItems()
{
    return {"100 Hz",  "125 Hz",  "160 Hz",  "200 Hz",  "250 Hz",  "315 Hz",  "400 Hz",
            "500 Hz",  "630 Hz",  "800 Hz",  "1000 Hz", "1250 Hz", "1600 Hz", "2000 Hz",
            "2500 Hz", "3150 Hz", "4000 Hz", "5000 Hz", "6300 Hz", "8000 Hz", "10000 Hz"};
}

void SPL::buildLayout()
{
    setFixedSize(tw(kClientWidth), tw(kClientHeight));

    for (const Swatch& s : kLegend) {
        auto* swatch =
            make<QFrame>(this, QString::fromLatin1(s.picture), twRect(480, s.top, 615, 255));
        swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        swatch->setLineWidth(1);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(s.colour));
        swatch->setPalette(p);
        swatch->setAutoFillBackground(true);
        label(this, s.label, s.text, twRect(1200, s.top, 825, 255));
    }

    QLabel* frequency =
        label(this, "Label50", "Frequency (1/3 Octave) :", twRect(2160, 480, 1935, 255));
    m_combo4 = make<QComboBox>(this, QStringLiteral("Combo4"), twRect(4080, 480, 1095, 315));
    a11y::labelFor(frequency, m_combo4);
    m_combo4->setEditable(true);
    m_combo4->setInsertPolicy(QComboBox::NoInsert);

    QLabel* power250 = label(this, "Label11", "Power (TS250):", twRect(2160, 840, 1335, 255));
    label(this, "Label9", "1000 W", twRect(4080, 840, 735, 255));
    QLabel* power160 = label(this, "Label1", "Power (TS160):", twRect(2160, 1200, 1455, 255));
    label(this, "Label12", "250 W", twRect(4080, 1200, 735, 255));
    // Two fields nothing reads or writes, under the power labels. Never shown:
    // they would cover the power captions and double their figures.
    for (auto [name, text, top] : {std::tuple{"Text2", "1000 W", 960}, {"Text3", "250 W", 1320}}) {
        auto* field = make<QLineEdit>(this, QString::fromLatin1(name), twRect(4080, top, 735, 285));
        field->setText(QString::fromLatin1(text));
        field->hide();
        a11y::nameAfter(field, {QLatin1String(name) == "Text2" ? power250 : power160});
    }

    QLabel* resolution =
        label(this, "Label10", "Vertical Resolution", twRect(2160, 1560, 1455, 255));
    m_text1 = make<QLineEdit>(this, QStringLiteral("Text1"), twRect(4080, 1560, 735, 285));
    a11y::labelFor(resolution, m_text1);
    // 0.3 m, written in the user's own decimal form.
    m_text1->setText(numbers::generalDouble(0.3, QLocale()));

    QLabel* style = label(this, "Label13", "Map style", twRect(2160, 1920, 1455, 255));
    m_combo5 = make<QComboBox>(this, QStringLiteral("Combo5"), twRect(4080, 1920, 1095, 315));
    a11y::labelFor(style, m_combo5);
    for (const auto& [style, tag] : kStyles)
        m_combo5->addItem(QString::fromLatin1(tag), static_cast<int>(style));
    m_combo5->setCurrentIndex(0);

    QLabel* model = label(this, "Label14", "Level model", twRect(2160, 2280, 1455, 255));
    m_combo6 = make<QComboBox>(this, QStringLiteral("Combo6"), twRect(4080, 2280, 1095, 315));
    a11y::labelFor(model, m_combo6);
    for (const auto& [kind, tag] : kModels)
        m_combo6->addItem(QString::fromLatin1(tag), static_cast<int>(kind));
    m_combo6->setCurrentIndex(0);

    // The band average: a range of the 21 bands and a weighting, instead of Combo4's band.
    m_checkBands =
        make<QCheckBox>(this, QStringLiteral("CheckBands"), twRect(480, 2640, 1650, 255));
    m_checkBands->setText(QStringLiteral("Band average"));
    QLabel* from = label(this, "Label15", "From", twRect(2160, 2640, 1455, 255));
    m_bandFrom =
        make<QComboBox>(this, QStringLiteral("ComboBandFrom"), twRect(4080, 2640, 1095, 315));
    QLabel* to = label(this, "Label16", "To", twRect(2160, 3000, 1455, 255));
    m_bandTo = make<QComboBox>(this, QStringLiteral("ComboBandTo"), twRect(4080, 3000, 1095, 315));
    QLabel* weighting = label(this, "Label17", "Weighting", twRect(2160, 3360, 1455, 255));
    m_weighting =
        make<QComboBox>(this, QStringLiteral("ComboWeighting"), twRect(4080, 3360, 1095, 315));
    a11y::labelFor(from, m_bandFrom, {m_checkBands});
    a11y::labelFor(to, m_bandTo, {m_checkBands});
    a11y::labelFor(weighting, m_weighting, {m_checkBands});
    for (QComboBox* end : {m_bandFrom, m_bandTo})
        end->addItems(frequencyItems());
    for (const auto& [w, tag] : kWeightings)
        m_weighting->addItem(QString::fromLatin1(tag), static_cast<int>(w));
    setBandRange(kDefaultRange);
    setBandRange(std::nullopt);

    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"),
                                   twRect(2040, 2760 + kBandRows, 1575, 495));
    m_command1->setText(QStringLiteral("CALCULATE"));
    m_command2 = make<QPushButton>(this, QStringLiteral("Command2"),
                                   twRect(3960, 2880 + kBandRows, 1215, 375));
    m_command2->setText(QStringLiteral("Close"));

    const QRect image1 = twRect(120, 2940 + kBandRows, 1815, 435);
    makePicture(this, QStringLiteral("Image1"), image1,
                spl::arrayPicture(image1.width(), image1.height()));
    const QRect image2 = twRect(480, 120, 4695, 240);
    makePicture(this, QStringLiteral("Image2"), image2,
                spl::rampPicture(image2.width(), image2.height()));
}

void SPL::Form_Load()
{
    const QSignalBlocker quiet(m_combo4);
    m_combo4->addItems(frequencyItems());
    m_combo4->setCurrentIndex(0);
}

QString SPL::resolutionText() const
{
    return m_text1->text();
}

float SPL::resolucioy() const
{
    return numbers::toSingle(m_text1->text(), QLocale());
}

spl::MapStyle SPL::mapStyle() const
{
    return static_cast<spl::MapStyle>(m_combo5->currentData().toInt());
}

void SPL::setMapStyle(spl::MapStyle style)
{
    m_combo5->setCurrentIndex(m_combo5->findData(static_cast<int>(style)));
}

spl::LevelModelKind SPL::levelModel() const
{
    return static_cast<spl::LevelModelKind>(m_combo6->currentData().toInt());
}

void SPL::setLevelModel(spl::LevelModelKind kind)
{
    m_combo6->setCurrentIndex(m_combo6->findData(static_cast<int>(kind)));
}

std::optional<spl::BandRange> SPL::bandRange() const
{
    if (!m_checkBands->isChecked())
        return std::nullopt;
    const auto hz = [](const QComboBox* c) {
        return spl::kFrequencies[std::size_t(c->currentIndex())];
    };
    return spl::BandRange{hz(m_bandFrom), hz(m_bandTo),
                          static_cast<spl::Weighting>(m_weighting->currentData().toInt())};
}

void SPL::setBandRange(const std::optional<spl::BandRange>& range)
{
    m_checkBands->setChecked(range.has_value());
    bandsChecked();
    if (!range)
        return;
    const std::optional<int> lo = spl::bandIndex(range->lo), hi = spl::bandIndex(range->hi);
    if (lo && hi) {
        m_bandFrom->setCurrentIndex(std::min(*lo, *hi));
        m_bandTo->setCurrentIndex(std::max(*lo, *hi));
    }
    m_weighting->setCurrentIndex(m_weighting->findData(static_cast<int>(range->weighting)));
}

void SPL::bandsChecked()
{
    const bool on = m_checkBands->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_bandFrom, m_bandTo, m_weighting})
        w->setEnabled(on);
    m_combo4->setEnabled(!on);
}

void SPL::bandEndChosen(QComboBox* chosen)
{
    // The end just chosen stays; the other one follows it.
    if (m_bandFrom->currentIndex() <= m_bandTo->currentIndex())
        return;
    QComboBox* other = chosen == m_bandFrom ? m_bandTo : m_bandFrom;
    other->setCurrentIndex(chosen->currentIndex());
}

QString SPL::bandText(const CalculationSettings& settings, const Languages& languages)
{
    if (!settings.bands)
        return QStringLiteral("%1 Hz").arg(settings.frequencia);
    const spl::BandRange& r = *settings.bands;
    const char* tag = kWeightings[0].second;
    for (const auto& [w, t] : kWeightings)
        if (w == r.weighting)
            tag = t;
    return QStringLiteral("%1-%2 Hz (%3)")
        .arg(r.lo)
        .arg(r.hi)
        .arg(languages.GetLabel(QStringLiteral("SPL"), QString::fromLatin1(tag)));
}

CalculationSettings SPL::settings() const
{
    return {frequencia, resolutionText(), mapStyle(), levelModel(), bandRange()};
}

void SPL::showSettings(const CalculationSettings& settings)
{
    const int i = static_cast<int>(
        frequencyItems().indexOf(QStringLiteral("%1 Hz").arg(settings.frequencia)));
    if (i >= 0) {
        m_combo4->setCurrentIndex(i);
        Combo4_Click();
    }
    m_text1->setText(settings.resolutionText);
    m_command1->setEnabled(true); // settings a map was made with are valid
    setMapStyle(settings.style);
    setLevelModel(settings.model);
    setBandRange(settings.bands);
}

void SPL::Combo4_Click()
{
    const QString text = m_combo4->currentText();
    const QStringList items = frequencyItems();
    const auto i = items.indexOf(text);
    if (i >= 0)
        frequencia = static_cast<int16_t>(QStringView(items[i]).chopped(3).toInt());
    landamig = spl::landamigFor(velso, frequencia);
}

bool SPL::Text1_Validate()
{
    const QString why = spl::resolutionProblem(m_text1->text(), QLocale());
    if (!why.isEmpty())
        showMessage(why);
    m_command1->setEnabled(why.isEmpty());
    return why != QStringLiteral("Value");
}

void SPL::Command1_Click()
{
    MostrarRelojArena();
    emit calculateRequested();
    MostrarPunteroRaton();
    hide();
}

void SPL::Command2_Click()
{
    hide();
}

void SPL::MostrarRelojArena()
{
    hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void SPL::MostrarPunteroRaton()
{
    QApplication::restoreOverrideCursor();
}

void SPL::showMessage(const QString& tag)
{
    m_messages.show(Message{tag, m_languages.GetLabel(QStringLiteral("MsgBox"), tag),
                            QStringLiteral("Warning")});
}

void SPL::relabel()
{
    const QString section = QStringLiteral("SPL");
    for (const char* name : kLabelled) {
        const QString n = QString::fromLatin1(name);
        const QString text = m_languages.GetLabel(section, n);
        if (auto* l = findChild<QLabel*>(n))
            l->setText(text);
        else if (auto* b = findChild<QPushButton*>(n))
            b->setText(text);
    }
    m_command2->setText(
        m_languages.GetLabel(QStringLiteral("Mecanic"), QStringLiteral("Command1")));
    for (int i = 0; i < m_combo5->count(); ++i)
        m_combo5->setItemText(
            i, m_languages.GetLabel(section, QString::fromLatin1(kStyles[i].second)));
    for (int i = 0; i < m_combo6->count(); ++i)
        m_combo6->setItemText(
            i, m_languages.GetLabel(section, QString::fromLatin1(kModels[i].second)));
    for (int i = 0; i < m_weighting->count(); ++i)
        m_weighting->setItemText(
            i, m_languages.GetLabel(section, QString::fromLatin1(kWeightings[i].second)));
    m_checkBands->setText(m_languages.GetLabel(section, QStringLiteral("CheckBands")));
    settleCaptions(this);
}
