#include "files/gui/ReportPrinting.h"

#include "platform/Messages.h"
#include "project/ProjectDocument.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace report {

Input inputOf(const ProjectDocument& doc)
{
    Input in;
    in.numcaixes = doc.state().numcaixes;
    in.distanceToFloor = doc.text(Control::Text13);
    for (int i = 0; i < 16; ++i)
        in.angles[static_cast<std::size_t>(i)] = doc.text(angleList(i));
    in.numberOfAreas = doc.text(Control::Combo1);
    in.seleccio = doc.state().seleccio;
    // Distance, length, Z1, Z2 of each area, as the fields are numbered.
    const int fields[3][4] = {{1, 4, 2, 3}, {5, 8, 6, 7}, {9, 12, 10, 11}};
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t k = 0; k < 4; ++k)
            in.areas[a][k] = doc.text(textField(fields[a][k]));
    return in;
}

QFont reportFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

QString print(QPrinter& printer, const std::vector<Row>& rows)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // QPrinter says no more than that it failed: ask the file for the reason first.
        const QString path = printer.outputFileName();
        if (path.isEmpty())
            return QStringLiteral("No file was chosen to print to.");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return path + ": " + file.errorString();
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return printer.outputFormat() == QPrinter::PdfFormat
                   ? printer.outputFileName() + QStringLiteral(": the file cannot be written.")
                   : QStringLiteral("The printer %1 cannot be started.").arg(printer.printerName());

    QFont font = reportFont();
    const QFontMetricsF metrics(font, &printer);
    const double step = metrics.lineSpacing();
    const double pageHeight = printer.height();
    double top = 0;
    for (const Row& row : rows) {
        if (top > 0 && top + step > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return QStringLiteral("The printer cannot start a new page.");
            }
            top = 0;
        }
        font.setBold(row.heading);
        painter.setFont(font);
        painter.drawText(QPointF(0, top + metrics.ascent()), row.text());
        top += step;
    }
    if (!painter.end())
        return QStringLiteral("The document could not be finished.");
    return {};
}

void PrintData(ProjectDocument& doc, QWidget* owner, MessageSink& messages)
{
    doc.DibuixarGeneral();
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The report repeats itself for the copies, one after the other in one document.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    QString problem;
    if (!printer.isValid())
        problem = QStringLiteral("No printer is installed.");
    else
        problem = print(printer, document(inputOf(doc), copies));
    if (!problem.isEmpty())
        messages.show(Message{QString(), problem, QString()});
}

} // namespace report
