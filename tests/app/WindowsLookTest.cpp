// Every window of the program, in every language: each caption fits its place
// and every input control carries the name of its caption.

#include "Harness.h"
#include "i18n/Languages.h"
#include "mechanical/gui/Mecanic.h"
#include "platform/Messages.h"
#include "platform/gui/CaptionFit.h"
#include "project/ProjectDocument.h"
#include "project/gui/Principal.h"
#include "wizard/gui/Dades.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

struct Look : Program
{
    /// Every window of the program. A new window joins the checks by being added here.
    QList<QWidget*> all()
    {
        return {&windows.principal(),   &windows.languageWindow(), &windows.featuresWindow(),
                &windows.inforWindow(), windows.mechanicalView(),  &windows.quitWindow(),
                &windows.splWindow(),   windows.wizard()};
    }
    /// Chooses a language as the language window's list does.
    void choose(int32_t id)
    {
        const auto& entries = Language::entries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].id == id)
                windows.languageWindow().selectEntry(static_cast<int>(i));
    }
};

// The widgets that belong to `window` itself, not to a window it owns.
template <typename W> QList<W*> own(QWidget* window)
{
    QList<W*> list;
    for (W* w : window->findChildren<W*>())
        if (w->window() == window && w->isVisibleTo(window))
            list << w;
    return list;
}

QString where(const QWidget* window, const QWidget* w, const char* language)
{
    return QStringLiteral("%1/%2 in %3: \"%4\"")
        .arg(window->objectName(), w->objectName(), QString::fromLatin1(language), fullCaption(w));
}

// What the user sees of a caption must lie inside its widget, and the widget
// inside its parent's contents (a frame's border and title are not contents).
void expectCaptionsFit(QWidget* window, const char* language)
{
    for (QWidget* w : own<QWidget>(window)) {
        const bool label = qobject_cast<QLabel*>(w) != nullptr;
        const bool button = qobject_cast<QAbstractButton*>(w) != nullptr;
        auto* frame = qobject_cast<QGroupBox*>(w);
        if (!label && !button && !frame)
            continue;
        const QString at = where(window, w, language);
        const QFontMetrics fm(w->font());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            const QRect room = l->contentsRect();
            const int flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
            const QRect used = fm.boundingRect(room, flags, l->text());
            EXPECT_LE(used.width(), room.width()) << at.toStdString();
            EXPECT_LE(used.height(), room.height()) << at.toStdString();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            // Two pixels of the button's frame and two of air on either side.
            const int width = fm.size(Qt::TextShowMnemonic, b->text()).width();
            EXPECT_LE(width, b->width() - 8) << at.toStdString();
            EXPECT_LE(fm.height(), b->height() - 4) << at.toStdString();
        } else {
            QStyleOptionGroupBox opt;
            opt.initFrom(frame);
            opt.text = frame->title();
            opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                               QStyle::SC_GroupBoxLabel, frame);
            EXPECT_TRUE(frame->rect().contains(title)) << at.toStdString();
        }
        // With the design font nothing needs shortening in the shipped languages.
        EXPECT_FALSE(isCaptionShortened(w)) << at.toStdString();

        QWidget* parent = w->parentWidget();
        if (parent && parent != window && label) {
            EXPECT_TRUE(parent->contentsRect().contains(w->geometry()))
                << at.toStdString() << " lies across its frame's border";
        }
    }
}

// The name assistive tools give a widget.
QString heard(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

// The input controls of a window: fields, lists and spin boxes (a list's own
// edit line belongs to the list).
QList<QWidget*> inputControls(QWidget* window)
{
    QList<QWidget*> list;
    for (QWidget* w : own<QWidget>(window)) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())))
            list << w;
    }
    return list;
}

void expectEveryControlNamed(QWidget* window, const char* language)
{
    QStringList names;
    for (QWidget* w : inputControls(window)) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << where(window, w, language).toStdString();
        names << w->accessibleName();
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), inputControls(window).size())
        << window->objectName().toStdString() << " in " << language
        << ": two controls share a name";
    // A label beside a control leads to it.
    for (QLabel* l : own<QLabel>(window)) {
        if (l->buddy() && !qobject_cast<QLabel*>(l->buddy())) {
            EXPECT_TRUE(l->buddy()->accessibleName().contains(fullCaption(l)))
                << where(window, l, language).toStdString();
        }
    }
}

} // namespace

TEST(WindowsLook, EveryCaptionFitsAndEveryControlIsNamedInEveryLanguage)
{
    Look program;
    const QList<QWidget*> windows = program.all();
    for (QWidget* w : windows)
        w->show();

    // English again last: a caption shortened in a longer language gets its text back.
    const std::pair<int32_t, const char*> languages[] = {{languageId::English, "English"},
                                                         {languageId::German, "German"},
                                                         {languageId::Spanish, "Spanish"},
                                                         {languageId::English, "English"}};
    for (const auto& [id, name] : languages) {
        program.choose(id);
        for (QWidget* w : windows) {
            expectCaptionsFit(w, name);
            expectEveryControlNamed(w, name);
        }
    }
}

// The names a screen reader gives: a caption with its frame or box row, in the current language.
TEST(WindowsLook, ControlsAreNamedAfterTheirCaptionsInTheCurrentLanguage)
{
    Look program;
    Principal& principal = program.windows.principal();
    Mecanic& mecanic = *program.windows.mechanicalView();
    auto name = [](QWidget& w, const char* objectName, int i = 0) {
        return w.findChildren<QWidget*>(QString::fromLatin1(objectName))
            .at(i)
            ->accessibleName()
            .toStdString();
    };
    EXPECT_EQ(principal.findChildren<QComboBox*>("Combo3").at(2)->lineEdit()->accessibleName(),
              "Box 3");
    EXPECT_EQ(name(principal, "Text6"), "Area 2 Elevation Z1");
    EXPECT_EQ(name(mecanic, "Text2", 15), "B16 Cumulative angle");

    program.choose(languageId::German);
    EXPECT_EQ(name(principal, "Text6"), "Fläche 2 Höhe Z1");
    EXPECT_EQ(name(mecanic, "Text1", 2), "B3 Spreizwinkel");

    // Frames and the empty readouts are heard by their own captions, not by
    // the frame around them, and keep them through a re-labelling.
    for (int32_t id : {languageId::English, languageId::Spanish}) {
        program.choose(id);
        for (const auto& [widget, caption] : {std::pair{"Frame1", "Frame1"},
                                              {"Frame3", "Frame3"},
                                              {"Frame4", "Frame4"},
                                              {"Label46", "Label44"},
                                              {"Label47", "Label45"},
                                              {"LabelLevelValue", "LabelLevel"}})
            EXPECT_EQ(heard(principal.findChild<QWidget*>(widget)).toStdString(),
                      fullCaption(principal.findChild<QWidget*>(caption)).toStdString())
                << id << " " << widget;
    }
}
