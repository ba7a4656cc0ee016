#include "app/RenderCommand.h"
#include "app/Windows.h"
#include "files/Ini.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int code;
    QByteArray out, err;
};

Outcome render(const QStringList& args)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = runRender(args, out, err, QStringLiteral(SPLMAP_LANGUAGES_DIR));
    return {code, out.data(), err.data()};
}

const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

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

TEST(RenderCommand, RejectsBadArgumentsWithOneLineAndNoFile)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png");
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QStringList& args :
         {QStringList{demo}, QStringList{"--out", png}, QStringList{demo, "--out"},
          QStringList{demo, "--res", "1.01", "--out", png},
          QStringList{demo, "--surface", "Picture2", "--out", png},
          QStringList{demo, "--what", "1", "--out", png},
          QStringList{QStringLiteral("/nonexistent/p.ini"), "--out", png},
          // Unwritable outputs: a folder that does not exist, a folder, a file as folder.
          QStringList{demo, "--out", dir.filePath("missing/map.png")},
          QStringList{demo, "--out", dir.path()},
          QStringList{demo, "--out", dir.filePath("plain/map.png")}}) {
        const Outcome r = render(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(r.err.startsWith("splmap render: ")) << r.err.constData();
    }
    EXPECT_TRUE(render({demo, "--surface", "Picture2", "--out", png}).err.contains("Picture2"));
    EXPECT_TRUE(render({demo, "--res", "1.01", "--out", png}).err.contains("too high"));
    // Nothing was left behind, not even a temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

TEST(RenderCommand, RefusesAProjectWithoutAudienceOrWithATooLargeGrid)
{
    QTemporaryDir dir;
    const QString flat = dir.filePath("no-audience.ini");
    ASSERT_TRUE(QFile::copy(demo, flat));
    for (int n = 1; n <= 12; ++n)
        INIwrite(flat, "Default", QStringLiteral("Text%1").arg(n), "0");
    const QString tall = dir.filePath("tall.ini");
    ASSERT_TRUE(QFile::copy(demo, tall));
    INIwrite(tall, "Default", "Text13", "3000");

    const QString png = dir.filePath("map.png");
    const Outcome noAudience = render({flat, "--out", png});
    EXPECT_EQ(noAudience.code, 2);
    EXPECT_TRUE(noAudience.err.contains("No audience area")) << noAudience.err.constData();
    const Outcome tooLarge = render({tall, "--res", "0.1", "--out", png});
    EXPECT_EQ(tooLarge.code, 2);
    EXPECT_TRUE(tooLarge.err.contains("too large")) << tooLarge.err.constData();
    EXPECT_FALSE(QFile::exists(png));
}

TEST(RenderCommand, WritesTheClientAreaOrOneWholeSurface)
{
    QTemporaryDir dir;
    const QString client = dir.filePath("client.png");
    Outcome r = render({demo, "--freq", "1000", "--out", client});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(QImage(client).size(), QSize(805, 617));
    // An existing file is replaced by one surface.
    r = render({demo, "--surface", "Picture1", "--out", client});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QImage(client).size(), QSize(633, 289));
}

// The SPL window's CALCULATE on the real windows and the command give the same
// picture on every surface, and the client area shows the surfaces' pictures.
TEST(RenderCommand, GivesTheSurfacesOfTheWindowPath)
{
    const QString project =
        QStringLiteral(SPLMAP_TEST_PROJECTS_DIR "/eight-boxes-three-areas-ts160.ini");
    Languages languages(QStringLiteral(SPLMAP_LANGUAGES_DIR));
    CapturingSink messages;
    Windows windows(languages, messages, languageId::English);
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
    const QString png = dir.filePath("client.png");
    ASSERT_EQ(render({project, "--freq", "2500", "--out", png}).code, 0);
    const QImage client(png);
    const Surface& p44 = *w.picture(sideview::Picture44);
    // Picture44 lies on top; its visible part starts at the top of the client area.
    const QPoint at = p44.mapTo(w.centralWidget(), p44.contentsRect().topLeft());
    const QImage& picture = p44.canvas().image();
    for (QPoint p : {QPoint(400, 300), QPoint(100, 250), QPoint(500, 450)})
        EXPECT_EQ(client.pixel(at + p) & 0xFFFFFFu, picture.pixel(p) & 0xFFFFFFu)
            << p.x() << "," << p.y();
}
