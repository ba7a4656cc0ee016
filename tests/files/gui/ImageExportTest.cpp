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
    const QString bmp = dir.filePath("window.bmp");
    const QString png = dir.filePath("window.png");
    ASSERT_EQ(imageexport::writeImage(image, bmp, imageexport::formatOf(imageexport::filters()[0])),
              "");
    ASSERT_EQ(imageexport::writeImage(image, png, imageexport::formatOf(imageexport::filters()[1])),
              "");
    EXPECT_TRUE(contents(bmp).startsWith("BM"));
    EXPECT_TRUE(contents(png).startsWith("\x89PNG"));
    const QImage a = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(png).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(a.size(), window.centralWidget()->size());
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, image.convertToFormat(QImage::Format_RGB32));
}

TEST_F(ImageExport, AFailedSaveLeavesTheOldFileAndNoTemporaryOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.bmp");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old picture");
    }
    const QImage image = imageexport::clientArea(window);
    const QString problem = imageexport::writeImage(image, path, "no such format");
    EXPECT_TRUE(problem.startsWith(path + ": ")) << problem.toStdString();
    EXPECT_EQ(contents(path), "the old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"picture.bmp"});

    const QString nowhere = dir.filePath("missing/picture.bmp");
    EXPECT_TRUE(imageexport::writeImage(image, nowhere, "BMP").startsWith(nowhere + ": "));
}
