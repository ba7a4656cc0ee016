#include "wizard/NewProject.h"

#include "platform/Numbers.h"
#include "project/data/BoxModel.h"

namespace wizard {

std::optional<Control> areaTarget(int n)
{
    // Per area the wizard's fields are distance, length, Z1, Z2; the main
    // window's are distance, Z1, Z2, length.
    const int order[4] = {0, 3, 1, 2};
    for (int i = 0; i < 12; ++i)
        if (kAreaFields[static_cast<size_t>(i)] == n)
            return textField(4 * (i / 4) + order[i % 4] + 1);
    return std::nullopt;
}

void copyAreaField(ProjectDocument& doc, int n, const QString& text)
{
    const std::optional<Control> target = areaTarget(n);
    if (!target)
        return;
    doc.setText(*target, text);
    doc.DibuixarGeneral();
}

void resetProject(ProjectDocument& doc, Reset when, const QString& project, const QString& customer)
{
    const bool creation = when == Reset::Creation;
    for (int n = 1; n <= 12; ++n) {
        doc.setText(textField(n), QStringLiteral("0"));
        doc.enableControl(textField(n), false);
    }
    doc.setText(Control::Text13, creation ? QStringLiteral("-") : QStringLiteral("3"));
    doc.enableControl(Control::Text13, true);
    doc.setText(Control::Text14, QStringLiteral("0"));
    if (creation)
        doc.enableControl(Control::Text14, true);
    doc.enableControl(Control::Command2, false);
    doc.setText(Control::Text15, creation ? project : QString());
    doc.setText(Control::Text16, creation ? customer : QString());

    // The number of boxes, the cumulative angles and the mechanical view's table.
    doc.resetBoxes();
    doc.enableControl(Control::Combo1, false);
    doc.enableControl(Control::Combo2, false);
    if (creation) {
        doc.setText(Control::Combo1, QStringLiteral("1"));
        doc.setText(Control::Combo2, QStringLiteral("1"));
    }
    for (int i = 0; i < 16; ++i) {
        doc.enableControl(angleList(i), false);
        doc.setText(angleList(i), QStringLiteral("0"));
    }
    if (creation) {
        doc.enableControl(angleList(0), true);
        doc.clearPictures();
        doc.enableSaving();
    }
    doc.enableControl(Control::Combo4, creation);
}

void chooseAreaCount(ProjectDocument& doc, int index)
{
    switch (index) {
    case 0:
        doc.Area2EnabledFalse();
        doc.Area3EnabledFalse();
        break;
    case 1:
        doc.Area2EnabledTrue();
        doc.Area3EnabledFalse();
        break;
    case 2:
        doc.Area2EnabledTrue();
        doc.Area3EnabledTrue();
        break;
    default:
        return;
    }
    doc.DibuixarGeneral();
    doc.choose(Control::Combo1, index);
}

bool hasFloorDistance(ProjectDocument& doc, const QString& floor)
{
    if (!floor.isEmpty())
        return true;
    doc.warn(QStringLiteral("Floor"));
    return false;
}

void apply(ProjectDocument& doc, const Entries& e)
{
    doc.setText(Control::Combo1, QStringLiteral("1"));
    doc.enableControl(Control::Combo2, false);
    doc.setText(Control::Combo2, QStringLiteral("1"));
    doc.clearPictures();

    doc.enableControl(Control::Text13, true);
    doc.setText(Control::Text13, e.floor);

    // Choosing the number of boxes runs its rule; without a choice the rule
    // runs on the text alone. Either way it runs once, so a height too small
    // for the array is reported once.
    doc.enableControl(Control::Combo2, true);
    if (e.boxes >= 0)
        doc.choose(Control::Combo2, e.boxes);
    else
        doc.Combo2Click();
    if (e.areas >= 0)
        doc.choose(Control::Combo1, e.areas);

    doc.enableControl(angleList(0), true);
    doc.enableSaving();
    doc.enableControl(Control::Combo4, true);
    doc.setText(Control::Text15, e.project);
    doc.setText(Control::Text16, e.customer);

    switchModel(doc, e.model);
    doc.DibuixarGeneral();
}

void switchModel(ProjectDocument& doc, const QString& chosen)
{
    const QString current = doc.text(Control::Combo4);
    const BoxModel& ts250 = boxModel(0);
    const BoxModel& ts160 = boxModel(1);
    // Boxes 2 to 16 lose two items and gain two at the end: the half degrees
    // on the way to the first model, 7 and 8 on the way to the second.
    int removeFirst = 0, removeSecond = 0;
    QStringList added;
    if (current == ts160.display && chosen == ts250.display) {
        doc.writeModel(ts250.index);
        removeFirst = 8;
        removeSecond = 7;
        added = {numbers::generalSingle(0.5f, doc.locale()),
                 numbers::generalSingle(1.5f, doc.locale())};
    } else if (current == ts250.display && chosen == ts160.display) {
        doc.writeModel(ts160.index);
        removeFirst = 3;
        removeSecond = 1;
        added = {QStringLiteral("7"), QStringLiteral("8")};
    } else {
        return;
    }
    for (int i = 1; i < 16; ++i) {
        QStringList items = doc.items(angleList(i));
        for (int at : {removeFirst, removeSecond})
            if (at < items.size())
                items.removeAt(at);
        doc.setListItems(angleList(i), items + added);
    }
}

} // namespace wizard
