#include "files/gui/ImageExport.h"
#include "files/gui/Fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using ImageExport = DemoWindow;

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(ImageExport, TheBitmapHasTheWindowsSizeAndThePngTheSamePixels)
{
    window.show();
    // Without a screen to read, the picture is the client area as the window draws it.
    const QImage image = imageexport::grabWholeWindow(window);
    ASSERT_EQ(image.size(), window.centralWidget()->size());
    EXPECT_EQ(image, imageexport::clientArea(window));

    QTemporaryDir dir;
    const std::pair<const char*, const char*> files[] = {{"window.bmp", "BM"},
                                                         {"window.png", "\x89PNG"}};
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.filePath(files[i].first);
        const char* format = imageexport::formatOf(imageexport::filters()[i]);
        ASSERT_EQ(imageexport::writeImage(image, path, format), "");
        EXPECT_TRUE(contents(path).startsWith(files[i].second)) << files[i].first;
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32),
                  image.convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(ImageExport, AFailedSaveLeavesTheOldFileAndNoTemporaryOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.bmp");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old picture");
    old.close();
    const QImage image = imageexport::clientArea(window);
    const QString problem = imageexport::writeImage(image, path, "no such format");
    EXPECT_TRUE(problem.startsWith(path + ": ")) << problem.toStdString();
    EXPECT_EQ(contents(path), "the old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"picture.bmp"});

    const QString nowhere = dir.filePath("missing/picture.bmp");
    EXPECT_TRUE(imageexport::writeImage(image, nowhere, "BMP").startsWith(nowhere + ": "));
}
