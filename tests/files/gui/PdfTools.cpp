#include "files/gui/PdfTools.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray run(const char* tool, const QStringList& args)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (path.isEmpty()) {
        ADD_FAILURE() << tool << " not found: install poppler-utils (scripts/deps.sh does)";
        return {};
    }
    QProcess p;
    p.start(path, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << tool << " failed: " << p.readAllStandardError().constData();
        return {};
    }
    return p.readAllStandardOutput();
}

} // namespace

QString pdfText(const QString& pdf, bool layout)
{
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    args << pdf << QStringLiteral("-");
    return QString::fromUtf8(run("pdftotext", args));
}

/// The first column of a poppler tool's table, after its header and rule.
static QStringList firstColumn(const char* tool, const QStringList& args)
{
    QStringList column;
    const QStringList lines = QString::fromUtf8(run(tool, args)).split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty())
            column << lines[i].section(' ', 0, 0, QString::SectionSkipEmpty);
    return column;
}

QStringList pdfFonts(const QString& pdf)
{
    return firstColumn("pdffonts", {pdf});
}

QList<int> pdfImagePages(const QString& pdf)
{
    QList<int> pages;
    for (const QString& page : firstColumn("pdfimages", {"-list", pdf}))
        pages << page.toInt();
    return pages;
}

QImage pdfPage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    run("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l",
                     QString::number(page), "-singlefile", "-png", pdf, base});
    return QImage(base + QStringLiteral(".png"));
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
