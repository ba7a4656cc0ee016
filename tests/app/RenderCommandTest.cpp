#include "CommandTools.h"
#include "files/gui/ImageExport.h"
#include "picture/SideViewLayout.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
        const Outcome r =
            command("render", {project, "--freq", "2500", "--surface", name, "--out", png});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
                  w.picture(id)->canvas().image().convertToFormat(QImage::Format_RGB32))
            << name.toStdString();
    }
    // Without --surface, the side view as the window shows it (replacing a
    // file), drawn with no widget.
    const QString png = dir.filePath("Picture1.png");
    const qsizetype widgets = QApplication::allWidgets().size();
    const Outcome r = command("render", {project, "--freq", "2500", "--out", png});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(
        QImage(png).convertToFormat(QImage::Format_RGB32),
        imageexport::clientArea(w).copy(picture::viewRect()).convertToFormat(QImage::Format_RGB32));
}
