// splmap: opens the main window, or runs one of the headless commands.

#include "app/Commands.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (argc >= 2 && (!std::strcmp(argv[1], "--version") || !std::strcmp(argv[1], "-v"))) {
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (argc >= 2 && isHeadlessCommand(argv[1]))
        return runHeadless(argc, argv);

    if (!hasDisplay()) {
        std::fprintf(stderr, "splmap: no display found (set DISPLAY or WAYLAND_DISPLAY to open the "
                             "main window)\n");
        return 1;
    }
    QApplication app(argc, argv);
    return runWindow(app);
}
