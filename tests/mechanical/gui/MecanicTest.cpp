#include "mechanical/gui/Mecanic.h"
#include "i18n/Languages.h"
#include "platform/gui/Surface.h"
#include "project/ProjectDocument.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(MecanicWindow, ShowsTheProjectAsItWasAndRefreshes)
{
    Languages languages(SPLMAP_LANGUAGES_DIR);
    languages.ApplyLanguage(languageId::English);
    CapturingSink messages;
    ProjectDocument doc(messages);
    // Eight boxes with angles 5, 1, 1, 1, 1.5, 2, 3, 4.
    ASSERT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    const ProjectState& state = doc.state();
    QWidget owner;
    auto* m = new Mecanic(doc, languages, &owner);
    m->show();
    // Whether any pixel near the middle of box k's front edge is dark.
    const auto frontDrawn = [&](int k) {
        const QImage picture = m->grab().toImage();
        const QPointF mid = m->drawing()->canvas().toPixels((state.x1[k] + state.x2[k]) / 2.0,
                                                            (state.y1[k] + state.y2[k]) / 2.0) +
                            m->drawing()->pos();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(picture.pixel(qRound(mid.x()) + dx, qRound(mid.y()) + dy)) < 128)
                    return true;
        return false;
    };

    EXPECT_EQ(m->cumulativeField(1)->text(), "6");

    // Nothing but Refresh updates the open window; boxes out of use keep their old texts.
    doc.choose(Control::Combo2, 2);
    doc.choose(Control::Combo4, 1);
    EXPECT_TRUE(m->splayField(7)->isEnabled());
    m->findChild<QPushButton*>("Command2")->click();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(m->splayField(i)->isEnabled(), i < 3) << i;
    EXPECT_EQ(m->splayField(7)->text(), "4");
    EXPECT_EQ(m->modelText(), "TS160");
    EXPECT_TRUE(frontDrawn(3));
    EXPECT_FALSE(frontDrawn(4));
}
