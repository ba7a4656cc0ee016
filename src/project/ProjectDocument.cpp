#include "project/ProjectDocument.h"

#include "platform/Numbers.h"
#include "project/Editing.h"
#include "project/data/BoxModel.h"

#include <cmath>

ProjectDocument::ProjectDocument(MessageSink& messages, LabelLookup labels, const QLocale& locale,
                                 QObject* parent)
    : QObject(parent), m_messages(messages), m_labels(std::move(labels)), m_locale(locale)
{
    m_settings.resolutionText = numbers::generalDouble(0.3, m_locale);
    // The start-up of the main window, in its order, without the window.
    ProjectState& s = m_d.state;
    s.pi = 3.1415167f;
    s.IniciEixX = 18;
    s.IniciEixY = 110;
    for (int j = 1; j <= 16; ++j) {
        s.box[j] = BoxValue::number(0);
        s.LastAngle[j] = 0;
    }
    m_d.selected.fill(-1);
    m_d.enabled.fill(true);

    m_d.items[slot(Control::Combo1)] = {"1", "2", "3"};
    for (int i = 1; i <= 16; ++i)
        m_d.items[slot(Control::Combo2)] << QString::number(i);
    m_d.items[slot(angleList(0))] = firstBoxAngleList();
    for (int i = 1; i < 16; ++i)
        m_d.items[slot(angleList(i))] = startAngleList(m_locale);

    for (int i = 1; i <= 12; ++i)
        m_d.fields.Text[i] = QStringLiteral("0");
    m_d.fields.Text[13] = QStringLiteral("3");
    m_d.Text14 = QStringLiteral("0");
    m_d.fields.Combo1 = QStringLiteral("1");
    m_d.fields.Combo2 = QStringLiteral("0");
    for (int k = 1; k <= 16; ++k)
        m_d.fields.Combo3[k] = QStringLiteral("0");
    m_d.fields.Label58 = boxModel(0).key;
    m_d.fields.Label59 = QStringLiteral("0");

    s.Heentrat = false;
    s.Heentratarea2 = false;

    for (Control c : {Control::Combo1, Control::Combo2, Control::Combo4, Control::Text1,
                      Control::Text4, Control::Text2, Control::Text3})
        m_d.enabled[slot(c)] = false;
    for (int i = 0; i < 16; ++i)
        m_d.enabled[slot(angleList(i))] = false;
    m_d.enabled[slot(Control::Text13)] = true;
    setAreaEnabled(2, false);
    setAreaEnabled(3, false);

    for (int n = 1; n <= 3; ++n) {
        s.areaLine[n].areavertical = false;
        s.areaLine[n].areahoritzontal = false;
    }
    for (int k = 1; k <= 16; ++k) {
        s.rayLine[k].raigvertical = false;
        s.rayLine[k].raighoritzontal = false;
    }

    s.numcaixes = 0;
    s.applyModel(0);
    m_d.items[slot(Control::Combo4)] = {boxModel(0).display, boxModel(1).display};
    m_d.fields.Combo4 = boxModel(0).display;

    for (Control c : {Control::Combo1, Control::Combo2, Control::Combo4})
        m_d.applied[slot(c)] = text(c);
    for (int i = 0; i < 16; ++i)
        m_d.applied[slot(angleList(i))] = text(angleList(i));
}

// ---- Reading -----------------------------------------------------------------

// The text a control holds in the data, or nullptr for a control without one.
QString* ProjectDocument::textOf(DocumentData& d, Control c)
{
    const int n = static_cast<int>(c);
    if (n >= 1 && n <= 13)
        return &d.fields.Text[n];
    if (const int i = angleIndex(c); i >= 0)
        return &d.fields.Combo3[i + 1];
    switch (c) {
    case Control::Text14:
        return &d.Text14;
    case Control::Text15:
        return &d.fields.Text15;
    case Control::Text16:
        return &d.fields.Text16;
    case Control::Combo1:
        return &d.fields.Combo1;
    case Control::Combo2:
        return &d.fields.Combo2;
    case Control::Combo4:
        return &d.fields.Combo4;
    case Control::Label58:
        return &d.fields.Label58;
    case Control::Label59:
        return &d.fields.Label59;
    default:
        return nullptr;
    }
}

QString ProjectDocument::text(Control c) const
{
    const QString* t = textOf(const_cast<DocumentData&>(m_d), c);
    return t ? *t : QString();
}

QMap<QString, QString> ProjectDocument::captions() const
{
    QMap<QString, QString> m = m_d.captions;
    m.insert(QStringLiteral("Label59"), m_d.fields.Label59);
    return m;
}

sideview::Inputs ProjectDocument::inputs() const
{
    sideview::Inputs in = m_d.scales;
    in.H = number(m_d.fields.Text[13]);
    const int base[4] = {0, 1, 5, 9};
    for (int n = 1; n <= 3; ++n) {
        in.dist[n] = number(m_d.fields.Text[base[n]]);
        in.z1[n] = number(m_d.fields.Text[base[n] + 1]);
        in.z2[n] = number(m_d.fields.Text[base[n] + 2]);
        in.len[n] = number(m_d.fields.Text[base[n] + 3]);
    }
    for (int k = 1; k <= 16; ++k)
        in.angle[k] = number(m_d.fields.Combo3[k]);
    return in;
}

double ProjectDocument::number(const QString& text) const
{
    return numbers::toDouble(text, m_locale);
}

// ---- Changing the data, with the notifications ------------------------------

void ProjectDocument::assign(Control c, const QString& text, bool asApplied)
{
    if (asApplied && isList(c))
        m_d.applied[slot(c)] = text;
    QString* t = textOf(m_d, c);
    if (!t || *t == text)
        return;
    *t = text;
    emit textChanged(c);
}

void ProjectDocument::setItems(Control list, const QStringList& items)
{
    if (m_d.items[slot(list)] == items)
        return;
    m_d.items[slot(list)] = items;
    emit itemsChanged(list);
}

void ProjectDocument::select(Control list, int index)
{
    if (m_d.selected[slot(list)] == index)
        return;
    m_d.selected[slot(list)] = index;
    emit selectionChanged(list);
}

void ProjectDocument::enable(Control c, bool on)
{
    if (m_d.enabled[slot(c)] == on)
        return;
    m_d.enabled[slot(c)] = on;
    emit enabledChanged(c);
}

void ProjectDocument::setAreaEnabled(int area, bool on)
{
    // Area 2 is Text5..8, area 3 Text9..12, with their frame and captions.
    enable(area == 2 ? Control::Area2 : Control::Area3, on);
    const int first = 4 * area - 3;
    for (int i = 0; i < 4; ++i)
        enable(textField(first + i), on);
}

// ---- User actions --------------------------------------------------------------

std::pair<QString, QString> ProjectDocument::readout(int surface, double x, double y) const
{
    const ProjectState& s = m_d.state;
    const sideview::Readout r = surface == sideview::Picture44
                                    ? sideview::readoutPicture44(x, y, m_d.scales, s, s)
                                    : sideview::readoutPicture1(x, y, m_d.scales, s, s);
    return {numbers::formatFixed2(r.x, m_locale), numbers::formatFixed2(r.y, m_locale)};
}

mechanical::View ProjectDocument::PintarMecanic()
{
    QStringList angles;
    for (int k = 1; k <= 16; ++k)
        angles << m_d.fields.Combo3[k];
    return mechanical::PintarMecanic(angles, m_d.state, m_d.state, m_locale);
}

void ProjectDocument::setScaleHeight(int surface, double height)
{
    const float h = static_cast<float>(height);
    switch (surface) {
    case sideview::Picture1:
        m_d.scales.SH1 = h;
        break;
    case sideview::Picture33:
        m_d.scales.SH33 = h;
        break;
    case sideview::Picture44:
        m_d.scales.SH44 = h;
        break;
    default:
        return;
    }
    emit scalesChanged();
}

// ---- Editing rules ---------------------------------------------------------------

void ProjectDocument::missatge()
{
    showMessage(QStringLiteral("Small"));
}

void ProjectDocument::DibuixarGeneral()
{
    const sideview::Redraw r = sideview::DibuixarGeneral(inputs(), m_d.state, m_locale);
    // The messages come before the picture changes.
    for (const QString& tag : r.messages)
        showMessage(tag);
    for (auto it = r.captions.begin(); it != r.captions.end(); ++it) {
        if (it.key() == QLatin1String("Label59"))
            assign(Control::Label59, it.value(), false);
        else
            m_d.captions.insert(it.key(), it.value());
    }
    m_shown = r;
    emit redrawn(r);
}

// ---- Operations of other windows ---------------------------------------------------

void ProjectDocument::setListItems(Control list, const QStringList& items)
{
    if (!isList(list))
        return;
    setItems(list, items);
    select(list, -1);
}

void ProjectDocument::writeModel(int index)
{
    const BoxModel& model = boxModel(index);
    m_d.state.applyModel(model.index);
    assign(Control::Label58, model.key, false);
    select(Control::Combo4, model.index);
    assign(Control::Combo4, model.display, true);
}

void ProjectDocument::resetBoxes()
{
    ProjectState& s = m_d.state;
    s.numcaixes = 0;
    for (int j = 1; j <= 16; ++j) {
        s.box[j] = BoxValue::number(0);
        s.LastAngle[j] = 0;
    }
    emit boxesReset();
}

void ProjectDocument::clearPictures()
{
    emit picturesCleared();
}

void ProjectDocument::enableSaving()
{
    emit savingEnabled();
}

DrawList ProjectDocument::startupDrawing() const
{
    DrawList axes;
    sideview::Pintareixos(m_d.scales, m_d.state, axes);
    return axes;
}

// ---- Files ---------------------------------------------------------------------------

void ProjectDocument::showMessage(const QString& tag)
{
    m_raised.append(tag);
    const QString text = m_labels ? m_labels(QStringLiteral("MsgBox"), tag) : tag;
    m_messages.show(Message{tag, text, QStringLiteral("Warning")});
}

void ProjectDocument::showError(const QString& description)
{
    m_messages.show(Message{QString(), description, QString()});
}

// ---- Without windows -------------------------------------------------------------------
