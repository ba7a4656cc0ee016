#include "project/ProjectDocument.h"

#include "platform/Numbers.h"
#include "project/BoxModel.h"
#include "project/Editing.h"

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
static QString* textOf(DocumentData& d, Control c)
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

bool ProjectDocument::load(const QString& path)
{
    // Into a copy: a file that fails half-way leaves the project as it was.
    DocumentData next = m_d;
    const projectfile::LoadResult result =
        projectfile::load(path, next.fields, next.state, m_locale);
    if (!result.ok()) {
        showError(result.error);
        return false;
    }

    // The lists keep their selections and take their texts as applied.
    next.applied[slot(Control::Combo1)] = next.fields.Combo1;
    next.applied[slot(Control::Combo2)] = next.fields.Combo2;
    next.applied[slot(Control::Combo4)] = next.fields.Combo4;
    for (int k = 1; k <= 16; ++k)
        next.applied[slot(angleList(k - 1))] = next.fields.Combo3[k];

    const int nb = result.boxes;
    for (int i = 0; i < 16; ++i)
        next.enabled[slot(angleList(i))] = i < nb;
    for (Control c : {Control::Text1, Control::Text2, Control::Text3, Control::Text4,
                      Control::Combo1, Control::Combo2, Control::Combo4, Control::Text13})
        next.enabled[slot(c)] = true;
    const auto area = [&](int n, bool on) {
        next.enabled[slot(n == 2 ? Control::Area2 : Control::Area3)] = on;
        for (int i = 0; i < 4; ++i)
            next.enabled[slot(textField(4 * n - 3 + i))] = on;
    };
    switch (result.areas) {
    case 1:
        area(2, false);
        area(3, false);
        break;
    case 2:
        area(2, true);
        area(3, false);
        break;
    case 3:
        area(2, true);
        area(3, true);
        break;
    default:
        break;
    }

    adopt(next);
    m_path = path;
    DibuixarGeneral();
    PintarMecanic();
    enable(Control::Command2, true);
    emit loaded();
    return true;
}

void ProjectDocument::adopt(const DocumentData& loaded)
{
    DocumentData old = m_d;
    m_d = loaded;
    for (int n = 1; n < kControlSlots; ++n) {
        const auto c = static_cast<Control>(n);
        if (old.items[n] != m_d.items[n])
            emit itemsChanged(c);
        if (old.selected[n] != m_d.selected[n])
            emit selectionChanged(c);
        if (old.enabled[n] != m_d.enabled[n])
            emit enabledChanged(c);
        const QString* before = textOf(old, c);
        if (before && *before != *textOf(m_d, c))
            emit textChanged(c);
    }
}

std::optional<QString> ProjectDocument::save(const QString& path)
{
    std::optional<QString> error = projectfile::save(path, m_d.fields, m_d.state, m_locale);
    if (error) {
        showError(*error);
    } else {
        m_path = path;
        emit saved();
    }
    return error;
}

// ---- History ---------------------------------------------------------------------------

bool sameProject(const DocumentData& a, const DocumentData& b)
{
    // The SPL button follows the check of the field being left, not the project.
    auto enabledA = a.enabled, enabledB = b.enabled;
    enabledA[static_cast<int>(Control::Command2)] = enabledB[static_cast<int>(Control::Command2)];
    return a.fields == b.fields && a.Text14 == b.Text14 && a.items == b.items &&
           a.selected == b.selected && a.applied == b.applied && enabledA == enabledB;
}

void ProjectDocument::setCalculationSettings(const CalculationSettings& settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    emit calculationSettingsChanged();
}

DocumentSnapshot ProjectDocument::snapshot() const
{
    return {m_d, m_shown};
}

void ProjectDocument::restore(const DocumentSnapshot& snapshot)
{
    DocumentData next = snapshot.data;
    const sideview::Inputs& was = snapshot.data.scales;
    const sideview::Inputs& now = m_d.scales;
    const bool sameScales = was.SW1 == now.SW1 && was.SH1 == now.SH1 && was.SW33 == now.SW33 &&
                            was.SH33 == now.SH33 && was.SW44 == now.SW44 && was.SH44 == now.SH44;
    next.scales = m_d.scales;
    adopt(next);
    if (snapshot.shown && sameScales) {
        m_shown = snapshot.shown;
        emit redrawn(*m_shown);
    } else if (snapshot.shown) {
        DibuixarGeneral();
    } else {
        // Before the first redraw: the start-up picture.
        m_shown.reset();
        sideview::Redraw r;
        for (int surface : {sideview::Picture1, sideview::Picture33, sideview::Picture44})
            r.ops.push_back(draw::clear(surface));
        const DrawList axes = startupDrawing();
        r.ops.insert(r.ops.end(), axes.begin(), axes.end());
        emit redrawn(r);
    }
    emit restored();
}

// ---- Messages ---------------------------------------------------------------------------

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

HeadlessProject loadHeadless(const QString& path, const QLocale& locale)
{
    HeadlessProject p;
    p.messages = std::make_unique<CapturingSink>();
    p.document =
        std::make_unique<ProjectDocument>(*p.messages, ProjectDocument::LabelLookup{}, locale);
    if (!p.document->load(path)) {
        p.error = p.messages->shown.empty() ? QStringLiteral("cannot load the project")
                                            : p.messages->shown.back().text;
        p.document.reset();
    }
    return p;
}
