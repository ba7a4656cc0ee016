#include "files/gui/ReportPrinting.h"
#include "files/gui/PdfTools.h"
#include "project/gui/MainWindowFixture.h"

#include <QPrinter>
#include <QTemporaryDir>

using ReportPrinting = MainWindowTest;

TEST_F(ReportPrinting, PrintingToAFileWritesEveryCopyOfTheReportAcrossPages)
{
    ASSERT_TRUE(loadDemo());
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const std::vector<report::Row> rows = report::document(report::inputOf(doc), 3);
    ASSERT_GT(rows.size(), 80u); // more than a page holds at 10 points

    EXPECT_EQ(report::print(printer, rows), "");
    const QString text = pdfText(path, true);
    QStringList expected;
    for (const report::Row& r : rows)
        expected << r.text();
    // Every line once per copy, in order, none lost at a break.
    EXPECT_EQ(text.simplified().toStdString(), expected.join(' ').simplified().toStdString());
    EXPECT_GE(text.count('\f'), 2); // a new page when the first is full
    EXPECT_TRUE(text.contains("Distance to floor      " + doc.text(Control::Text13))); // six blanks

    // The headings stand out in the bold face of the same fixed-pitch family.
    const QStringList fonts = pdfFonts(path);
    EXPECT_TRUE(fonts.filter("Bold").size() == 1 && fonts.size() == 2)
        << fonts.join(' ').toStdString();

    // A file that cannot be written gives the reason and leaves nothing.
    const QString missing = dir.filePath("missing/report.pdf");
    printer.setOutputFileName(missing);
    const QString problem = report::print(printer, rows);
    EXPECT_TRUE(problem.startsWith(missing + ": ") && problem.size() > missing.size() + 4)
        << problem.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}
