#include "files/ProjectFile.h"
#include "i18n/Languages.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProjectLoad : public ::testing::Test
{
protected:
    ProjectLoad()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          window(languages, messages, languageId::English)
    {
    }

    QLineEdit* text(int n) { return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QComboBox* angle(int index) { return window.findChildren<QComboBox*>("Combo3").at(index); }

    static QString demo() { return QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini"); }

    /// Whether Picture44 has the colour at a point given in its scale units, or in
    /// a pixel next to it (a thin line may fall beside the rounded point).
    bool overlayHas(double x, double y, QColor colour)
    {
        const Canvas& c = window.picture(sideview::Picture44)->canvas();
        const QPoint p = c.toPixels(x, y).toPoint();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (c.image().valid(p.x() + dx, p.y() + dy) &&
                    c.image().pixelColor(p.x() + dx, p.y() + dy) == colour)
                    return true;
        return false;
    }

    Languages languages;
    CapturingSink messages;
    Principal window;
};

} // namespace

TEST_F(ProjectLoad, EnablesTheFieldsOfTheLoadedProject)
{
    ASSERT_TRUE(window.loadProject(demo()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text(13)->text(), "10");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(angle(i)->isEnabled(), i < 8) << i;
    EXPECT_TRUE(text(5)->isEnabled());  // two areas
    EXPECT_FALSE(text(9)->isEnabled()); // not three
    EXPECT_TRUE(window.findChild<QPushButton*>("Command2")->isEnabled());
    EXPECT_TRUE(window.findChild<QAction*>("SaveFoto")->isEnabled());
    EXPECT_EQ(window.state().numcaixes, 7);
    EXPECT_FLOAT_EQ(window.state().seleccio, 1.0f);
}

TEST_F(ProjectLoad, SavingTheLoadedProjectGivesTheSameFile)
{
    ASSERT_TRUE(window.loadProject(demo()));
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.ini");
    ASSERT_FALSE(projectfile::save(copy, window.fields(), window.state(), QLocale()));
    QFile a(demo()), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), a.readAll());
}

TEST_F(ProjectLoad, TheSideViewShowsRaysAndAreas)
{
    ASSERT_TRUE(window.loadProject(demo()));
    const ProjectState& s = window.state();
    // Halfway along each ray of a box in use the overlay is red.
    for (int k = 1; k <= 8; ++k) {
        const double x = (s.x1raig[k] + s.x2raig[k]) / 2;
        const double y = (s.y1raig[k] + s.y2raig[k]) / 2;
        EXPECT_TRUE(overlayHas(x, y, Qt::red)) << "ray " << k;
    }
    // Halfway along each area the overlay is black.
    for (int n = 1; n <= 2; ++n) {
        const AreaView& a = s.areaView[n];
        EXPECT_TRUE(overlayHas((a.X1 + a.X2) / 2, (a.Y1 + a.Y2) / 2, Qt::black)) << n;
    }
    // Above the highest ray, at the far edge, nothing is drawn.
    EXPECT_FALSE(overlayHas(170, 2, Qt::red));
    EXPECT_FALSE(overlayHas(170, 2, Qt::black));
}

TEST_F(ProjectLoad, MechanicalViewIsModelessAndShowsTheModel)
{
    ASSERT_TRUE(window.loadProject(demo()));
    window.show();
    auto* view = window.findChild<QPushButton*>("Command1");
    view->click();
    Mecanic* m = window.mechanicalView();
    EXPECT_TRUE(m->isVisible());
    EXPECT_FALSE(m->isModal());
    EXPECT_EQ(m->modelText(), "TS250");
    // The corners were computed for the loaded angles: box 8 hangs lower than box 1.
    EXPECT_GT(window.state().y1[8], window.state().y1[1]);
    m->setModelText("x");
    view->click();
    EXPECT_EQ(window.mechanicalView(), m);
    EXPECT_EQ(m->modelText(), "TS250");
}
