#include "mechanical/gui/Mecanic.h"
#include "i18n/Languages.h"
#include "mechanical/gui/Feat.h"
#include "platform/gui/Surface.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class MecanicWindow : public testing::Test
{
protected:
    void SetUp() override { languages.ApplyLanguage(languageId::English); }

    // Splay angles for the first boxes, as the main window would hold them.
    void setArray(int boxes, const QStringList& splays)
    {
        angles = splays;
        while (angles.size() < 16)
            angles << "0";
        double sum = 0;
        for (int k = 1; k <= 16; ++k) {
            sum += angles[k - 1].toDouble();
            state.box[k] = BoxValue::number(sum);
        }
        state.numcaixes = static_cast<int16_t>(boxes - 1);
    }

    Mecanic* open()
    {
        auto* m = new Mecanic(
            state, languages, [this] { return angles; }, &owner);
        m->show();
        return m;
    }

    // Whether any pixel near the middle of box k's front edge is dark.
    static bool frontDrawn(const QImage& picture, const Surface& s, const ProjectState& st, int k)
    {
        const QPointF mid =
            s.canvas().toPixels((st.x1[k] + st.x2[k]) / 2.0, (st.y1[k] + st.y2[k]) / 2.0) + s.pos();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(picture.pixel(qRound(mid.x()) + dx, qRound(mid.y()) + dy)) < 128)
                    return true;
        return false;
    }

    Languages languages{SPLMAP_LANGUAGES_DIR};
    ProjectState state;
    QStringList angles = QStringList(16, "0");
    QWidget owner;
};

} // namespace

TEST_F(MecanicWindow, LoadsWithTheCurrentProjectAndLanguage)
{
    setArray(2, {"3", "1.5"});
    state.applyModel(1);
    Mecanic* m = open();

    EXPECT_TRUE(m->isWindow());
    EXPECT_EQ(m->parentWidget(), &owner);
    EXPECT_TRUE(m->splayField(1)->isEnabled());
    EXPECT_FALSE(m->splayField(2)->isEnabled());
    EXPECT_FALSE(m->cumulativeField(15)->isEnabled());
    EXPECT_EQ(m->splayField(1)->text(), "1.5");
    EXPECT_EQ(m->cumulativeField(1)->text(), "4.5");
    EXPECT_EQ(m->cumulativeField(2)->text(), "0");
    EXPECT_EQ(m->modelText(), "TS160");
    EXPECT_EQ(m->findChild<QPushButton*>("Command1")->text(), "Close");
    EXPECT_EQ(m->findChild<QPushButton*>("Command2")->text(), "Refresh");
    EXPECT_EQ(m->findChild<QLabel*>("Label2")->text(), "Model");
    EXPECT_EQ(m->findChildren<QLineEdit*>("Text1").size(), 16);
    EXPECT_EQ(m->findChildren<QLabel*>("Label1").at(15)->text(), "B16");

    // All sixteen boxes got their corners.
    EXPECT_FLOAT_EQ(state.x1[1], 2.9f);
    EXPECT_EQ(state.x1[16], state.x2[15]);
    EXPECT_NE(state.y4[16], 0.0f);

    // The outlines are on the window, and stay there when it is painted again.
    const QImage shown = m->grab().toImage();
    EXPECT_TRUE(frontDrawn(shown, *m->drawing(), state, 1));
    EXPECT_TRUE(frontDrawn(shown, *m->drawing(), state, 2));
    EXPECT_FALSE(frontDrawn(shown, *m->drawing(), state, 3));
}

TEST_F(MecanicWindow, RefreshShowsFewerBoxesAndKeepsTheOldTextsOfTheRest)
{
    setArray(8, {"2", "1", "1", "2", "3", "4", "5", "6"});
    Mecanic* m = open();
    EXPECT_TRUE(frontDrawn(m->grab().toImage(), *m->drawing(), state, 8));

    setArray(3, {"2", "1", "1", "2", "3", "4", "5", "6"});
    state.applyModel(1);
    // Nothing but Refresh updates the open window.
    EXPECT_TRUE(m->splayField(7)->isEnabled());
    m->findChild<QPushButton*>("Command2")->click();

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(m->splayField(i)->isEnabled()) << i;
    for (int i = 3; i < 8; ++i) {
        EXPECT_FALSE(m->splayField(i)->isEnabled()) << i;
        EXPECT_FALSE(m->cumulativeField(i)->isEnabled()) << i;
    }
    EXPECT_EQ(m->splayField(7)->text(), "6");
    EXPECT_EQ(m->cumulativeField(7)->text(), "24");
    EXPECT_EQ(m->modelText(), "TS160");

    const QImage shown = m->grab().toImage();
    EXPECT_TRUE(frontDrawn(shown, *m->drawing(), state, 3));
    for (int k = 4; k <= 8; ++k)
        EXPECT_FALSE(frontDrawn(shown, *m->drawing(), state, k)) << k;

    // The owner writes the model key and the wizard clears the table.
    m->setModelText("TS250");
    m->clearTable();
    EXPECT_EQ(m->modelText(), "TS250");
    EXPECT_EQ(m->cumulativeField(1)->text(), "0");
    EXPECT_EQ(m->splayField(7)->text(), "0");
}

TEST_F(MecanicWindow, CloseDestroysTheWindowAndAsksForARedraw)
{
    QPointer<Mecanic> m = open();
    QSignalSpy closed(m.data(), &Mecanic::closedByButton);
    m->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(m->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m.isNull());

    // Gone from the windows told of a new language, too.
    EXPECT_NO_THROW(languages.ApplyLanguage(languageId::German));
}

TEST_F(MecanicWindow, FollowsALanguageChange)
{
    Mecanic* m = open();
    languages.ApplyLanguage(languageId::German);
    EXPECT_EQ(m->findChild<QPushButton*>("Command1")->text(), "Schließen");
    EXPECT_EQ(m->findChild<QPushButton*>("Command2")->text(), "Aktualisieren");
    EXPECT_EQ(m->findChild<QLabel*>("Label2")->text(), "Modell");
    EXPECT_EQ(m->windowTitle(), "Mechanical View");
}

TEST_F(MecanicWindow, FeatLoadsHiddenAndFollowsTheLanguage)
{
    Feat feat(languages, &owner);
    EXPECT_FALSE(feat.isVisible());
    EXPECT_EQ(feat.findChild<QGroupBox*>("Frame1")->title(), "Geometric Data");
    EXPECT_EQ(feat.findChild<QLabel*>("Label3")->text(), "Bottom Elevation (m)");
    for (const char* t : {"Text1", "Text2", "Text3", "Text4"})
        EXPECT_EQ(feat.findChild<QLineEdit*>(t)->text(), "0") << t;

    feat.show();
    feat.findChild<QPushButton*>("Command2")->click();
    EXPECT_FALSE(feat.isVisible());

    languages.ApplyLanguage(languageId::German);
    EXPECT_EQ(feat.findChild<QGroupBox*>("Frame2")->title(), "Mechanische Daten");
    EXPECT_EQ(feat.findChild<QLabel*>("Label4")->text(), "Gewicht des Arrays (kg)");
}
