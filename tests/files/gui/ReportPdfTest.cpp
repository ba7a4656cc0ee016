#include "files/gui/ReportPdf.h"
#include "files/gui/Fixture.h"
#include "files/gui/PdfTools.h"
#include "files/gui/ReportPrinting.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "project/gui/Principal.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>

namespace {

using ReportPdf = DemoWindow;

} // namespace

TEST_F(ReportPdf, WithoutAMapOnePageHoldsTheTableAndTheSideViewAsShapes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    ASSERT_EQ(report::exportPdf(path, doc, window.shownPicture().value()), "");

    const QString text = pdfText(path);
    EXPECT_EQ(text.count('\f'), 1);
    for (const report::Row& r : report::rows(report::inputOf(doc))) {
        EXPECT_TRUE(text.contains(r.caption)) << r.caption.toStdString();
        EXPECT_TRUE(text.contains(r.value.trimmed())) << r.value.toStdString();
    }
    EXPECT_TRUE(text.contains(doc.text(Control::Text15)));
    EXPECT_FALSE(text.contains("Frequency"));
    EXPECT_TRUE(pdfImagePages(path).isEmpty()); // no pixels: the side view is drawn as lines
    EXPECT_GT(colouredPixels(pdfPage(path, 1, 40)), 30); // the coloured rays and boxes
}

TEST_F(ReportPdf, AShownMapAddsAPageWithItsPictureLegendFrequencyAndResolution)
{
    ASSERT_TRUE(doc.requestSplWindow());
    doc.setCalculationSettings({1000, "0.3", spl::MapStyle::Distribution});
    ASSERT_TRUE(spl::runCalculation(doc, window.shownPicture()));
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    ASSERT_EQ(report::exportPdf(path, doc, window.shownPicture().value()), "");

    const QString text = pdfText(path);
    EXPECT_EQ(text.count('\f'), 2);
    const QString second = text.section('\f', 1, 1);
    EXPECT_TRUE(second.contains("Frequency: 1000 Hz")) << second.toStdString();
    EXPECT_TRUE(second.contains("Vertical resolution: 0.3 m"));
    EXPECT_TRUE(second.contains(">130dB") && second.contains("< 95dB"));
    EXPECT_TRUE(text.section('\f', 0, 0).contains("Number of Boxes"));
    // The map is the surfaces' pixels, on its own page; the side view stays shapes.
    const QList<int> images = pdfImagePages(path);
    EXPECT_FALSE(images.isEmpty());
    EXPECT_TRUE(std::all_of(images.begin(), images.end(), [](int p) { return p == 2; }));
    EXPECT_GT(colouredPixels(pdfPage(path, 2, 40)), 20 * colouredPixels(pdfPage(path, 1, 40)) / 10);
}

// Exported or printed to a file: the reason is given and nothing is left.
TEST_F(ReportPdf, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/report.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    for (const QString& problem : {report::exportPdf(path, doc, window.shownPicture().value()),
                                   report::print(printer, report::rows(report::inputOf(doc)))}) {
        EXPECT_TRUE(problem.startsWith(path + ": ")) << problem.toStdString();
        EXPECT_GT(problem.size(), path.size() + 4);
    }
    EXPECT_FALSE(QFile::exists(path));
}
