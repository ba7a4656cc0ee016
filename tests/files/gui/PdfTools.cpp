#include "files/gui/PdfTools.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

QByteArray run(const char* tool, const QStringList& args)
{
    QProcess p;
    p.start(QString::fromLatin1(tool), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        ADD_FAILURE() << tool << " failed (poppler-utils missing?): "
                      << p.readAllStandardError().constData();
    return p.readAllStandardOutput();
}

/// The rows of a poppler tool's table after its header and rule, split at blanks.
QList<QStringList> tableRows(const char* tool, const QStringList& args)
{
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(run(tool, args)).split('\n').mid(2))
        if (!line.trimmed().isEmpty())
            rows << line.split(' ', Qt::SkipEmptyParts);
    return rows;
}

} // namespace

QString pdfText(const QString& pdf, bool layout)
{
    const QStringList args{pdf, "-"};
    return QString::fromUtf8(run("pdftotext", layout ? QStringList{"-layout"} + args : args));
}

QStringList pdfFonts(const QString& pdf)
{
    QStringList column;
    for (const QStringList& row : tableRows("pdffonts", {pdf}))
        column << row[0];
    return column;
}

QList<PdfImage> pdfImages(const QString& pdf)
{
    QList<PdfImage> images;
    for (const QStringList& f : tableRows("pdfimages", {"-list", pdf}))
        if (f.size() >= 14)
            images.push_back({f[0].toInt(), f[8], f[12].toInt(), f[13].toInt()});
    return images;
}

QImage pdfPage(const QString& pdf, int page, int dpi)
{
    const QString n = QString::number(page);
    return QImage::fromData(
        run("pdftoppm", {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", "-png", pdf}),
        "PNG");
}

int colouredPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.hsvSaturation() > 128 && c.value() > 64;
        }
    return n;
}
