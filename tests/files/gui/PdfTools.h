#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

/// The text of a PDF as poppler's pdftotext gives it, pages ended by form
/// feeds. Fails the test when poppler-utils is not installed.
QString pdfText(const QString& pdf, bool layout = false);
/// The fonts the PDF uses (pdffonts' name column).
QStringList pdfFonts(const QString& pdf);
/// Page numbers of the images the PDF holds (pdfimages -list), one per image.
QList<int> pdfImagePages(const QString& pdf);
/// Page `page` drawn at `dpi` (pdftoppm).
QImage pdfPage(const QString& pdf, int page, int dpi);
/// How many pixels are clearly coloured (not white, grey or black).
int colouredPixels(const QImage& image);
