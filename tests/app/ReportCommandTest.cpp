#include "CommandTools.h"
#include "files/gui/PdfTools.h"
#include "files/gui/ReportPdf.h"
#include "picture/ShownPicture.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The command writes what Export Report writes from the windows, before and
// after CALCULATE with the options' settings, and makes no widget; a band
// average's map page says its range and weighting instead of a band.
TEST(ReportCommand, WritesTheWindowsExport)
{
    using spl::LevelModelKind, spl::MapStyle, spl::Weighting;
    const spl::BandRange aWeighted{125, 8000, Weighting::A}, flat{1000, 1250};
    const std::tuple<QStringList, std::optional<CalculationSettings>, QStringList> cases[] = {
        {{"--freq", "1250", "--no-map"}, std::nullopt, {}},
        {{"--bands", "125-8000", "--weighting", "a", "--style", "cells"},
         CalculationSettings{100, "0.3", MapStyle::Cells, LevelModelKind::Classic, aWeighted},
         {"Bands (power average) 125–8000 Hz", "Level >130dB 125–8000 Hz (A)"}},
        {{"--bands", "1000-1250", "--model", "coherent"},
         CalculationSettings{100, "0.3", MapStyle::Distribution, LevelModelKind::Coherent, flat},
         {"Box by box", "Level >130dB 1000–1250 Hz (Flat)"}},
    };
    QTemporaryDir dir;
    const QString fromWindow = dir.filePath("window.pdf"),
                  fromCommand = dir.filePath("command.pdf");
    for (const auto& [options, settings, says] : cases) {
        SCOPED_TRACE(options.join(' ').toStdString());
        Program program;
        Windows& windows = program.windows;
        ASSERT_TRUE(windows.principal().loadProject(demo));
        if (settings) {
            ASSERT_TRUE(windows.document().requestSplWindow());
            windows.splWindow().showSettings(*settings);
            windows.calculateMap();
        }
        ASSERT_EQ(report::exportPdf(fromWindow, windows.document(),
                                    windows.principal().shownPicture().value(), program.languages),
                  "");
        const qsizetype widgets = QApplication::allWidgets().size();
        const Outcome r = command("report", QStringList{demo, "--out", fromCommand} + options);
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty() && r.out.isEmpty());
        EXPECT_EQ(QApplication::allWidgets().size(), widgets);

        const QString text = pdfText(fromCommand, true);
        EXPECT_EQ(text.count('\f'), settings ? 2 : 1);
        EXPECT_EQ(text, pdfText(fromWindow, true));
        for (int page = 1; page <= text.count('\f'); ++page)
            EXPECT_EQ(pdfPage(fromCommand, page, 50), pdfPage(fromWindow, page, 50)) << page;
        const QString words = pdfText(fromCommand).simplified();
        for (const QString& e : says)
            EXPECT_TRUE(words.contains(e)) << e.toStdString() << " in " << words.toStdString();
        EXPECT_FALSE(words.contains("Frequency (1/3 octave)"));
    }
}
