#include "files/gui/ReportPdf.h"

#include "files/gui/ReportPrinting.h"
#include "picture/CalculationSequence.h"
#include "picture/SideViewLayout.h"
#include "picture/SideViewPicture.h"
#include "platform/Messages.h"
#include "platform/paint/DesignFont.h"
#include "platform/paint/VectorReplay.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"
#include "spl/gui/SPL.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

/// A caption as the window draws it, at the same size in window pixels.
void drawCaption(QPainter& painter, const picture::CaptionPlace& place, const QString& text)
{
    QFont font = designFont();
    font.setBold(place.bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(place.rect), place.alignment, text);
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

void drawSideView(QPainter& painter, const ProjectDocument& doc, const QRectF& target)
{
    ProjectState state = doc.state();
    const sideview::Redraw redraw = sideview::DibuixarGeneral(doc.inputs(), state, doc.locale());
    const QRect view = picture::viewRect();

    painter.save();
    mapView(painter, view, target);
    painter.setClipRect(view);
    painter.fillRect(view, Qt::white);
    const sideview::Inputs& scales = doc.scales();
    for (const picture::SurfacePlace& p : picture::surfacePlaces()) {
        const int b = picture::kSurfaceBorder;
        const QRect inside = p.outer.adjusted(b, b, -b, -b);
        const auto [SW, SH] = p.id == sideview::Picture1    ? std::pair(scales.SW1, scales.SH1)
                              : p.id == sideview::Picture33 ? std::pair(scales.SW33, scales.SH33)
                                                            : std::pair(scales.SW44, scales.SH44);
        replayVector(painter, redraw.ops, p.id, inside, SW, SH, 1.0);
    }
    for (const picture::CaptionPlace& c : picture::captionPlaces()) {
        const QString text = c.name == QLatin1String("Label58")
                                 ? doc.text(Control::Label58)
                                 : redraw.captions.value(c.name, c.designText);
        drawCaption(painter, c, text);
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(view);
    painter.restore();
}

QString exportPdf(const QString& path, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown)
{
    // Written through a temporary file renamed at the end: a failure keeps any older file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path + ": " + file.errorString();
    QPdfWriter writer(&file);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    writer.setTitle(QStringLiteral("SPL Mapping Software report"));
    writer.setCreator(QStringLiteral("splmap"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return path + QStringLiteral(": the file cannot be written.");
    }
    const double pageWidth = writer.width();
    const double contentWidth = pageWidth - 2 * kMargin;

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

    const QRect view = picture::viewRect();
    drawText(painter, QStringLiteral("Side view"), {kMargin, y}, 11);
    y += 8;
    const QRectF sideView(kMargin, y, contentWidth, contentWidth * view.height() / view.width());
    drawSideView(painter, doc, sideView);

    if (const auto& map = shown.map) {
        writer.newPage();
        y = kMargin + 14;
        drawTitle(painter, QStringLiteral("SPL map"), {kMargin, y});
        y += 20;
        drawText(painter,
                 QStringLiteral("Frequency: %1 Hz        Vertical resolution: %2 m")
                         .arg(map->settings.frequencia)
                         .arg(map->settings.resolutionText) +
                     "        Model: " + spl::levelModelTitle(map->settings.model),
                 {kMargin, y});
        y += 12;
        const QRectF target(kMargin, y, contentWidth, contentWidth * view.height() / view.width());
        // The map is the picture's pixels, drawn with its captions as the window shows them.
        painter.save();
        mapView(painter, view, target);
        picture::drawSideView(painter, shown, view);
        painter.restore();
        drawLegend(painter, {kMargin, target.bottom() + 14}, contentWidth);
    }
    if (!painter.end() || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QStringLiteral("the file could not be finished.");
        file.cancelWriting();
        return path + ": " + why;
    }
    if (!file.commit())
        return path + ": " + file.errorString();
    return {};
}

void ExportReport(QWidget* parent, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, MessageSink& messages)
{
    QString path =
        QFileDialog::getSaveFileName(parent, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (const QString problem = exportPdf(path, doc, shown); !problem.isEmpty())
        messages.show(Message{QString(), problem, QString()});
}

} // namespace report
