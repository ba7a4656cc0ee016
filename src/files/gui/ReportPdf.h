#pragma once

#include <QString>

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

/// Writes the project report as a PDF: on the first page the report's lines
/// as a table and the side view; when `shown` holds a map, a second page with
/// the picture as the window shows it, its colour legend, frequency and
/// resolution. The file is written whole or not at all. Returns the error's
/// description, or an empty text.
QString exportPdf(const QString& path, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown);

/// The Export Report command: asks for a PDF file name (".pdf" added when
/// the name has no suffix) and writes the report there. A cancelled dialog
/// writes nothing; a failure shows its description.
void ExportReport(QWidget* parent, const ProjectDocument& doc,
                  const picture::SideViewPicture& shown, MessageSink& messages);

} // namespace report
