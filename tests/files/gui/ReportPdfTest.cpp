#include "files/gui/ReportPdf.h"
#include "files/gui/Fixture.h"
#include "files/gui/PdfTools.h"
#include "picture/CalculationSequence.h"
#include "picture/ShownPicture.h"
#include "project/gui/Principal.h"
#include "sideview/SideView.h"

#include <QTemporaryDir>
#include <algorithm>

namespace {

using ReportPdf = DemoWindow;

constexpr double kPageWidth = 595; // A4, points
constexpr double kMargin = 40;

QStringList wordsOn(const QList<PdfWord>& words, int page)
{
    QStringList out;
    for (const PdfWord& w : words)
        if (w.page == page)
            out << w.text;
    return out;
}

/// Whether `part` appears in `all` in order, as consecutive words.
bool holdsInOrder(const QStringList& all, const QStringList& part)
{
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

// Before a map one page, after CALCULATE two: the table of the boxes and areas
// in use with units, the side view as shapes, then the map as one lossless
// picture at print resolution with its legend and settings.
TEST_F(ReportPdf, PagesBeforeAndAfterAMap)
{
    for (const bool withMap : {false, true}) {
        SCOPED_TRACE(withMap);
        if (withMap) {
            ASSERT_TRUE(doc.requestSplWindow());
            doc.setCalculationSettings({1000, "0.3", spl::MapStyle::Cells});
            ASSERT_TRUE(spl::runCalculation(doc, window.shownPicture()));
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        ASSERT_EQ(report::exportPdf(path, doc, window.shownPicture().value(), languages), "");

        const QStringList pages = pdfText(path).split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), withMap ? 2 : 1);
        const QList<PdfWord> words = pdfWords(path);
        for (int p = 0; p < pages.size(); ++p) {
            EXPECT_TRUE(pages[p].contains(doc.text(Control::Text15)));
            EXPECT_TRUE(pages[p].contains(doc.text(Control::Text16)));
            const QStringList number{QString::number(p + 1), "/", QString::number(pages.size())};
            EXPECT_TRUE(holdsInOrder(wordsOn(words, p + 1), number)) << p;
        }
        const int boxes = doc.state().numcaixes + 1;
        EXPECT_TRUE(pages[0].contains(QStringLiteral("Angle of box %1").arg(boxes)));
        EXPECT_FALSE(pages[0].contains(QStringLiteral("Angle of box %1").arg(boxes + 1)));
        EXPECT_TRUE(pages[0].contains(doc.text(Control::Combo4)));
        EXPECT_TRUE(pages[0].contains(doc.text(Control::Text13) + " m"));
        EXPECT_TRUE(pages[0].contains(doc.text(angleList(1)) + QChar(0xB0)));
        EXPECT_TRUE(pages[0].contains(doc.text(Control::Text4) + " m")); // area 1's length
        EXPECT_GT(colouredPixels(pdfPage(path, 1, 40)), 30); // the coloured rays and boxes

        const QList<PdfImage> images = pdfImages(path);
        if (!withMap) {
            EXPECT_TRUE(images.isEmpty()); // the side view is drawn as shapes
            continue;
        }
        for (const char* fact : {"1000 Hz", "0.3 m", "Cells", ">130dB", "< 95dB"})
            EXPECT_TRUE(pages[1].contains(fact)) << fact;
        ASSERT_EQ(images.size(), 1);
        EXPECT_EQ(images[0].page, 2);
        EXPECT_EQ(images[0].encoding.toStdString(), "image"); // Flate, not jpeg
        EXPECT_GE(std::min(images[0].xPpi, images[0].yPpi), 200);
        EXPECT_GT(colouredPixels(pdfPage(path, 2, 40)), 2 * colouredPixels(pdfPage(path, 1, 40)));
        EXPECT_GT(sameAsEnlarged(window.shownPicture().value()), 0.97);
    }
}

// Every text in the user's language, every figure in the user's form, and long
// names wrapped within the margins on every page: every word of both stays
// there, in order.
TEST(ReportPdfLanguages, TextsFiguresAndLongNamesFollowTheUser)
{
    struct Case
    {
        int32_t language;
        QLocale::Language locale;
        QStringList expected;
    };
    const QStringList english = {
        "Side view", "Frequency",           "Project:",  "Number of boxes", "Length",
        "Cells",     "Vertical resolution", "Page 2 / 2"};
    const Case cases[] = {
        {languageId::English, QLocale::English, english + QStringList{"0.25 m", "1.5°"}},
        {languageId::German,
         QLocale::German,
         {"Seitenansicht", "Frequenz (1/3 Oktave)", "Projekt:", "Anzahl der Elemente", "Länge",
          "Zellen", "Vertikale Auflösung", "0,25 m", "1,5°", "Fläche 2", "Seite 2 / 2"}},
    };
    const QString project = "Mehrzweckhalle Nordstadt, Bauabschnitt zwei: Hauptbühne (endgültig)";
    const QString customer = "Veranstaltungstechnik Müller & Söhne GmbH, Niederlassung Süd " +
                             QString("Abteilung Beschallung ").repeated(8);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
        languages.ApplyLanguage(c.language);
        CapturingSink messages;
        ProjectDocument doc(
            messages, [&](const QString& s, const QString& t) { return languages.GetLabel(s, t); },
            QLocale(c.locale));
        picture::ShownPicture shown(doc);
        ASSERT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
        for (const auto& [field, name] :
             {std::pair(Control::Text15, project), std::pair(Control::Text16, customer)}) {
            doc.setText(field, name);
            doc.acceptText(field);
        }
        ASSERT_TRUE(doc.requestSplWindow());
        doc.setCalculationSettings({1000, QLocale(c.locale).toString(0.25), spl::MapStyle::Cells});
        ASSERT_TRUE(spl::runCalculation(doc, shown));
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        ASSERT_EQ(report::exportPdf(path, doc, shown.value(), languages), "");

        const QString text = pdfText(path).simplified();
        for (const QString& e : c.expected)
            EXPECT_TRUE(text.contains(e)) << e.toStdString();
        if (c.language != languageId::English) {
            for (const QString& e : english)
                EXPECT_FALSE(text.contains(e)) << e.toStdString();
        }
        const QList<PdfWord> words = pdfWords(path);
        for (int page : {1, 2}) {
            const QStringList on = wordsOn(words, page);
            EXPECT_TRUE(holdsInOrder(on, project.split(' ', Qt::SkipEmptyParts))) << page;
            EXPECT_TRUE(holdsInOrder(on, customer.split(' ', Qt::SkipEmptyParts))) << page;
        }
        for (const PdfWord& w : words) {
            EXPECT_GE(w.box.left(), kMargin - 0.5) << w.text.toStdString();
            EXPECT_LE(w.box.right(), kPageWidth - kMargin + 0.5) << w.text.toStdString();
        }
    }
}
