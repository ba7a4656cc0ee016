#include "files/gui/ReportPdf.h"

#include "files/OutputFile.h"
#include "files/gui/ReportPrinting.h"
#include "platform/Messages.h"
#include "platform/gui/Surface.h"
#include "platform/gui/VectorReplay.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"
#include "spl/gui/SPL.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace report {

namespace {

// Page geometry in points (the writer runs at 72 dots per inch).
constexpr double kMargin = 40;
constexpr double kRowHeight = 14;
constexpr double kCaptionWidth = 120;
constexpr double kValueWidth = 90;
constexpr double kBlockGap = 30;

const QColor kRule(0xB0, 0xB0, 0xB0);
const QColor kHeadingFill(0xE8, 0xE8, 0xE8);

/// The side view's rectangle on the main window's client area.
QRect viewRect(Principal& window)
{
    return window.picture(sideview::Picture1)->geometry();
}

/// A label as the window draws it, at the same size in window pixels.
void drawLabel(QPainter& painter, const QLabel& label, const QString& text)
{
    QFont font = label.font();
    font.setPixelSize(QFontInfo(label.font()).pixelSize());
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(label.geometry()), static_cast<int>(label.alignment()), text);
}

/// Maps the window's view rectangle onto `target`, keeping its proportions.
void mapView(QPainter& painter, const QRect& view, const QRectF& target)
{
    const double k = target.width() / view.width();
    painter.translate(target.topLeft());
    painter.scale(k, k);
    painter.translate(-view.topLeft());
}

/// One block of the table: caption and value columns, headings across both.
double drawTable(QPainter& painter, const std::vector<Row>& rows, QPointF at)
{
    QFont font = reportFont();
    font.setPointSizeF(9);
    double y = at.y();
    for (const Row& row : rows) {
        const QRectF caption(at.x(), y, kCaptionWidth, kRowHeight);
        const QRectF value(at.x() + kCaptionWidth, y, kValueWidth, kRowHeight);
        font.setBold(row.heading);
        painter.setFont(font);
        painter.setPen(kRule);
        if (row.heading) {
            painter.fillRect(caption.united(value), kHeadingFill);
            painter.drawRect(caption.united(value));
        } else {
            painter.drawRect(caption);
            painter.drawRect(value);
        }
        painter.setPen(Qt::black);
        painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         row.caption);
        painter.drawText(value.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                         row.value.trimmed());
        y += kRowHeight;
    }
    return y;
}

/// The face of the page's own texts (the table keeps the report's).
QFont pageFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void drawTitle(QPainter& painter, const QString& text, QPointF at)
{
    QFont font = pageFont();
    font.setPointSizeF(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(at, text);
}

void drawText(QPainter& painter, const QString& text, QPointF at, double size = 10)
{
    QFont font = pageFont();
    font.setPointSizeF(size);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(at, text);
}

void drawLegend(QPainter& painter, QPointF at, double width)
{
    const auto legend = SPL::legend();
    const double step = width / static_cast<double>(legend.size());
    QFont font = pageFont();
    font.setPointSizeF(9);
    font.setBold(false);
    painter.setFont(font);
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const QRectF swatch(at.x() + step * static_cast<double>(i), at.y(), 22, 11);
        painter.fillRect(swatch, QColor::fromRgb(static_cast<QRgb>(legend[i].first)));
        painter.setPen(Qt::black);
        painter.drawRect(swatch);
        painter.drawText(QPointF(swatch.right() + 4, swatch.bottom() - 1), legend[i].second);
    }
}

} // namespace

void drawSideView(QPainter& painter, Principal& window, const QRectF& target)
{
    ProjectDocument& doc = window.document();
    ProjectState state = doc.state();
    const sideview::Redraw redraw = sideview::DibuixarGeneral(doc.inputs(), state, doc.locale());
    const QRect view = viewRect(window);

    painter.save();
    mapView(painter, view, target);
    painter.setClipRect(view);
    painter.fillRect(view, Qt::white);
    for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44}) {
        const Surface* s = window.picture(id);
        const QRect inside = s->contentsRect().translated(s->pos());
        replayVector(painter, redraw.ops, id, inside, s->scaleWidth(), s->scaleHeight(), 1.0);
    }
    QWidget* client = window.centralWidget();
    for (const QLabel* l : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (l->isHidden() || !view.intersects(l->geometry()))
            continue;
        drawLabel(painter, *l, redraw.captions.value(l->objectName(), l->text()));
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(view);
    painter.restore();
}

namespace {

/// The report's pages on `file`; returns why they could not be written, or "".
QString writeReport(QIODevice& file, Principal& window, const std::optional<ShownMap>& map)
{
    QPdfWriter writer(&file);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    writer.setTitle(QStringLiteral("SPL Mapping Software report"));
    writer.setCreator(QStringLiteral("splmap"));
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("the file cannot be written.");
    const double pageWidth = writer.width();
    const double contentWidth = pageWidth - 2 * kMargin;

    const ProjectDocument& doc = window.document();
    double y = kMargin + 14;
    drawTitle(painter, QStringLiteral("TS160 / TS250 SPL Mapping Software"), {kMargin, y});
    y += 20;
    drawText(painter,
             QStringLiteral("Project: %1        Customer: %2")
                 .arg(doc.text(Control::Text15), doc.text(Control::Text16)),
             {kMargin, y});
    y += 16;

    // The report's lines: the array on the left, the areas on the right.
    const std::vector<Row> all = rows(inputOf(doc));
    const auto split = all.begin() + std::min<std::ptrdiff_t>(19, std::ssize(all));
    const double leftEnd = drawTable(painter, {all.begin(), split}, {kMargin, y});
    const double rightEnd = drawTable(painter, {split, all.end()},
                                      {kMargin + kCaptionWidth + kValueWidth + kBlockGap, y});
    y = std::max(leftEnd, rightEnd) + 24;

    const QRect view = viewRect(window);
    drawText(painter, QStringLiteral("Side view"), {kMargin, y}, 11);
    y += 8;
    const QRectF picture(kMargin, y, contentWidth, contentWidth * view.height() / view.width());
    drawSideView(painter, window, picture);

    if (map) {
        writer.newPage();
        y = kMargin + 14;
        drawTitle(painter, QStringLiteral("SPL map"), {kMargin, y});
        y += 20;
        drawText(painter,
                 QStringLiteral("Frequency: %1 Hz        Vertical resolution: %2 m")
                     .arg(map->frequency)
                     .arg(map->resolution),
                 {kMargin, y});
        y += 12;
        const QRectF target(kMargin, y, contentWidth, contentWidth * view.height() / view.width());
        // The map exists only as the surfaces' pixels: the window draws them, and its labels.
        painter.save();
        mapView(painter, view, target);
        painter.setClipRect(view); // the overlays reach beyond the view, which the window clips
        window.centralWidget()->render(&painter, view.topLeft(), QRegion(view),
                                       QWidget::DrawChildren);
        painter.restore();
        drawLegend(painter, {kMargin, target.bottom() + 14}, contentWidth);
    }
    if (!painter.end())
        return QStringLiteral("the file could not be finished.");
    return {};
}

} // namespace

QString exportPdf(const QString& path, Principal& window, const std::optional<ShownMap>& map)
{
    return writeOutputFile(path, [&](QIODevice& file) { return writeReport(file, window, map); });
}

void ExportReport(Principal& window, const std::optional<ShownMap>& map, MessageSink& messages)
{
    QString path =
        QFileDialog::getSaveFileName(&window, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (const QString problem = exportPdf(path, window, map); !problem.isEmpty())
        messages.show(Message{QString(), problem, QString()});
}

} // namespace report
