#include "files/gui/ReportPdf.h"
#include "files/gui/PdfTools.h"
#include "i18n/Languages.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr double kPageWidth = 595; // A4, points
constexpr double kMargin = 40;

/// Whether `part` appears on `page` in order, as consecutive words.
bool holdsInOrder(const QList<PdfWord>& words, int page, const QStringList& part)
{
    QStringList all;
    for (const PdfWord& w : words)
        if (w.page == page)
            all << w.text;
    for (qsizetype i = 0; i + part.size() <= all.size(); ++i)
        if (all.mid(i, part.size()) == part)
            return true;
    return false;
}

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

// Before a map one page, after CALCULATE two, in the user's language and number form: the
// table of the boxes and areas in use with units, the side view as shapes, then the map as one
// lossless picture at print resolution with its legend and settings. Long names wrap within
// the margins on every page, every word kept in order.
TEST(ReportPdf, PagesBeforeAndAfterAMapFollowTheUser)
{
    const QStringList english = {
        "Side view", "Frequency",           "Project:",       "Number of boxes", "Length",
        "Cells",     "Vertical resolution", "Angle of box 8", "Page 2 / 2"};
    const std::tuple<int32_t, QLocale::Language, QStringList> cases[] = {
        {languageId::English, QLocale::English, english + QStringList{"0.25 m", "1.5°"}},
        {languageId::Spanish,
         QLocale::Spanish,
         {"Vista lateral", "Frecuencia (1/3 de octava)", "Proyecto:", "Número de cajas", "Longitud",
          "Celdas", "Resolución vertical", "0,25 m", "1,5°", "Zona 2", "Página 2 / 2"}},
        {languageId::German,
         QLocale::German,
         {"Seitenansicht", "Frequenz (1/3 Oktave)", "Projekt:", "Anzahl der Elemente", "Länge",
          "Zellen", "Vertikale Auflösung", "0,25 m", "1,5°", "Fläche 2", "Seite 2 / 2"}},
    };
    const QString project = "Mehrzweckhalle Nordstadt, Bauabschnitt zwei: Hauptbühne (endgültig)";
    const QString customer = "Veranstaltungstechnik Müller & Söhne GmbH, Niederlassung Süd " +
                             QString("Abteilung Beschallung ").repeated(8);
    for (const auto& [language, locale, expected] : cases) {
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
        for (const bool withMap : {false, true}) {
            SCOPED_TRACE(withMap);
            if (withMap) {
                ASSERT_TRUE(doc.requestSplWindow());
                doc.setCalculationSettings(
                    {1000, QLocale(locale).toString(0.25), spl::MapStyle::Cells});
                ASSERT_TRUE(spl::runCalculation(doc, shown));
            }
            QTemporaryDir dir;
            const QString path = dir.filePath("report.pdf");
            ASSERT_EQ(report::exportPdf(path, doc, shown.value(), languages), "");

            const QStringList pages = pdfText(path).split('\f', Qt::SkipEmptyParts);
            ASSERT_EQ(pages.size(), withMap ? 2 : 1);
            const QList<PdfWord> words = pdfWords(path);
            for (int p = 1; p <= pages.size(); ++p) {
                EXPECT_TRUE(holdsInOrder(words, p, project.split(' ', Qt::SkipEmptyParts))) << p;
                EXPECT_TRUE(holdsInOrder(words, p, customer.split(' ', Qt::SkipEmptyParts))) << p;
                EXPECT_TRUE(holdsInOrder(words, p,
                                         {QString::number(p), "/", QString::number(pages.size())}))
                    << p;
            }
            for (const PdfWord& w : words) {
                EXPECT_GE(w.box.left(), kMargin - 0.5) << w.text.toStdString();
                EXPECT_LE(w.box.right(), kPageWidth - kMargin + 0.5) << w.text.toStdString();
            }
            EXPECT_FALSE(pages[0].contains("Angle of box 9")); // only the boxes in use
            for (const Control field : {Control::Text13, Control::Text4})
                EXPECT_TRUE(pages[0].contains(doc.text(field) + " m")); // height, area 1's length
            EXPECT_TRUE(pages[0].contains(doc.text(Control::Combo4)));
            EXPECT_TRUE(pages[0].contains(doc.text(angleList(1)) + QChar(0xB0)));
            EXPECT_GT(colouredPixels(pdfPage(path, 1, 40)), 30); // the coloured rays and boxes

            const QList<PdfImage> images = pdfImages(path);
            if (!withMap) {
                EXPECT_TRUE(images.isEmpty()); // the side view is drawn as shapes
                continue;
            }
            const QString text = pages.join(' ').simplified();
            for (const QString& e : expected + QStringList{"1000 Hz", ">130dB", "< 95dB"})
                EXPECT_TRUE(text.contains(e)) << e.toStdString();
            for (const QString& e : english)
                EXPECT_TRUE(language == languageId::English || !text.contains(e))
                    << e.toStdString();
            ASSERT_EQ(images.size(), 1);
            EXPECT_EQ(images[0].page, 2);
            EXPECT_EQ(images[0].encoding.toStdString(), "image"); // Flate, not jpeg
            EXPECT_GE(std::min(images[0].xPpi, images[0].yPpi), 200);
            EXPECT_GT(colouredPixels(pdfPage(path, 2, 40)),
                      2 * colouredPixels(pdfPage(path, 1, 40)));
            EXPECT_GT(sameAsEnlarged(shown.value()), 0.97);
        }
    }
}
