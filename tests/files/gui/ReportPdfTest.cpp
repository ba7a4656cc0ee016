#include "files/gui/ReportPdf.h"
#include "files/gui/PdfTools.h"
#include "i18n/Languages.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

/// The share of pixels of every surface that the picture enlarged for print
/// shows alike at their centres: within a few steps of a ramp, since a turned
/// map may land a third of a pixel apart.
double sameAsEnlarged(const picture::SideViewPicture& shown)
{
    const picture::SideViewPicture large = picture::enlarged(shown, 3);
    double same = 0, all = 0;
    for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44}) {
        const QImage& small = shown.canvas(id).image();
        const QImage& big = large.canvas(id).image();
        if (big.size() != small.size() * 3)
            return 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x) {
                const QColor a = small.pixelColor(x, y), b = big.pixelColor(3 * x + 1, 3 * y + 1);
                same += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                            std::abs(a.blue() - b.blue()) <=
                        24;
                ++all;
            }
    }
    return same / all;
}

} // namespace

// After CALCULATE two pages in the user's language and number form: the table of
// the boxes and areas in use with units and the side view as shapes, then the map
// as one lossless picture at print resolution with its legend and settings. Long
// names wrap within the margins on every page, every word kept in order.
TEST(ReportPdf, TwoPagesInTheUsersLanguageWithinTheMargins)
{
    const QStringList english = {
        "Side view", "Frequency",           "Project:",       "Number of boxes", "Length",
        "Cells",     "Vertical resolution", "Angle of box 8", "Page 2 / 2"};
    // Language, number form, what the pages say (none of the English captions
    // in another language), the angle of a box not in use.
    const std::tuple<int32_t, QLocale::Language, QStringList, QString> cases[] = {
        {languageId::English, QLocale::English, english + QStringList{"0.25 m", "1.5°"},
         "Angle of box 9"},
        {languageId::German,
         QLocale::German,
         {"Seitenansicht", "Winkel Element 8", "0,25 m", "1,5°", "Fläche 2", "Seite 2 / 2"},
         "Winkel Element 9"},
    };
    const QString project = "Mehrzweckhalle Nordstadt, Bauabschnitt zwei: Hauptbühne (endgültig)";
    const QString customer = "Veranstaltungstechnik Müller & Söhne GmbH, Niederlassung Süd " +
                             QString("Abteilung Beschallung ").repeated(8);
    for (const auto& [language, locale, expected, unused] : cases) {
        SCOPED_TRACE(language);
        Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
        languages.ApplyLanguage(language);
        CapturingSink messages;
        ProjectDocument doc(
            messages, [&](const QString& s, const QString& t) { return languages.GetLabel(s, t); },
            QLocale(locale));
        picture::ShownPicture shown(doc);
        ASSERT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
        for (const auto& [field, name] :
             {std::pair(Control::Text15, project), std::pair(Control::Text16, customer)}) {
            doc.setText(field, name);
            doc.acceptText(field);
        }
        ASSERT_TRUE(doc.requestSplWindow());
        doc.setCalculationSettings({1000, QLocale(locale).toString(0.25), spl::MapStyle::Cells});
        ASSERT_TRUE(spl::runCalculation(doc, shown));
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        ASSERT_EQ(report::exportPdf(path, doc, shown.value(), languages), "");

        const QStringList pages = pdfText(path).split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 2);
        std::array<int, 2> coloured{};
        for (int p = 0; p < 2; ++p) {
            const QString text = pages[p].simplified();
            for (const QString& e : {project, customer.simplified(), QString("%1 / 2").arg(p + 1)})
                EXPECT_TRUE(text.contains(e)) << p << ": " << e.toStdString();
            // Nothing drawn in the margins, at one pixel a point.
            const QImage page = pdfPage(path, p + 1, 72).convertToFormat(QImage::Format_RGB32);
            for (const int x : {0, page.width() - 39}) {
                QImage white = page.copy(x, 0, 39, page.height());
                white.fill(Qt::white);
                EXPECT_TRUE(page.copy(x, 0, 39, page.height()) == white) << p << " at " << x;
            }
            coloured[p] = colouredPixels(page);
        }
        EXPECT_FALSE(pages[0].contains(unused)); // only the boxes in use
        // The height, area 1's length, the model and box 2's angle, with their units.
        for (const QString& e : {doc.text(Control::Text13) + " m", doc.text(Control::Text4) + " m",
                                 doc.text(Control::Combo4), doc.text(angleList(1)) + QChar(0xB0)})
            EXPECT_TRUE(pages[0].contains(e)) << e.toStdString();
        const QString text = pages.join(' ').simplified();
        for (const QString& e : expected + QStringList{"1000 Hz", ">130dB", "< 95dB"})
            EXPECT_TRUE(text.contains(e)) << e.toStdString();
        for (const QString& e : english)
            EXPECT_TRUE(language == languageId::English || !text.contains(e)) << e.toStdString();

        // The side view as shapes with its coloured rays and boxes; the map as pixels.
        const QList<PdfImage> images = pdfImages(path);
        ASSERT_EQ(images.size(), 1);
        EXPECT_EQ(images[0].page, 2);
        EXPECT_EQ(images[0].encoding.toStdString(), "image"); // Flate, not jpeg
        EXPECT_GE(std::min(images[0].xPpi, images[0].yPpi), 200);
        EXPECT_GT(coloured[0], 300);
        EXPECT_GT(coloured[1], 2 * coloured[0]);
        EXPECT_GT(sameAsEnlarged(shown.value()), 0.97);
    }
}
