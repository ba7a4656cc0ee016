#include "platform/gui/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <QVariant>

namespace {

// Dynamic properties kept on a shortened caption: the whole text, and the short
// text shown for it (so a text set since then is recognised as a new caption).
const char* const kFull = "splmapFullCaption";
const char* const kShown = "splmapShownCaption";

// Space kept between a button's text and its frame.
constexpr int kButtonPadding = 2;

bool isCaption(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QGroupBox*>(w);
}

// Buttons, frame titles and labels with a buddy draw "&x" as an underlined x.
bool showsMnemonic(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->buddy() != nullptr;
    return true;
}

QString shownText(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return {};
}

void setShownText(QWidget* w, const QString& text)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

// The text as drawn, without the mnemonic markers.
QString withoutMnemonic(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

QString escapeMnemonic(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

bool wraps(const QWidget* w)
{
    auto* l = qobject_cast<const QLabel*>(w);
    return l && l->wordWrap();
}

// Labels that hold rich text or a picture are not captions to shorten.
bool plainText(const QWidget* w)
{
    auto* l = qobject_cast<const QLabel*>(w);
    if (!l)
        return true;
    if (l->textFormat() == Qt::RichText ||
        (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text())))
        return false;
    return l->pixmap().isNull() && !l->movie();
}

QStyleOptionButton buttonOption(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (auto* p = qobject_cast<const QPushButton*>(b)) {
        if (p->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        if (p->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        if (p->isDefault())
            opt.features |= QStyleOptionButton::DefaultButton;
    }
    return opt;
}

QRect groupTitleRect(const QGroupBox* g, const QString& title)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = title;
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (g->isFlat())
        opt.features |= QStyleOptionFrame::Flat;
    return g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
}

// The lines of `text` laid out in `width`, as a word-wrapped label breaks them.
QStringList wrappedLines(const QString& text, const QFont& font, int width)
{
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

bool textFits(const QWidget* w, const QString& text, const QRect& room)
{
    const QFontMetrics fm(w->font());
    const QString drawn = showsMnemonic(w) ? withoutMnemonic(text) : text;
    if (wraps(w)) {
        const QRect r = fm.boundingRect(room, Qt::TextWordWrap, drawn);
        return r.width() <= room.width() && r.height() <= room.height();
    }
    return fm.horizontalAdvance(drawn) <= room.width() && fm.height() <= room.height();
}

QString shortened(const QWidget* w, const QString& text, const QRect& room)
{
    const QFontMetrics fm(w->font());
    const bool mnemonic = showsMnemonic(w);
    const QString drawn = mnemonic ? withoutMnemonic(text) : text;
    QString result;
    if (wraps(w)) {
        // Keep the lines there is room for; the last one ends in the ellipsis.
        const int fitting = qMax(1, room.height() / qMax(1, fm.lineSpacing()));
        const QStringList lines = wrappedLines(drawn, w->font(), room.width());
        QStringList kept = lines.mid(0, fitting - 1);
        const QString rest = QStringList(lines.mid(fitting - 1)).join(QString()).simplified();
        kept << fm.elidedText(rest, Qt::ElideRight, room.width());
        result = kept.join(u'\n');
    } else {
        result = fm.elidedText(drawn, Qt::ElideRight, room.width());
    }
    return mnemonic ? escapeMnemonic(result) : result;
}

} // namespace

QRect captionRoom(const QWidget* caption)
{
    if (auto* l = qobject_cast<const QLabel*>(caption)) {
        QRect r = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        int indent = l->indent();
        if (indent < 0 && l->frameWidth() > 0)
            indent = QFontMetrics(l->font()).horizontalAdvance(u'x') / 2 - l->margin();
        if (indent > 0)
            r.adjust(indent, 0, -indent, 0);
        return r;
    }
    if (auto* b = qobject_cast<const QAbstractButton*>(caption)) {
        const QStyleOptionButton opt = buttonOption(b);
        QRect r = b->rect();
        if (qobject_cast<const QPushButton*>(b))
            r = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        else if (qobject_cast<const QCheckBox*>(b))
            r = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
        else if (qobject_cast<const QRadioButton*>(b))
            r = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
        if (!b->icon().isNull())
            r.adjust(b->iconSize().width() + 4, 0, 0, 0);
        return r.adjusted(kButtonPadding, 0, -kButtonPadding, 0);
    }
    if (auto* g = qobject_cast<const QGroupBox*>(caption)) {
        // The title starts where the style puts it and may reach as far from
        // the right edge; the style adds one space after the text.
        const QRect title = groupTitleRect(g, fullCaption(g));
        const int left = qMax(0, title.left());
        const int space = QFontMetrics(g->font()).horizontalAdvance(u' ');
        return {left, title.top(), g->width() - 2 * left - space, title.height()};
    }
    return {};
}

QString fullCaption(const QWidget* caption)
{
    const QString text = shownText(caption);
    const QVariant shown = caption->property(kShown);
    if (shown.isValid() && shown.toString() == text)
        return caption->property(kFull).toString();
    return text;
}

bool isCaptionShortened(const QWidget* caption)
{
    const QVariant shown = caption->property(kShown);
    return shown.isValid() && shown.toString() == shownText(caption);
}

void fitCaption(QWidget* caption)
{
    if (!isCaption(caption) || !plainText(caption))
        return;
    const bool wasShortened = isCaptionShortened(caption);
    // The tool tip and name stay ours even when a new text was set over them.
    const bool hadTip = caption->property(kFull).isValid();
    const QString full = fullCaption(caption);
    caption->setProperty(kShown, QVariant());
    caption->setProperty(kFull, QVariant());

    const QRect room = captionRoom(caption);
    if (full.isEmpty() || textFits(caption, full, room)) {
        if (wasShortened)
            setShownText(caption, full);
        if (hadTip) {
            caption->setToolTip(QString());
            caption->setAccessibleName(QString());
        }
        return;
    }
    const QString text = shortened(caption, full, room);
    setShownText(caption, text);
    caption->setProperty(kFull, full);
    caption->setProperty(kShown, text);
    const QString plain = showsMnemonic(caption) ? withoutMnemonic(full) : full;
    caption->setToolTip(plain);
    caption->setAccessibleName(plain);
}

void fitCaptions(QWidget* window)
{
    fitCaption(window);
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window->window())
            fitCaption(w);
}
