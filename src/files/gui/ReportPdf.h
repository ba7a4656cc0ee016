#pragma once

#include <QString>

class Languages;
class MessageSink;
class ProjectDocument;
class QPainter;
class QRectF;
class QWidget;

namespace picture {
struct SideViewPicture;
}

namespace report {

/// Draws the side view of the document's project into `target` as shapes: a
/// fresh redraw replayed onto each surface where it lies on the main window,
/// clipped to the view, with the view's captions as text. The map, which is
/// only pixels, is not part of it.
void drawSideView(QPainter& painter, const ProjectDocument& doc, const QRectF& target);

/// How many pixels across the map page's picture has for each pixel of the
/// window's: enough for over 200 pixels per inch across the page's width.
inline constexpr int kPrintFactor = 3;

/// Writes the project report as a PDF in the current language of
/// `languages`, figures in the document's locale. Every page has a header
/// (program, date, project, customer, wrapped within the margins) and its
/// number in the footer. The first page holds the project's figures with
/// their units (the model, the boxes in use, the areas in use) and the side
/// view as shapes across the page; when `shown` holds a map, the next page
/// holds the map painted again at print resolution (kPrintFactor, lossless)
/// across the page, its legend and what it was calculated with. The file is
/// written whole or not at all. Returns the error's description, or an
/// empty text. The window's Export Report and the report command both write
/// through here.
QString exportPdf(const QString& path, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, const Languages& languages);

/// The Export Report command: asks for a PDF file name (".pdf" added when
/// the name has no suffix) and writes the report there. A cancelled dialog
/// writes nothing; a failure shows its description.
void ExportReport(QWidget* parent, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, const Languages& languages,
                  MessageSink& messages);

} // namespace report
