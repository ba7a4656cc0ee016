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

QImage rgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The options shared with `grid` are refused by their own tests; here, those
// of the picture and its file.
TEST(RenderCommand, RefusesWithOneLineAndNoFile)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png"), flat = dir.filePath("flat.ini");
    ASSERT_TRUE(QFile::copy(demo, flat));
    for (int n = 1; n <= 12; ++n) // no audience area
        INIwrite(flat, "Default", QStringLiteral("Text%1").arg(n), "0");
    const std::pair<QStringList, const char*> cases[] = {
        {{demo}, "--out"},
        {{"--out", png}, "usage"},
        {{demo, "--surface", "Picture2", "--out", png}, "Picture2"},
        {{flat, "--out", png}, "No audience area"},
        {{demo, "--out", dir.filePath("missing/map.png")}, "missing/map.png"},
        {{demo, "--out", dir.path()}, ""}};
    for (const auto& [args, reason] : cases) {
        const Outcome r = render(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(r.err.startsWith("splmap render: ") && r.err.contains(reason))
            << r.err.constData();
    }
    // Nothing was left behind, not even a temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"flat.ini"}));
}

// A device is written through, and a full one named with its reason.
TEST(RenderCommand, WritesThroughADeviceAndNamesWhyItFails)
{
    QTemporaryDir dir;
    const QString null = dir.filePath("null"), full = dir.filePath("full");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "devices cannot be made here";
    EXPECT_EQ(render({demo, "--out", null}).code, 0);
    EXPECT_EQ(render({demo, "--out", full}).err,
              ("splmap render: " + full + ": No space left on device\n").toUtf8());
    EXPECT_FALSE(QFileInfo(null).isFile() || QFileInfo(full).isFile());
}

// The SPL window's CALCULATE on the real windows and the command give the same
// picture on every surface, and the same side view as the window shows.
TEST(RenderCommand, GivesTheSurfacesOfTheWindowPath)
{
    const QString project =
        QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/eight-boxes-three-areas-ts160.ini");
    Program p;
    Principal& w = p.windows.principal();
    w.show();
    ASSERT_TRUE(w.loadProject(project));
    ASSERT_TRUE(p.windows.document().requestSplWindow());
    p.windows.splWindow().frequencia = 2500;
    p.windows.calculateMap();
    ASSERT_TRUE(p.messages.shown.empty()) << p.messages.shown[0].text.toStdString();

    QTemporaryDir dir;
    for (int id : {sideview::Picture1, sideview::Picture33, sideview::Picture44}) {
        const QString name = QStringLiteral("Picture%1").arg(id);
        const QString png = dir.filePath(name + ".png");
        const Outcome r = render({project, "--freq", "2500", "--surface", name, "--out", png});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_EQ(rgb32(QImage(png)), rgb32(w.picture(id)->canvas().image())) << name.toStdString();
    }
    // Without --surface, the side view as the window shows it (replacing a
    // file), drawn with no widget.
    const QString png = dir.filePath("Picture1.png");
    const qsizetype widgets = QApplication::allWidgets().size();
    const Outcome r = render({project, "--freq", "2500", "--out", png});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(rgb32(QImage(png)), rgb32(imageexport::clientArea(w).copy(picture::viewRect())));
}
