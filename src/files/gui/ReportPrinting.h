#pragma once

#include "files/Report.h"

#include <QFont>
#include <QString>
#include <vector>

class MessageSink;
class ProjectDocument;
class QPrinter;
class QWidget;

namespace report {

/// The report's input as the document holds it: the texts the main window's
/// fields and lists show, the boxes index and the area selection.
Input inputOf(const ProjectDocument& doc);

/// The font of the printed report: fixed pitch, so that the blanks line the
/// values up, at 10 points.
QFont reportFont();

/// Prints `rows` on `printer` as one document: from the top-left corner of
/// the printable area, one line after the other in the report font, area
/// headings bold, a new page whenever a page is full. A printer whose output
/// is a PDF file writes that file. Returns the error's description, or an
/// empty text when the document was sent.
QString print(QPrinter& printer, const std::vector<Row>& rows);

/// The Print Data command: redraws the side view, asks for the printer and
/// the number of copies, and prints that many copies of the report in one
/// document (to the chosen PDF file when printing to a file). A cancelled
/// dialog prints nothing; any other failure shows its description.
void PrintData(ProjectDocument& doc, QWidget* owner, MessageSink& messages);

} // namespace report
