// The editing rules of the main window, as the document applies them: what
// typing, choosing and leaving a field or list does to the project.

#include "project/ProjectDocument.h"

#include "platform/Numbers.h"
#include "project/Editing.h"
#include "project/data/BoxModel.h"

#include <algorithm>
#include <cmath>

void ProjectDocument::setText(Control c, const QString& text)
{
    if (!textOf(m_d, c) || this->text(c) == text)
        return;
    assign(c, text, false);
    if (c == Control::Text13) {
        // Text13_Change
        enable(Control::Combo2, true);
        enable(Control::Combo4, true);
    }
}

void ProjectDocument::choose(Control list, int index)
{
    if (!isList(list) || index < 0 || index >= m_d.items[slot(list)].size())
        return;
    select(list, index);
    assign(list, m_d.items[slot(list)].at(index), true);
    if (list == Control::Combo4)
        Combo4_Click();
    else if (list == Control::Combo2)
        Combo2Click();
    else if (list == Control::Combo1)
        Combo1_Click();
    else
        Combo3_Click(angleIndex(list));
    emit edited();
}

bool ProjectDocument::applyTypedText(Control list)
{
    if (!isList(list))
        return true;
    const QString typed = text(list);
    if (typed == m_d.applied[slot(list)])
        return true;
    const QStringList& items = m_d.items[slot(list)];

    int match = -1;
    bool inRange = false;
    if (list == Control::Combo4) {
        match = static_cast<int>(items.indexOf(typed.trimmed()));
    } else if (numbers::isNumber(typed, m_locale) && !items.isEmpty()) {
        const double v = number(typed);
        double low = number(items.first()), high = low;
        for (int i = 0; i < items.size(); ++i) {
            const double item = number(items[i]);
            low = std::min(low, item);
            high = std::max(high, item);
            if (item == v && match < 0)
                match = i;
        }
        // An angle may lie between the items; a count must be one of them.
        inRange = angleIndex(list) >= 0 && low <= v && v <= high;
    }

    if (match >= 0) {
        choose(list, match);
        return true;
    }
    if (inRange) {
        select(list, -1);
        assign(list, typed, true);
        Combo3_Click(angleIndex(list));
        emit edited();
        return true;
    }
    showMessage(QStringLiteral("Value"));
    assign(list, m_d.applied[slot(list)], true);
    return false;
}

bool ProjectDocument::validateField(Control field)
{
    return validateText(text(field));
}

bool ProjectDocument::validateText(const QString& text)
{
    if (!numbers::isNumber(text, m_locale)) {
        showMessage(QStringLiteral("Value"));
        enable(Control::Command2, false);
        return false;
    }
    enable(Control::Command2, true);
    return true;
}

void ProjectDocument::leaveField(Control field)
{
    if (field == Control::Text13)
        Text13_LostFocus();
    else
        DibuixarGeneral();
    emit edited();
}

void ProjectDocument::acceptText(Control field)
{
    if (textOf(m_d, field))
        emit edited();
}

void ProjectDocument::Text13_KeyPress()
{
    enable(Control::Combo2, true);
}

void ProjectDocument::Text13_LostFocus()
{
    if (editing::clearance(number(text(Control::Text13)), m_d.state) > 0) {
        enable(Control::Command2, true);
        for (Control c : {Control::Text1, Control::Text4, Control::Text2, Control::Text3,
                          Control::Combo1, Control::Combo2})
            enable(c, true);
        DibuixarGeneral();
        for (int i = 0; i <= m_d.state.numcaixes && i < 16; ++i)
            enable(angleList(i), true);
    } else {
        missatge();
        enable(Control::Command2, false);
    }
}

bool ProjectDocument::requestSplWindow()
{
    DibuixarGeneral();
    if (m_d.state.offsetmax <= 0.001f) {
        showMessage(QStringLiteral("Audience"));
        return false;
    }
    return true;
}

void ProjectDocument::Combo4_Click()
{
    const int index = selectedIndex(Control::Combo4);
    if (index == 0 || index == 1) {
        const BoxModel& model = boxModel(index);
        m_d.state.applyModel(index);
        assign(Control::Label58, model.key, false);
        const QStringList angles = model.angleList(m_locale);
        for (int i = 1; i < 16; ++i) {
            const Control list = angleList(i);
            const QString current = text(list);
            setItems(list, angles);
            select(list, -1);
            if (current.isEmpty())
                assign(list, model.emptyAngleText, true);
        }
    }
    DibuixarGeneral();
}

void ProjectDocument::Combo3_Click(int index)
{
    const Control list = angleList(index);
    m_d.applied[slot(list)] = text(list);
    editing::applySplayAngle(m_d.state, index + 1, number(text(list)), text(angleList(0)),
                             m_locale);
    DibuixarGeneral();
}

void ProjectDocument::setAngles(std::span<const double> angles)
{
    const int n = std::min(static_cast<int>(angles.size()), 16);
    for (int i = 0; i < n; ++i) {
        const Control list = angleList(i);
        const QString& now = m_d.applied[slot(list)];
        if (text(list) == now && numbers::isNumber(now, m_locale) && number(now) == angles[i])
            continue; // as it was
        // The list's own item when it holds the angle, in the list's writing.
        const QStringList& items = m_d.items[slot(list)];
        int index = -1;
        for (int j = 0; j < items.size() && index < 0; ++j)
            if (numbers::isNumber(items[j], m_locale) && number(items[j]) == angles[i])
                index = j;
        select(list, index);
        assign(list, index >= 0 ? items[index] : numbers::generalDouble(angles[i], m_locale), true);
        editing::applySplayAngle(m_d.state, i + 1, number(text(list)), text(angleList(0)),
                                 m_locale);
    }
    DibuixarGeneral();
    emit edited();
}

void ProjectDocument::Combo2Click()
{
    m_d.applied[slot(Control::Combo2)] = text(Control::Combo2);
    m_d.state.numcaixes = static_cast<int16_t>(std::max(0, selectedIndex(Control::Combo2)));
    const int n = static_cast<int>(number(text(Control::Combo2)));
    for (int i = 1; i < 16; ++i)
        enable(angleList(i), i <= n - 1);
    DibuixarGeneral();
    if (editing::clearance(number(text(Control::Text13)), m_d.state) <= 0) {
        missatge();
        enable(Control::Command2, false);
    } else {
        enable(Control::Command2, true);
    }
}

void ProjectDocument::Combo1_Click()
{
    m_d.applied[slot(Control::Combo1)] = text(Control::Combo1);
    const int index = selectedIndex(Control::Combo1);
    m_d.state.seleccio = static_cast<float>(index);
    switch (index) {
    case 0:
        Area2EnabledFalse();
        Area3EnabledFalse();
        DibuixarGeneral();
        break;
    case 1:
        Area2EnabledTrue();
        Area3EnabledFalse();
        DibuixarGeneral();
        break;
    case 2:
        Area2EnabledTrue();
        Area3EnabledTrue();
        DibuixarGeneral();
        break;
    default:
        break;
    }
}
