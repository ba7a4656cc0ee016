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
    auto* field = new QLineEdit(&window);
    a11y::labelFor(label, field, {frame});
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
    settleCaptions(&window);
    EXPECT_EQ(field->accessibleName(), texts[2] + " " + texts[0]);

    const QString shown = label->text();
    fitCaptions(&window);
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
