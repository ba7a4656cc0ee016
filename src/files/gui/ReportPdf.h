#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class MessageSink;
class Principal;
class QPainter;
class QRectF;

namespace report {

/// The SPL map the main window shows: the figures it was calculated with.
struct ShownMap
{
    int16_t frequency = 0; ///< band centre, Hz
    QString resolution;    ///< the vertical resolution as typed, m
};

/// Draws the side view of `window`'s project into `target` as shapes: a
/// fresh redraw of the document replayed onto each of the window's surfaces
/// where it lies on the window, clipped to the view, with the view's labels
/// as text. The map, which is only pixels, is not part of it.
void drawSideView(QPainter& painter, Principal& window, const QRectF& target);

/// Writes the project report as a PDF: on the first page the report's lines
/// as a table and the side view; when `map` is given, a second page with the
/// map as the window shows it, its colour legend, frequency and resolution.
/// The file is written whole or not at all. Returns the error's description,
/// or an empty text.
QString exportPdf(const QString& path, Principal& window, const std::optional<ShownMap>& map);

/// The Export Report command: asks for a PDF file name (".pdf" added when
/// the name has no suffix) and writes the report there. A cancelled dialog
/// writes nothing; a failure shows its description.
void ExportReport(Principal& window, const std::optional<ShownMap>& map, MessageSink& messages);

} // namespace report
