#include "app/ReportCommand.h"
#include "Harness.h"
#include "files/Ini.h"
#include "files/gui/PdfTools.h"
#include "files/gui/ReportPdf.h"
#include "picture/ShownPicture.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Outcome runCommand(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runReport(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

} // namespace

TEST(ReportCommand, RefusesWithOneLineAndNoFile)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    const QString flat = dir.filePath("flat.ini");
    ASSERT_TRUE(QFile::copy(demo, flat));
    for (int n = 1; n <= 12; ++n) // no audience area
        INIwrite(flat, "Default", QStringLiteral("Text%1").arg(n), "0");
    const std::pair<QStringList, const char*> cases[] = {
        {{demo}, "--out"},
        {{demo, "--out"}, "usage"},
        {{demo, "--freq", "1001", "--out", pdf}, "1001"},
        {{demo, "--style", "dots", "--out", pdf}, "dots"},
        {{demo, "--no-map", "--res", "2", "--out", pdf}, "too high"},
        {{flat, "--out", pdf}, "No audience area"},
        {{demo, "--out", dir.filePath("missing/report.pdf")}, "missing/report.pdf"},
        {{demo, "--no-map", "--out", dir.path()}, ""}};
    for (const auto& [args, reason] : cases) {
        const Outcome r = runCommand(args);
        EXPECT_TRUE(r.code == 2 && r.out.isEmpty() && r.err.count('\n') == 1 &&
                    r.err.startsWith("splmap report: ") && r.err.contains(reason))
            << args.join(' ').toStdString() << ": " << r.err.constData();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"flat.ini"}));
}

// The command writes what Export Report writes from the windows, before and
// after CALCULATE (with the box-by-box model), and makes no widget.
TEST(ReportCommand, WritesTheWindowsExport)
{
    Program program;
    Windows& windows = program.windows;
    ASSERT_TRUE(windows.principal().loadProject(demo));
    QTemporaryDir dir;
    for (const bool withMap : {false, true}) {
        SCOPED_TRACE(withMap);
        if (withMap) {
            ASSERT_TRUE(windows.document().requestSplWindow());
            windows.splWindow().showSettings({1250, windows.splWindow().resolutionText(),
                                              spl::MapStyle::Distribution,
                                              spl::LevelModelKind::Coherent});
            windows.calculateMap();
        }
        const QString fromWindow = dir.filePath("window.pdf");
        const QString fromCommand = dir.filePath("command.pdf");
        ASSERT_EQ(report::exportPdf(fromWindow, windows.document(),
                                    windows.principal().shownPicture().value(), program.languages),
                  "");
        const qsizetype widgets = QApplication::allWidgets().size();
        QStringList args{demo, "--freq", "1250", "--out", fromCommand};
        args << (withMap ? QStringList{"--model", "coherent"} : QStringList{"--no-map"});
        const Outcome r = runCommand(args);
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty() && r.out.isEmpty());
        EXPECT_EQ(QApplication::allWidgets().size(), widgets);

        const QString text = pdfText(fromCommand, true);
        EXPECT_EQ(text.count('\f'), withMap ? 2 : 1);
        EXPECT_EQ(text.contains("Box by box"), withMap);
        EXPECT_EQ(text, pdfText(fromWindow, true));
        for (int page = 1; page <= text.count('\f'); ++page)
            EXPECT_EQ(pdfPage(fromCommand, page, 50), pdfPage(fromWindow, page, 50)) << page;
    }
}

// A band average's map page says its range and weighting, in the facts and
// in the legend, instead of a band.
TEST(ReportCommand, SaysTheBandsOfABandAverage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bands.pdf");
    for (const auto& [weighting, shown] :
         {std::pair{"a", "125–8000 Hz (A)"}, std::pair{"flat", "125–8000 Hz (Flat)"}}) {
        const Outcome r = runCommand({demo, "--bands", "125-8000", "--weighting", weighting,
                                      "--style", "cells", "--out", path});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        const QString text = pdfText(path).simplified();
        for (const QString& e :
             QStringList{"Bands (power average) 125–8000 Hz", "Level >130dB " + QString(shown)})
            EXPECT_TRUE(text.contains(e)) << e.toStdString() << " in " << text.toStdString();
        EXPECT_FALSE(text.contains("Frequency (1/3 octave)"));
    }
}
