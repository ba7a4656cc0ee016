#include "app/GridCommand.h"

#include "i18n/Languages.h"
#include "project/ProjectDocument.h"
#include "spl/Calculation.h"
#include "spl/Grid.h"
#include "spl/GridOutput.h"
#include "spl/RequestFromProject.h"
#include "spl/Resolution.h"

#include <QFile>
#include <QLocale>

namespace {

const char kUsage[] = "usage: splmap grid PROJECT.ini [--freq HZ] [--res M] [--cells FILE.csv]";

int fail(QIODevice& err, const QString& why)
{
    err.write(("splmap grid: " + why.simplified() + "\n").toUtf8());
    return 2;
}

} // namespace

int runGrid(const QStringList& args, QIODevice& out, QIODevice& err)
{
    return runGrid(args, out, err, defaultLanguagesDir());
}

int runGrid(const QStringList& args, QIODevice& out, QIODevice& err, const QString& languagesDir)
{
    QString project, freqText = QStringLiteral("100"), cellsPath;
    QString resText = QLocale().toString(0.3);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--freq" || a == "--res" || a == "--cells") {
            if (i + 1 >= args.size())
                return fail(err, a + " needs a value. " + kUsage);
            (a == "--freq" ? freqText : a == "--res" ? resText : cellsPath) = args[++i];
        } else if (project.isEmpty() && !a.startsWith("--")) {
            project = a;
        } else {
            return fail(err, kUsage);
        }
    }
    if (project.isEmpty())
        return fail(err, kUsage);
    bool ok = false;
    const int hz = freqText.toInt(&ok);
    if (!ok || !spl::isBandCentre(hz))
        return fail(err, "the frequency " + freqText +
                             " is not a third-octave band centre from 100 to 10000 Hz");

    // Messages in the user's language, as the window would show them.
    Languages languages(languagesDir);
    try {
        languages.ApplyLanguage(languageId::English);
        languages.ApplyLanguage(userLanguageId());
    } catch (const LanguageError& e) {
        return fail(err, e.description());
    }
    const HeadlessProject loaded = loadHeadless(project);
    if (!loaded.document)
        return fail(err, loaded.error);
    auto message = [&](const char* tag) {
        return languages.GetLabel(QStringLiteral("MsgBox"), QString::fromLatin1(tag));
    };

    const QLocale& locale = loaded.document->locale();
    const QString problem = spl::resolutionProblem(resText, locale);
    if (!problem.isEmpty())
        return fail(err, "resolution " + resText + ": " + message(qPrintable(problem)));

    spl::Request request =
        spl::requestFromDocument(*loaded.document, static_cast<int16_t>(hz), resText);
    request.keepCells = !cellsPath.isEmpty();
    const std::optional<spl::Result> result = spl::calculate(request);
    if (!result)
        return fail(err, message(spl::kGridRefusedTag));

    if (!cellsPath.isEmpty()) {
        QFile cells(cellsPath);
        if (!cells.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(err, cellsPath + ": " + cells.errorString());
        if (!spl::writeCellsCsv(*result, cells))
            return fail(err, cellsPath + ": " + cells.errorString());
    }
    out.write(spl::gridJson(*result));
    out.write("\n");
    return 0;
}
