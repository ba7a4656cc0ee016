#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class MessageSink;
class QMainWindow;

/// Pictures of the main window written to image files.
namespace imageexport {

/// The window's client area as it looks, one pixel per device pixel, drawn
/// by the window itself (it need not be on the screen).
QImage clientArea(const QMainWindow& window);

/// The whole window as it is on the screen, frame and title bar included,
/// where the platform lets a program read the screen (X11); the client area
/// otherwise.
QImage grabWholeWindow(QMainWindow& window);

/// Writes `image` to `path` in `format` ("BMP", "PNG") as writeOutputFile
/// writes every output: a failure leaves any old file as it was and no
/// half-written one, and a device or pipe gets the bytes without being
/// replaced. `quality` as for QImage::save (PNG files are always lossless and
/// ignore it).
/// Returns the error's description, or an empty text.
QString writeImage(const QImage& image, const QString& path, const char* format, int quality = -1);

/// The save dialog's filters, the Windows bitmap first.
QStringList filters();
/// The image format of one of those filters (BMP for anything else).
const char* formatOf(const QString& filter);

/// The Save Image command: asks for a file (BMP or PNG by the chosen filter;
/// the path is used as given), captures the window and writes it there. A
/// cancelled dialog writes nothing; a failure shows its description.
void SaveFoto(QMainWindow& window, MessageSink& messages);

} // namespace imageexport
