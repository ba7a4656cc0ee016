#include "files/gui/ImageExport.h"
#include "files/Bytes.h"
#include "project/gui/MainWindowFixture.h"

#include <QTemporaryDir>

using ImageExport = MainWindowTest;

// The picture has the window's size, and each filter's file its format (the PNG
// encoder's pixels are its own test's).
TEST_F(ImageExport, ThePictureHasTheWindowsSizeAndEachFiltersFormat)
{
    ASSERT_TRUE(loadDemo());
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
    }
}
