#include "spl/gui/SPL.h"
#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SPLTest : public ::testing::Test
{
protected:
    SPLTest() : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR))
    {
        languages.ApplyLanguage(languageId::English);
        window = std::make_unique<SPL>(languages, messages, nullptr);
    }

    template <class T = QPushButton> T* child(const char* name)
    {
        return window->findChild<T*>(name);
    }
    QLineEdit* text1() { return child<QLineEdit>("Text1"); }
    QComboBox* combo4() { return child<QComboBox>("Combo4"); }

    // Types a resolution and leaves the field with Tab; the tags shown meanwhile.
    QStringList enter(const QString& value)
    {
        messages.shown.clear();
        text1()->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([this] { return text1()->hasFocus(); }));
        text1()->setText(value);
        QTest::keyClick(text1(), Qt::Key_Tab);
        QStringList tags;
        for (const Message& m : messages.shown)
            tags << m.tag;
        return tags;
    }

    Languages languages;
    CapturingSink messages;
    std::unique_ptr<SPL> window;
};

} // namespace

// The window's texts and pictures; no control lies over the text of a label
// the user reads, in any language.
TEST_F(SPLTest, ControlsSitAtTheirPlacesWithTheirTexts)
{
    EXPECT_EQ(window->windowTitle(), "SPL Mapping");
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "250 W");
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (const char* image : {"Image1", "Image2"}) { // drawn, and still drawn once shown
        QImage white = child<Surface>(image)->canvas().image().copy();
        white.fill(Qt::white);
        EXPECT_NE(child<Surface>(image)->canvas().image(), white) << image;
    }
    for (int32_t id : {languageId::English, languageId::Spanish, languageId::German}) {
        languages.ApplyLanguage(id);
        window->relabel();
        const QList<QWidget*> all = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QLabel* l : window->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            const QRect room = l->contentsRect();
            const QRect ink =
                (l->fontMetrics().boundingRect(room, int(l->alignment()), l->text()) & room)
                    .translated(l->pos());
            for (const QWidget* w : all)
                EXPECT_FALSE(l->isVisible() && !l->text().isEmpty() && w != l && w->isVisible() &&
                             w->geometry().intersects(ink))
                    << id << ": " << w->objectName().toStdString() << " covers "
                    << l->text().toStdString();
        }
    }
    // Captions from the language file; Close from the mechanical view's section.
    EXPECT_EQ(child("Command1")->text(), languages.GetLabel("SPL", "Command1"));
    EXPECT_EQ(child("Command2")->text(), languages.GetLabel("Mecanic", "Command1"));
    EXPECT_EQ(child<QLabel>("Label2")->text(), ">130dB");
}

// The band average starts at 125 to 8000 Hz, flat; its ends never cross: the
// end just chosen stays and the other one follows it. A typed frequency that is
// none of the items keeps the one chosen; the resolution is in the user's form.
TEST_F(SPLTest, BandsFrequencyResolutionAndSettingsInAndOut)
{
    child<QCheckBox>("CheckBands")->click();
    ASSERT_EQ(window->bandRange(), spl::BandRange{});
    auto* from = child<QComboBox>("ComboBandFrom");
    auto* to = child<QComboBox>("ComboBandTo");
    const struct
    {
        QComboBox* list;
        int16_t hz;
        int16_t lo, hi;
    } choices[] = {{to, 1000, 125, 1000}, {from, 5000, 5000, 5000}, {from, 100, 100, 5000},
                   {to, 100, 100, 100},   {to, 10000, 100, 10000},  {from, 10000, 10000, 10000},
                   {to, 8000, 8000, 8000}};
    for (const auto& c : choices) {
        const int i = c.list->findText(QStringLiteral("%1 Hz").arg(c.hz));
        c.list->setCurrentIndex(i);
        emit c.list->activated(i);
        const std::optional<spl::BandRange> range = window->bandRange();
        ASSERT_TRUE(range);
        EXPECT_EQ(std::pair(range->lo, range->hi), std::pair(c.lo, c.hi)) << c.hz;
    }
    child<QComboBox>("ComboWeighting")->setCurrentIndex(1);
    EXPECT_EQ(window->bandRange()->weighting, spl::Weighting::A);
    child<QCheckBox>("CheckBands")->click();
    EXPECT_FALSE(window->bandRange());

    combo4()->setCurrentIndex(20);
    emit combo4()->activated(20);
    EXPECT_EQ(window->frequencia, 10000);
    combo4()->setEditText("1001 Hz");
    window->Combo4_Click();
    EXPECT_EQ(window->frequencia, 10000);

    EXPECT_EQ(text1()->text(), "0.3");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SPL german(languages, messages, nullptr);
    QLocale::setDefault(before);
    EXPECT_EQ(german.resolutionText(), "0,3");

    // The settings shown are the settings read back, every one of them, the
    // defaults after others; a band average turns the single band's list off.
    for (const auto& bands : {std::optional{spl::BandRange{100, 10000, spl::Weighting::A}},
                              std::optional<spl::BandRange>{},
                              std::optional{spl::BandRange{630, 630, spl::Weighting::Flat}}}) {
        const CalculationSettings made{
            2500, "0.7", bands ? spl::MapStyle::Cells : spl::MapStyle::Distribution,
            bands ? spl::LevelModelKind::Coherent : spl::LevelModelKind::Classic, bands};
        window->showSettings(made);
        EXPECT_EQ(window->settings(), made);
        EXPECT_EQ(combo4()->isEnabled(), !bands);
        EXPECT_EQ(child<QComboBox>("ComboBandTo")->isEnabled(), bands.has_value());
    }
}

// A bad resolution turns Calculate off; a word keeps the focus in the field.
// Calculate runs with the window hidden under the busy cursor; Close hides it.
TEST_F(SPLTest, ResolutionIsCheckedOnLeavingTheFieldAndTheButtonsHide)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QPushButton* calculate = child("Command1");
    ASSERT_EQ(enter("0.09"), QStringList{"ValSma"});
    EXPECT_FALSE(calculate->isEnabled());
    EXPECT_EQ(enter("far"), QStringList{"Value"});
    EXPECT_FALSE(calculate->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return text1()->hasFocus(); }));
    EXPECT_EQ(enter("1"), QStringList());
    EXPECT_TRUE(calculate->isEnabled());

    int runs = 0;
    QObject::connect(window.get(), &SPL::calculateRequested, [&] {
        ++runs;
        EXPECT_FALSE(window->isVisible());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    });
    QTest::mouseClick(calculate, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    window->show();
    QTest::mouseClick(child("Command2"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}
