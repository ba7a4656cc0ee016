#include "platform/gui/CaptionFit.h"
#include "platform/gui/Accessibility.h"
#include "platform/gui/WindowLook.h"

#include <QFontInfo>
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
        if (l->wordWrap())
            return fm.boundingRect(room, Qt::TextWordWrap, l->text()).height() <= l->height();
        return fm.horizontalAdvance(l->text()) <= room.width();
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        return fm.horizontalAdvance(b->text()) <=
               b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
    }
    auto* f = qobject_cast<QGroupBox*>(w);
    QStyleOptionGroupBox o;
    o.initFrom(f);
    o.text = f->title();
    o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return f->rect().contains(
        f->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, f));
}

} // namespace

// Children of a frame with a style sheet take the application's font: it is the
// windows' one too.
TEST(DesignFont, ReachesChildrenUnderAStyleSheet)
{
    QWidget window;
    useDesignFont(&window);
    QGroupBox child(&window);
    child.setObjectName("Frame1");
    child.setStyleSheet(QStringLiteral("QGroupBox#Frame1 { color: red; }"));
    QLabel grandChild(&child);
    window.show();
    const QFontInfo mine(window.font()), theirs(grandChild.font());
    EXPECT_EQ(std::make_pair(theirs.family(), theirs.pixelSize()),
              std::make_pair(mine.family(), mine.pixelSize()));
}

// A caption too long for its place (a label's line, a button's contents, a
// frame's title line, a wrapped label's lines) is shortened to as much as fits,
// shows the whole text as tool tip and accessible name, and gets it back when
// it fits again or is set anew.
TEST(CaptionFit, ShortensWhatDoesNotFitAndRestoresWhatFitsAgain)
{
    QWidget window;
    useDesignFont(&window);
    const QString texts[] = {"Overall Depth of Array (m)", "CALCULADORA SPL DE PRUEBA",
                             "Line-Array-Einstellungen und mehr",
                             "Really want to quit without saving the project?"};
    auto* label = new QLabel(texts[0], &window);
    label->setGeometry(0, 0, 60, 16);
    auto* button = new QPushButton(texts[1], &window);
    button->setGeometry(0, 20, 70, 30);
    auto* frame = new QGroupBox(texts[2], &window);
    frame->setGeometry(0, 60, 90, 60);
    auto* wrapped = new QLabel(texts[3], &window);
    wrapped->setWordWrap(true);
    wrapped->setGeometry(0, 130, 80, 30);
    auto* fitting = new QLabel(QStringLiteral("Box 3"), &window);
    fitting->setGeometry(0, 170, 60, 16);
    window.show();

    fitCaptions(&window);
    QWidget* const shortened[] = {label, button, frame, wrapped};
    for (int i = 0; i < 4; ++i) {
        QWidget* w = shortened[i];
        ASSERT_TRUE(isCaptionShortened(w)) << i;
        EXPECT_TRUE(fits(w)) << i;
        EXPECT_EQ(w->toolTip(), texts[i]);
        EXPECT_EQ(w->accessibleName(), texts[i]);
        EXPECT_EQ(fullCaption(w), texts[i]);
    }
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
    EXPECT_GT(label->text().size(), 3); // as much of the text as there is room for
    EXPECT_TRUE(wrapped->text().startsWith(QStringLiteral("Really")));
    EXPECT_FALSE(isCaptionShortened(fitting));

    // Fitting twice changes nothing.
    const QString shown = label->text();
    fitCaptions(&window);
    EXPECT_EQ(label->text(), shown);

    // Room enough again: the whole text, no tool tip.
    label->resize(400, 16);
    fitCaptions(&window);
    EXPECT_EQ(label->text(), texts[0]);
    EXPECT_TRUE(label->toolTip().isEmpty() && label->accessibleName().isEmpty());

    // A new text set over a shortened one is the new whole text.
    label->resize(60, 16);
    fitCaptions(&window);
    ASSERT_TRUE(isCaptionShortened(label));
    label->setText(QStringLiteral("Model"));
    fitCaptions(&window);
    EXPECT_EQ(label->text(), "Model");
}

// Controls are named after their labels and frames as they read now, whole
// even where the label is shown shortened; the label leads to its control.
TEST(Accessibility, NamesControlsAfterTheirCaptionsAsTheyReadNow)
{
    QWidget window;
    useDesignFont(&window);
    auto* area = new QGroupBox(QStringLiteral("Area 2"), &window);
    area->setGeometry(0, 0, 200, 60);
    auto* caption = new QLabel(QStringLiteral("Elevation Z1"), area);
    caption->setGeometry(4, 20, 100, 16);
    auto* field = new QLineEdit(area);
    field->setGeometry(110, 18, 40, 20);
    a11y::labelFor(caption, field, {area});
    auto* lone = new QLineEdit(&window);
    a11y::nameAfter(lone, {area}, QStringLiteral("total"));

    EXPECT_EQ(caption->buddy(), field);
    EXPECT_EQ(lone->accessibleName(), "Area 2 total");

    // A new language: the names follow once the captions were settled.
    area->setTitle(QStringLiteral("Fläche 2"));
    caption->setText(QStringLiteral("Höhe der Oberkante über dem Boden Z1"));
    settleCaptions(&window);
    EXPECT_TRUE(isCaptionShortened(caption));
    EXPECT_EQ(field->accessibleName(), "Fläche 2 Höhe der Oberkante über dem Boden Z1");
    EXPECT_EQ(lone->accessibleName(), "Fläche 2 total");
}
