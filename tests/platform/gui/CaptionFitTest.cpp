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

const QString kLong = QStringLiteral("Overall Depth of Array (m)");

int advance(const QWidget* w, const QString& text)
{
    return QFontMetrics(w->font()).horizontalAdvance(text);
}

} // namespace

TEST(DesignFont, IsTheNarrowFaceAtElevenPixels)
{
    QWidget window;
    useDesignFont(&window);
    const QFontInfo info(window.font());
    EXPECT_EQ(info.family(), "Liberation Sans Narrow") << "is fonts-liberation installed?";
    EXPECT_EQ(info.pixelSize(), 11);
    // Children under a style sheet take the application's font; it is the same one.
    QWidget child(&window);
    child.setStyleSheet(QStringLiteral("QWidget { color: red; }"));
    QLabel grandChild(&child);
    window.show();
    EXPECT_EQ(QFontInfo(grandChild.font()).family(), "Liberation Sans Narrow");
}

// A caption too long for its place is shortened, shows the whole text as tool tip
// and accessible name, and gets it back when it fits again or is set anew.
TEST(CaptionFit, ShortensWhatDoesNotFitAndRestoresWhatFitsAgain)
{
    QWidget window;
    useDesignFont(&window);
    auto* label = new QLabel(kLong, &window);
    label->setGeometry(0, 0, 60, 16);
    auto* fitting = new QLabel(QStringLiteral("Box 3"), &window);
    fitting->setGeometry(0, 20, 60, 16);

    fitCaptions(&window);
    EXPECT_TRUE(isCaptionShortened(label));
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
    EXPECT_LE(advance(label, label->text()), label->contentsRect().width());
    EXPECT_GT(label->text().size(), 3); // as much of the text as there is room for
    EXPECT_EQ(label->toolTip(), kLong);
    EXPECT_EQ(label->accessibleName(), kLong);
    EXPECT_FALSE(isCaptionShortened(fitting));

    // Fitting twice changes nothing.
    const QString shown = label->text();
    fitCaptions(&window);
    EXPECT_EQ(label->text(), shown);

    // Room enough again: the whole text, no tool tip.
    label->resize(400, 16);
    fitCaptions(&window);
    EXPECT_EQ(label->text(), kLong);
    EXPECT_TRUE(label->toolTip().isEmpty() && label->accessibleName().isEmpty());

    // A new text set over a shortened one is the new whole text.
    label->resize(60, 16);
    fitCaptions(&window);
    ASSERT_TRUE(isCaptionShortened(label));
    label->setText(QStringLiteral("Model"));
    fitCaptions(&window);
    EXPECT_EQ(label->text(), "Model");
}

TEST(CaptionFit, ShortensButtonsFrameTitlesAndWrappedLabels)
{
    QWidget window;
    useDesignFont(&window);
    auto* button = new QPushButton(QStringLiteral("CALCULADORA SPL DE PRUEBA"), &window);
    button->setGeometry(0, 0, 70, 30);
    auto* frame = new QGroupBox(QStringLiteral("Line-Array-Einstellungen und mehr"), &window);
    frame->setGeometry(0, 40, 90, 60);
    auto* wrapped =
        new QLabel(QStringLiteral("Really want to quit without saving the project?"), &window);
    wrapped->setWordWrap(true);
    wrapped->setGeometry(0, 110, 80, 30);
    window.show();

    fitCaptions(&window);

    ASSERT_TRUE(isCaptionShortened(button));
    QStyleOptionButton bo;
    bo.initFrom(button);
    bo.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &bo, button);
    EXPECT_LE(advance(button, button->text()), contents.width());

    ASSERT_TRUE(isCaptionShortened(frame));
    QStyleOptionGroupBox go;
    go.initFrom(frame);
    go.text = frame->title();
    go.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title =
        frame->style()->subControlRect(QStyle::CC_GroupBox, &go, QStyle::SC_GroupBoxLabel, frame);
    EXPECT_TRUE(frame->rect().contains(title)) << title.right() << " " << frame->width();

    ASSERT_TRUE(isCaptionShortened(wrapped));
    const QFontMetrics fm(wrapped->font());
    const QRect used = fm.boundingRect(wrapped->contentsRect(), Qt::TextWordWrap, wrapped->text());
    EXPECT_LE(used.height(), wrapped->height());
    EXPECT_TRUE(wrapped->text().startsWith(QStringLiteral("Really")));
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
