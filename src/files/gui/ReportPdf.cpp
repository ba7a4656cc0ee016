#include "files/gui/ReportPdf.h"

#include "files/OutputFile.h"
#include "files/gui/ReportPages.h"
#include "files/gui/ReportPrinting.h"
#include "files/gui/ReportTexts.h"
#include "i18n/Languages.h"
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

namespace report {

namespace {

constexpr double kRowHeight = 15;
constexpr double kValueWidth = 80;
constexpr double kTableGap = 20;
constexpr double kHeadingHeight = 20;

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

/// The height of the view drawn `width` wide.
double viewHeight(double width)
{
    const QRect view = picture::viewRect();
    return width * view.height() / view.width();
}

struct TableRow
{
    QString caption;
    QString value;
    bool heading = false;
};

double tableHeight(const std::vector<TableRow>& rows)
{
    return kRowHeight * static_cast<double>(rows.size());
}

/// A table of captions and values, headings across both columns.
void drawTable(QPainter& painter, const std::vector<TableRow>& rows, QPointF at, double width)
{
    const double captionWidth = width - kValueWidth;
    double y = at.y();
    for (const TableRow& row : rows) {
        const QRectF caption(at.x(), y, captionWidth, kRowHeight);
        const QRectF value(caption.right(), y, kValueWidth, kRowHeight);
        painter.setFont(pageFont(9, row.heading));
        painter.setPen(QPen(kRule, 0.75));
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
        painter.drawText(value.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, row.value);
        y += kRowHeight;
    }
}

/// The array: its model, the boxes in use with their angles, the height.
std::vector<TableRow> arrayRows(const ProjectDocument& doc, const ReportTexts& t)
{
    const Input in = inputOf(doc);
    const int boxes = sideview::boxesInUse(in.numcaixes);
    std::vector<TableRow> rows{{t("Array"), {}, true},
                               {t("Model"), doc.text(Control::Combo4)},
                               {t("Boxes"), QString::number(boxes)},
                               {t("Height"), t.metres(in.distanceToFloor)}};
    for (int i = 0; i < boxes; ++i)
        rows.push_back({t.filled("Angle", QString::number(i + 1)),
                        t.degrees(in.angles[static_cast<std::size_t>(i)])});
    return rows;
}

/// The areas in use, each with its four figures.
std::vector<TableRow> areaRows(const ProjectDocument& doc, const ReportTexts& t)
{
    const Input in = inputOf(doc);
    std::vector<TableRow> rows{{t("Audience"), {}, true}, {t("Areas"), in.numberOfAreas.trimmed()}};
    const char* const figures[] = {"Distance", "Length", "Z1", "Z2"};
    for (int a = 0; a < sideview::areasInUse(in.seleccio); ++a) {
        rows.push_back({t.filled("Area", QString::number(a + 1)), {}, true});
        for (std::size_t k = 0; k < 4; ++k)
            rows.push_back({t(figures[k]), t.metres(in.areas[static_cast<std::size_t>(a)][k])});
    }
    return rows;
}

/// A heading over a part of a page, and its height.
double drawHeading(QPainter& painter, const QString& text, QPointF at, double width)
{
    const Paragraph heading(text, pageFont(11, true), width, painter.device());
    heading.draw(painter, at);
    return heading.height() + 4;
}

/// The map's picture across `target`: the surfaces painted again at print
/// resolution as one lossless image, the captions over it as text.
void drawMap(QPainter& painter, const picture::SideViewPicture& shown, const QRectF& target)
{
    const QRect view = picture::viewRect();
    const picture::SideViewPicture large = picture::enlarged(shown, kPrintFactor);
    QImage image(view.size() * kPrintFactor, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.scale(kPrintFactor, kPrintFactor);
        p.translate(-view.topLeft());
        picture::drawSurfaces(p, large, view);
    }
    painter.save();
    mapView(painter, view, target);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(view), image);
    picture::drawCaptions(painter, shown, view);
    painter.restore();
}

/// The colour legend on one line after its caption, and `note`, when there
/// is one, on the line below the caption.
void drawLegend(QPainter& painter, const QString& caption, const QString& note, QPointF at,
                double width)
{
    const auto legend = SPL::legend();
    painter.setFont(pageFont(9, true));
    painter.setPen(Qt::black);
    const double captionWidth = painter.fontMetrics().horizontalAdvance(caption) + 12;
    painter.drawText(QPointF(at.x(), at.y() + 10), caption);
    const double step = (width - captionWidth) / static_cast<double>(legend.size());
    painter.setFont(pageFont(9));
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const QRectF swatch(at.x() + captionWidth + step * static_cast<double>(i), at.y(), 18, 11);
        painter.fillRect(swatch, QColor::fromRgb(static_cast<QRgb>(legend[i].first)));
        painter.setPen(QPen(Qt::black, 0.5));
        painter.drawRect(swatch);
        painter.drawText(QPointF(swatch.right() + 4, swatch.bottom() - 1), legend[i].second);
    }
    if (!note.isEmpty())
        painter.drawText(QPointF(at.x(), at.y() + 23), note);
}

/// The blocks of the report's pages, in order.
std::vector<Block> reportBlocks(const Pages& pages, const ProjectDocument& doc,
                                const picture::SideViewPicture& shown, const ReportTexts& t)
{
    const double x = pages.left();
    const double width = pages.contentWidth();
    std::vector<Block> blocks;

    // The array on the left, the areas on the right.
    const double tableWidth = (width - kTableGap) / 2;
    const auto left = arrayRows(doc, t);
    const auto right = areaRows(doc, t);
    blocks.push_back(
        {std::max(tableHeight(left), tableHeight(right)), [=](QPainter& painter, double top) {
             drawTable(painter, left, {x, top}, tableWidth);
             drawTable(painter, right, {x + tableWidth + kTableGap, top}, tableWidth);
         }});
    blocks.push_back(
        {kHeadingHeight + viewHeight(width), [=, &doc](QPainter& painter, double top) {
             drawHeading(painter, t("SideView"), {x, top}, width);
             drawSideView(painter, doc, {x, top + kHeadingHeight, width, viewHeight(width)});
         }});

    const auto& map = shown.map;
    if (!map)
        return blocks;
    const auto facts = mapFacts(map->settings, t);
    blocks.push_back({kHeadingHeight + kRowHeight * static_cast<double>(facts.size()),
                      [=](QPainter& painter, double top) {
                          drawHeading(painter, t("Map"), {x, top}, width);
                          std::vector<TableRow> rows;
                          for (const auto& [caption, value] : facts)
                              rows.push_back({caption, value});
                          drawTable(painter, rows, {x, top + kHeadingHeight}, width / 2);
                      },
                      true});
    blocks.push_back({viewHeight(width), [=, &shown](QPainter& painter, double top) {
                          drawMap(painter, shown, {x, top, width, viewHeight(width)});
                      }});
    const QString note = legendNote(map->settings, t);
    blocks.push_back({note.isEmpty() ? 12.0 : 24.0, [=](QPainter& painter, double top) {
                          drawLegend(painter, t("Legend"), note, {x, top}, width);
                      }});
    return blocks;
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

namespace {

/// The report's pages on `file`; returns why they could not be written, or "".
QString writeReport(QIODevice& file, const ProjectDocument& doc,
                    const picture::SideViewPicture& shown, const Languages& languages)
{
    const ReportTexts t(languages, doc.locale());
    QPdfWriter writer(&file);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QString project = doc.text(Control::Text15);
    writer.setTitle(project.isEmpty() ? t("Program")
                                      : t("Program") + QStringLiteral(": ") + project);
    writer.setCreator(QStringLiteral("splmap"));
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("the file cannot be written.");
    const Pages pages(writer,
                      {t("Program"), t("Project"), project, t("Customer"),
                       doc.text(Control::Text16), t("Date"), t.date()},
                      t("Page"));
    const bool drawn = pages.draw(painter, reportBlocks(pages, doc, shown, t));
    if (!painter.end() || !drawn)
        return QStringLiteral("the file could not be finished.");
    return {};
}

} // namespace

QString exportPdf(const QString& path, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, const Languages& languages)
{
    return writeOutputFile(
        path, [&](QIODevice& file) { return writeReport(file, doc, shown, languages); });
}

void ExportReport(QWidget* parent, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, const Languages& languages,
                  MessageSink& messages)
{
    QString path =
        QFileDialog::getSaveFileName(parent, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (const QString problem = exportPdf(path, doc, shown, languages); !problem.isEmpty())
        messages.show(Message{QString(), problem, QString()});
}

} // namespace report
