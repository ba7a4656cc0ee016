#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ProjectLoad : public ::testing::Test
{
protected:
    ProjectLoad()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)), doc(messages),
          window(doc, languages, languageId::English)
    {
    }

    QLineEdit* text(int n) { return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QComboBox* combo(const char* name) { return window.findChild<QComboBox*>(name); }
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
    ProjectDocument doc;
    Principal window;
};

} // namespace

TEST_F(ProjectLoad, TheControlsShowTheLoadedProject)
{
    ASSERT_TRUE(window.loadProject(demo()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text(13)->text(), "10");
    EXPECT_EQ(text(15)->text(), "Main hall, evening show");
    EXPECT_EQ(combo("Combo2")->currentText(), "8");
    EXPECT_EQ(angle(4)->currentText(), "1.5");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(angle(i)->isEnabled(), i < 8) << i;
    for (const char* c : {"Combo1", "Combo2", "Combo4"})
        EXPECT_TRUE(combo(c)->isEnabled()) << c;
    EXPECT_TRUE(text(5)->isEnabled());  // two areas
    EXPECT_FALSE(text(9)->isEnabled()); // not three
    EXPECT_TRUE(window.findChild<QPushButton*>("Command2")->isEnabled());
    EXPECT_TRUE(window.findChild<QAction*>("SaveFoto")->isEnabled());
    EXPECT_EQ(window.findChild<QLabel*>("Label59")->text(), "13");
    EXPECT_EQ(window.sideViewCaptions(), doc.captions());
}

TEST_F(ProjectLoad, TheSideViewShowsRaysAndAreas)
{
    ASSERT_TRUE(window.loadProject(demo()));
    const ProjectState& s = doc.state();
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
