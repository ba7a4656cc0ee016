#include "app/RenderCommand.h"
#include "Harness.h"
#include "files/Ini.h"
#include "files/gui/ImageExport.h"
#include "picture/SideViewLayout.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

Outcome render(const QStringList& args)
{
    return captured([&](QIODevice& out, QIODevice& err) {
        return runRender(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    });
}

/// Pixels that differ between two pictures, the alpha channel left out.
int differences(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c)
            n += (x.pixel(c, r) & 0xFFFFFFu) != (y.pixel(c, r) & 0xFFFFFFu);
    return n;
}

} // namespace

TEST(RenderCommand, RefusesWithOneLineAndNoFile)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png");
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString flat = dir.filePath("flat.ini"), tall = dir.filePath("tall.ini");
    ASSERT_TRUE(QFile::copy(demo, flat) && QFile::copy(demo, tall));
    for (int n = 1; n <= 12; ++n) // no audience area
        INIwrite(flat, "Default", QStringLiteral("Text%1").arg(n), "0");
    INIwrite(tall, "Default", "Text13", "3000");
    const std::pair<QStringList, const char*> cases[] = {
        {{demo}, ""},
        {{"--out", png}, ""},
        {{demo, "--out"}, ""},
        {{demo, "--res", "1.01", "--out", png}, "too high"},
        {{demo, "--surface", "Picture2", "--out", png}, "Picture2"},
        {{demo, "--what", "1", "--out", png}, ""},
        {{QStringLiteral("/nonexistent/p.ini"), "--out", png}, ""},
        {{flat, "--out", png}, "No audience area"},
        {{tall, "--res", "0.1", "--out", png}, "too large"},
        // Unwritable outputs: a folder that does not exist, a folder, a file as folder.
        {{demo, "--out", dir.filePath("missing/map.png")}, ""},
        {{demo, "--out", dir.path()}, ""},
        {{demo, "--out", dir.filePath("plain/map.png")}, ""},
        {{demo, "--out", png, "--out", png}, "more than once"},
        {{demo, "--surface", "", "--out", png}, "needs a value"}};
    for (const auto& [args, reason] : cases) {
        const Outcome r = render(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(r.err.startsWith("splmap render: ")) << r.err.constData();
        EXPECT_TRUE(r.err.contains(reason)) << r.err.constData();
    }
    // Nothing was left behind, not even a temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"flat.ini", "plain", "tall.ini"}));
}

TEST(RenderCommand, WritesThroughADeviceAndNamesWhyItFails)
{
    QTemporaryDir dir;
    const QString null = dir.filePath("null"), full = dir.filePath("full");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "devices cannot be made here";
    EXPECT_EQ(render({demo, "--out", null}).code, 0);
    const Outcome r = render({demo, "--out", full});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, ("splmap render: " + full + ": No space left on device\n").toUtf8());
    for (const QString& device : {null, full})
        EXPECT_FALSE(QFileInfo(device).isFile()) << device.toStdString();
}

// The SPL window's CALCULATE on the real windows and the command give the same
// picture on every surface, and the same side view as the window shows.
TEST(RenderCommand, GivesTheSurfacesOfTheWindowPath)
{
    const QString project =
        QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/eight-boxes-three-areas-ts160.ini");
    Program program;
    Windows& windows = program.windows;
    const CapturingSink& messages = program.messages;
    Principal& w = windows.principal();
    w.show();
    ASSERT_TRUE(w.loadProject(project));
    ASSERT_TRUE(windows.document().requestSplWindow());
    windows.splWindow().frequencia = 2500;
    windows.calculateMap();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();

    QTemporaryDir dir;
    for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44}) {
        const QString name = QStringLiteral("Picture%1").arg(id);
        const QString png = dir.filePath(name + ".png");
        const Outcome r = render({project, "--freq", "2500", "--surface", name, "--out", png});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_EQ(differences(QImage(png), w.picture(id)->canvas().image()), 0)
            << name.toStdString();
    }
    // Without --surface, the side view as the window shows it (replacing an
    // existing file), drawn with no widget.
    const QString png = dir.filePath("Picture1.png");
    const qsizetype widgets = QApplication::allWidgets().size();
    const Outcome r = render({project, "--freq", "2500", "--out", png});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    const QImage window = imageexport::clientArea(w).copy(picture::viewRect());
    EXPECT_EQ(QImage(png).size(), window.size());
    EXPECT_EQ(differences(QImage(png), window), 0);
}
