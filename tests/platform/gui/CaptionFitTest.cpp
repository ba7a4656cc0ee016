#include "platform/gui/CaptionFit.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/WindowLook.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

/// Whether the caption's text, as shown now, fits where the widget draws it.
bool fits(QWidget* w)
{
    const QFontMetrics fm(w->font());
    if (auto* l = qobject_cast<QLabel*>(w)) {
        const QRect room = l->contentsRect();
        const QRect used = fm.boundingRect(room, l->wordWrap() ? Qt::TextWordWrap : 0, l->text());
        return used.width() <= room.width() && used.height() <= room.height();
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) // two pixels of frame and two of air a side
        return fm.size(Qt::TextShowMnemonic, b->text()).width() <= b->width() - 8;
    auto* f = qobject_cast<QGroupBox*>(w);
    QStyleOptionGroupBox o;
    o.initFrom(f);
    o.text = f->title();
    o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return f->rect().contains(
        f->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, f));
}

} // namespace

// A caption too long for its place is shortened to as much as fits, shows the
// whole text as tool tip and accessible name (its control's name too), and gets
// it back when it fits again or is set anew.
TEST(CaptionFit, ShortensWhatDoesNotFitAndRestoresWhatFitsAgain)
{
    QWidget window;
    useDesignFont(&window);
    const QString texts[] = {"Overall Depth of Array (m)", "CALCULADORA SPL DE PRUEBA",
                             "Line-Array-Einstellungen und mehr",
                             "Really want to quit without saving the project?"};
    auto* label = new QLabel(texts[0], &window);
    auto* wrapped = new QLabel(texts[3], &window);
    wrapped->setWordWrap(true);
    auto* frame = new QGroupBox(texts[2], &window);
    QWidget* const captions[] = {label, new QPushButton(texts[1], &window), frame, wrapped};
    const QRect places[] = {{0, 0, 60, 16}, {0, 20, 70, 30}, {0, 60, 90, 60}, {0, 130, 80, 30}};
    for (int i = 0; i < 4; ++i)
        captions[i]->setGeometry(places[i]);
    auto* field = new QLineEdit(&window);
    a11y::labelFor(label, field, {frame});
    window.show();

    fitCaptions(&window);
    for (int i = 0; i < 4; ++i) {
        QWidget* w = captions[i];
        ASSERT_TRUE(isCaptionShortened(w)) << i;
        EXPECT_TRUE(fits(w)) << i;
        EXPECT_EQ((QStringList{w->toolTip(), w->accessibleName(), fullCaption(w)}),
                  QStringList(3, texts[i]));
    }
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
    EXPECT_GT(label->text().size(), 3); // as much of the text as there is room for
    EXPECT_TRUE(wrapped->text().startsWith(QStringLiteral("Really")));
    settleCaptions(&window);
    EXPECT_EQ(field->accessibleName(), texts[2] + " " + texts[0]);

    const QString shown = label->text();
    fitCaptions(&window); // again: the same
    EXPECT_EQ(label->text(), shown);
    label->resize(400, 16);
    fitCaptions(&window);
    EXPECT_EQ(label->text(), texts[0]);
    EXPECT_TRUE(label->toolTip().isEmpty() && label->accessibleName().isEmpty());
    label->resize(60, 16);
    fitCaptions(&window);
    ASSERT_TRUE(isCaptionShortened(label));
    label->setText(QStringLiteral("Model"));
    fitCaptions(&window);
    EXPECT_EQ(label->text(), "Model");
}
