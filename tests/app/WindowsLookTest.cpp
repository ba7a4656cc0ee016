// Every window of the program, in every language: each caption is a language
// text, fits its place, and every input control carries the name of its caption.

#include "Harness.h"
#include "platform/gui/CaptionFit.h"
#include "project/gui/Principal.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Look : Program
{
    /// Every window of the program. A new window joins the checks by being added here.
    QList<QWidget*> all()
    {
        return {&windows.principal(),      &windows.languageWindow(), &windows.featuresWindow(),
                &windows.inforWindow(),    windows.mechanicalView(),  &windows.quitWindow(),
                &windows.splWindow(),      windows.wizard(),          &windows.responseWindow(),
                &windows.autosplayWindow()};
    }
    /// Every caption the user reads, by window, control and position.
    QMap<QString, QString> captions()
    {
        QMap<QString, QString> all;
        QMap<QString, int> seen;
        for (QWidget* window : this->all()) {
            auto add = [&](QObject* o, const QString& text) {
                const QString key = window->objectName() + "/" + o->objectName();
                all.insert(key + "#" + QString::number(seen[key]++), text);
            };
            // A widget with neither name nor text (a table's corner button) is no caption.
            for (QWidget* w : window->findChildren<QWidget*>())
                if (w->window() == window && !w->objectName().startsWith("qt_") &&
                    (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                     qobject_cast<QGroupBox*>(w)) &&
                    !(w->objectName().isEmpty() && fullCaption(w).isEmpty()))
                    add(w, fullCaption(w));
            for (QAction* a : window->findChildren<QAction*>())
                if (!a->isSeparator() && !a->objectName().isEmpty())
                    add(a, a->text());
        }
        return all;
    }
};

/// Whether the caption (window/control#position) is no language text: numbers,
/// readouts, keys, legends, names, units and a few buttons.
bool notALanguageText(const QString& key)
{
    static const QRegularExpression kept(
        "^(Quit/Command1|Feat/Command2|Dades/Command[12]|Dades/Label19|SPL/Label([2-9]|12)|Infor/"
        "Label[1-4]|Principal/(LabelLevel|LabelLevelValue|Label(3[5-9]|4[0-24-9]|5[89]))|"
        "Spectrum/Label(Point|Average|Under))#0$|"
        "^Mecanic/Label1#\\d+$");
    return kept.match(key).hasMatch();
}

// In one window: what the user sees of each caption lies inside its widget, a
// label inside its frame's contents, and nothing needs shortening with the
// design font. Every input control (field, list, spin box; the edit line of a
// list or spin box with it) has a name of its own, and a label beside a control leads to it.
void expectLook(QWidget* window, const char* language)
{
    QStringList names;
    int controls = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window))
            continue;
        const std::string at = QStringLiteral("%1/%2 in %3: \"%4\"")
                                   .arg(window->objectName(), w->objectName(),
                                        QString::fromLatin1(language), fullCaption(w))
                                   .toStdString();
        const QFontMetrics fm(w->font());
        auto* combo = qobject_cast<QComboBox*>(w);
        if (auto* l = qobject_cast<QLabel*>(w)) {
            const QRect room = l->contentsRect();
            const int flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
            const QRect used = fm.boundingRect(room, flags, l->text());
            EXPECT_TRUE(used.width() <= room.width() && used.height() <= room.height()) << at;
            const QWidget* parent = w->parentWidget();
            EXPECT_TRUE(parent == window || parent->contentsRect().contains(w->geometry()))
                << at << " lies across its frame";
            EXPECT_TRUE(!l->buddy() || qobject_cast<QLabel*>(l->buddy()) ||
                        l->buddy()->accessibleName().contains(fullCaption(l)))
                << at;
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            // Two pixels of the button's frame and two of air on either side.
            const int width = fm.size(Qt::TextShowMnemonic, b->text()).width();
            EXPECT_TRUE(width <= b->width() - 8 && fm.height() <= b->height() - 4) << at;
        } else if (combo || qobject_cast<QAbstractSpinBox*>(w) ||
                   (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()) &&
                    !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))) {
            ++controls;
            names << w->accessibleName();
            EXPECT_FALSE(names.back().isEmpty()) << at;
            if (combo && combo->lineEdit()) {
                EXPECT_EQ(combo->lineEdit()->accessibleName(), names.back()) << at;
            }
            continue;
        } else if (!qobject_cast<QGroupBox*>(w)) {
            continue;
        }
        EXPECT_FALSE(isCaptionShortened(w)) << at;
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), controls) << window->objectName().toStdString() << " in " << language
                                      << ": two controls share a name";
}

} // namespace

TEST(WindowsLook, EveryCaptionIsALanguageTextFitsAndNamesItsControl)
{
    Look program;
    for (QWidget* w : program.all()) {
        ASSERT_TRUE(w && !w->isVisible()) << "every window starts hidden";
        w->show();
    }
    const QMap<QString, QString> english = program.captions();
    Principal& principal = program.windows.principal();
    // Frames and the empty readouts are heard by their own captions, not by
    // the frame around them.
    const char* const heardAs[][2] = {{"Frame1", "Frame1"},   {"Frame3", "Frame3"},
                                      {"Frame4", "Frame4"},   {"Label46", "Label44"},
                                      {"Label47", "Label45"}, {"LabelLevelValue", "LabelLevel"}};

    // As started, then in each language as the language window's list has
    // them; English again last: a caption shortened or changed in another
    // language gets its text back.
    const std::pair<int, const char*> languages[] = {
        {-1, "English as started"}, {2, "German"}, {1, "Spanish"}, {0, "English"}};
    for (const auto& [entry, name] : languages) {
        if (entry >= 0)
            program.windows.languageWindow().selectEntry(entry);
        for (QWidget* w : program.all())
            expectLook(w, name);
        for (const auto& [widget, caption] : heardAs)
            EXPECT_EQ(QAccessible::queryAccessibleInterface(principal.findChild<QWidget*>(widget))
                          ->text(QAccessible::Name)
                          .toStdString(),
                      fullCaption(principal.findChild<QWidget*>(caption)).toStdString())
                << name << " " << widget;
        const QMap<QString, QString> now = program.captions();
        ASSERT_EQ(now.keys(), english.keys()) << name;
        for (auto it = english.begin(); it != english.end(); ++it) {
            if (entry == 2 && !notALanguageText(it.key())) {
                EXPECT_NE(now[it.key()], it.value()) << it.key().toStdString() << " in " << name;
            } else if (entry != 1) {
                EXPECT_EQ(now[it.key()], it.value()) << it.key().toStdString() << " in " << name;
            }
        }
    }
}
