#include "i18n/gui/Language.h"

#include "i18n/gui/QtTranslations.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/Picture.h"
#include "platform/gui/WindowLook.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>
#include <numbers>

namespace {

// A globe: its outline, the equator, two parallels and three meridians.
DrawList globe(double size)
{
    const double c = size / 2, r = size / 2 - 3;
    const uint32_t blue = 0x1F5FAF;
    DrawList ops{draw::lineWidth(0, 2)};
    auto ellipse = [&](double rx, double ry, double cy) {
        constexpr int kSteps = 36;
        for (int i = 0; i < kSteps; ++i) {
            const double a0 = 2 * std::numbers::pi * i / kSteps;
            const double a1 = 2 * std::numbers::pi * (i + 1) / kSteps;
            ops.push_back(draw::line(0, c + rx * std::cos(a0), cy + ry * std::sin(a0),
                                     c + rx * std::cos(a1), cy + ry * std::sin(a1), blue));
        }
    };
    ellipse(r, r, c);
    ops.push_back(draw::lineWidth(0, 1));
    ellipse(r * 0.55, r, c);
    ops.push_back(draw::line(0, c, c - r, c, c + r, blue));
    ops.push_back(draw::line(0, c - r, c, c + r, c, blue));
    for (double y : {-0.5, 0.5}) {
        const double half = r * std::sqrt(1 - y * y);
        ops.push_back(draw::line(0, c - half, c + y * r, c + half, c + y * r, blue));
    }
    return ops;
}

// Two speech bubbles, one over the other, with lines of text.
DrawList bubbles(double size)
{
    DrawList ops;
    auto bubble = [&](double left, double top, double w, double h, uint32_t fill, bool tailLeft) {
        ops.push_back(draw::box(0, left, top, left + w, top + h, fill));
        const double tx = tailLeft ? left + 6 : left + w - 6;
        const double dx = tailLeft ? 6 : -6;
        for (int i = 0; i < 6; ++i)
            ops.push_back(draw::line(0, tx + dx * i / 6.0, top + h, tx, top + h + 6 - i, fill));
        for (int row = 0; row < 2; ++row) {
            const double y = top + 5 + row * 5;
            ops.push_back(draw::line(0, left + 4, y, left + w - 4 - row * 6, y, 0xFFFFFF));
        }
    };
    bubble(1, 1, size * 0.72, size * 0.38, 0x2E8B57, true);
    bubble(size * 0.26, size * 0.52, size * 0.72, size * 0.34, 0xC05A1E, false);
    return ops;
}

} // namespace

Language::Language(Languages& languages, int userLanguage, RelabelOrder order, QWidget* owner,
                   QtTranslations* qtTexts)
    : QDialog(owner), m_languages(languages), m_userLanguage(userLanguage),
      m_order(std::move(order)), m_qtTexts(qtTexts)
{
    setObjectName(QStringLiteral("Language"));
    setWindowTitle(QStringLiteral("Language"));
    setModal(true);
    useDesignFont(this);
    setFixedSize(tw(4440), tw(1920));

    m_label1 = make<QLabel>(this, QStringLiteral("Label1"), twRect(480, 360, 3015, 255));
    m_label1->setText(QStringLiteral("Choose A Language"));
    m_cboLanguage =
        make<QComboBox>(this, QStringLiteral("cboLanguage"), twRect(480, 720, 2655, 315));
    a11y::labelFor(m_label1, m_cboLanguage);
    m_command1 = make<QPushButton>(this, QStringLiteral("Command1"), twRect(480, 1200, 1095, 375));
    m_command1->setText(QStringLiteral("Ok"));
    m_command1->setDefault(true);
    m_command2 = make<QPushButton>(this, QStringLiteral("Command2"), twRect(2040, 1200, 1095, 375));
    m_command2->setText(QStringLiteral("Cancel"));
    const int picture = tw(480);
    makePicture(this, QStringLiteral("Image1"), twRect(3600, 720, 480, 480), globe(picture));
    makePicture(this, QStringLiteral("Image2"), twRect(3600, 1320, 480, 480), bubbles(picture));

    connect(m_cboLanguage, &QComboBox::currentIndexChanged, this, [this] { cboLanguage_Click(); });
    connect(m_command1, &QPushButton::clicked, this, &Language::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Language::Command2_Click);

    m_languages.registerWindow(this);
    Form_Load();
}

Language::~Language()
{
    m_languages.unregisterWindow(this);
}

const std::vector<Language::Entry>& Language::entries()
{
    static const std::vector<Entry> list = {{"English", languageId::English},
                                            {"Español", languageId::Spanish},
                                            {"Deutsch", languageId::German}};
    return list;
}

void Language::Form_Load()
{
    {
        const QSignalBlocker quiet(m_cboLanguage);
        m_cboLanguage->clear();
        for (const Entry& e : entries())
            m_cboLanguage->addItem(QString::fromUtf8(e.text), e.id);
    }
    selectEntry(0);
    SelectCurrentLanguage();
}

void Language::selectEntry(int index)
{
    {
        const QSignalBlocker quiet(m_cboLanguage);
        m_cboLanguage->setCurrentIndex(index);
    }
    cboLanguage_Click();
}

void Language::SelectCurrentLanguage()
{
    for (int i = 0; i < m_cboLanguage->count(); ++i) {
        if (m_cboLanguage->itemData(i).toInt() == m_userLanguage) {
            selectEntry(i);
            return;
        }
    }
}

int32_t Language::selectedLanguage() const
{
    return m_cboLanguage->currentData().toInt();
}

void Language::cboLanguage_Click()
{
    if (m_cboLanguage->currentIndex() < 0)
        return;
    m_languages.ApplyLanguage(selectedLanguage());
    if (m_qtTexts)
        m_qtTexts->use(selectedLanguage());
}

void Language::Command1_Click()
{
    unload();
}

void Language::Command2_Click()
{
    selectEntry(0);
    unload();
}

void Language::reject()
{
    // Escape or the frame's close button: the window goes, the language stays.
    unload();
}

void Language::unload()
{
    hide();
    m_languages.unregisterWindow(this);
    deleteLater();
}

void Language::relabel()
{
    m_label1->setText(m_languages.GetLabel(QStringLiteral("Language"), QStringLiteral("Label1")));
    m_command1->setText(m_languages.GetLabel(QStringLiteral("Generic"), QStringLiteral("OK")));
    relabelCancel();
}

void Language::relabelCancel()
{
    m_command2->setText(m_languages.GetLabel(QStringLiteral("Generic"), QStringLiteral("Cancel")));
    settleCaptions(this);
}

void Language::UpdateLabels()
{
    for (const RelabelStep& step : m_order)
        step.relabel(*this);
}

QStringList Language::relabelOrder() const
{
    QStringList names;
    for (const RelabelStep& step : m_order)
        names << step.window;
    return names;
}
