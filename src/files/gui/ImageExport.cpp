#include "files/gui/ImageExport.h"

#include "files/OutputFile.h"
#include "files/gui/PngFile.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>

namespace imageexport {

QImage clientArea(const QMainWindow& window)
{
    QWidget* client = window.centralWidget();
    QImage image(client->size(), QImage::Format_RGB32);
    image.fill(client->palette().color(QPalette::Window));
    client->render(&image);
    return image;
}

QImage grabWholeWindow(QMainWindow& window)
{
    QScreen* screen = window.screen();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && screen && window.isVisible()) {
        // Let the window repaint what a closed dialog or menu uncovered before the screen is read.
        window.repaint();
        QCoreApplication::processEvents();
        // The frame belongs to the window manager: read the screen where the frame lies.
        const QRect frame = window.frameGeometry();
        const QPixmap shot =
            screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (!shot.isNull())
            return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }
    return clientArea(window);
}

QString writeImage(const QImage& image, const QString& path, const char* format, int quality)
{
    return writeOutputFile(path, [&](QIODevice& file) {
        if (qstrcmp(format, "PNG") == 0) {
            // PNG through the program's own writer, which is much faster on
            // pictures of flat colour.
            const QByteArray bytes = encodePng(image);
            if (!bytes.isEmpty() && file.write(bytes) == bytes.size())
                return QString();
        } else if (image.save(&file, format, quality)) {
            return QString();
        }
        return QStringLiteral("cannot write %1").arg(QLatin1String(format));
    });
}

QStringList filters()
{
    return {QStringLiteral("Imagenes (*.bmp)"), QStringLiteral("PNG (*.png)")};
}

const char* formatOf(const QString& filter)
{
    return filter == filters().at(1) ? "PNG" : "BMP";
}

void SaveFoto(QMainWindow& window, MessageSink& messages)
{
    QString filter = filters().first();
    const QString path = QFileDialog::getSaveFileName(&window, QStringLiteral(" "), QString(),
                                                      filters().join(QStringLiteral(";;")), &filter,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    const QImage image = grabWholeWindow(window);
    if (const QString problem = writeImage(image, path, formatOf(filter)); !problem.isEmpty())
        messages.show(Message{QString(), problem, QString()});
}

} // namespace imageexport
