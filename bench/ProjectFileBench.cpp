// A project is loaded by reading its file once and looking the 201 keys up in
// that reading, so even a file swollen with other lines (300,000 of them,
// 3.5 MB) loads in well under a second.

#include "files/Ini.h"
#include "files/ProjectFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void loadSwollenProject(benchmark::State& bench)
{
    const QLocale locale = QLocale::c();
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    ProjectFields fields;
    fields.Combo2 = QStringLiteral("8");
    fields.Combo1 = QStringLiteral("2");
    ProjectState state;
    if (projectfile::save(path, fields, state, locale)) {
        bench.SkipWithError("cannot save the project");
        return;
    }
    // Filler key lines inside the section, before the project's own keys: every
    // one of them is looked at by every lookup.
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray text = f.readAll();
    f.close();
    QByteArray filler;
    for (int i = 0; i < 300000; ++i)
        filler += "k" + QByteArray::number(i) + "=x\r\n";
    text.insert(text.indexOf('\n') + 1, filler);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    bench.counters["bytes"] = static_cast<double>(text.size());

    for (auto _ : bench) {
        ProjectFields loaded;
        ProjectState loadedState;
        const projectfile::LoadResult r = projectfile::load(path, loaded, loadedState, locale);
        if (!r.ok())
            bench.SkipWithError(qPrintable(r.error));
        benchmark::DoNotOptimize(loadedState);
    }
}
BENCHMARK(loadSwollenProject)->Unit(benchmark::kMillisecond);

} // namespace
