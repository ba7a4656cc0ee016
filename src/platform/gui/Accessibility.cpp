#include "platform/gui/Accessibility.h"

#include "platform/gui/CaptionFit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace {

const char* const kCaptions = "splmapNameCaptions";
const char* const kTail = "splmapNameTail";

// An editable list hands its focus to its edit line, which is what assistive
// tools then announce: it carries the list's name too.
void giveName(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        if (QLineEdit* edit = combo->lineEdit())
            edit->setAccessibleName(name);
}

} // namespace

namespace a11y {

void labelFor(QLabel* caption, QWidget* control, const QList<QWidget*>& frames)
{
    caption->setBuddy(control);
    QList<QWidget*> captions = frames;
    captions << caption;
    nameAfter(control, captions);
}

void nameAfter(QWidget* control, const QList<QWidget*>& captions, const QString& tail)
{
    QVariantList list;
    for (QWidget* c : captions)
        list << QVariant::fromValue(QPointer<QWidget>(c));
    control->setProperty(kCaptions, list);
    control->setProperty(kTail, tail);
    giveName(control, nameFromCaptions(control));
}

QString nameFromCaptions(const QWidget* control)
{
    QStringList parts;
    for (const QVariant& v : control->property(kCaptions).toList())
        if (const QWidget* c = v.value<QPointer<QWidget>>())
            parts << fullCaption(c).remove(u'&').simplified();
    const QString tail = control->property(kTail).toString();
    if (!tail.isEmpty())
        parts << tail;
    parts.removeAll(QString());
    return parts.join(u' ');
}

void applyNames(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window->window() && w->property(kCaptions).isValid())
            giveName(w, nameFromCaptions(w));
}

} // namespace a11y
