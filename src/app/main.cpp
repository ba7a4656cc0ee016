// splmap: opens the main window, or runs one of the headless commands.

#include "app/Commands.h"

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

/// Prints `text` on standard output; 0, or 2 with the reason when it cannot.
int print(const QString& text)
{
    if (std::fputs(text.toLocal8Bit().constData(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "splmap: standard output: %s\n", std::strerror(errno));
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        return print(helpText());
    }
    if (argc >= 2 && (!std::strcmp(argv[1], "--version") || !std::strcmp(argv[1], "-v"))) {
        return print(versionText());
    }
    if (argc >= 2 && isHeadlessCommand(argv[1]))
        return runHeadless(argc, argv);
    if (isUnknownCommand(argc, argv)) {
        std::fputs(unknownCommandText(argv[1]).toLocal8Bit().constData(), stderr);
        return 2;
    }

    if (!hasDisplay()) {
        std::fprintf(stderr, "splmap: no display found (set DISPLAY or WAYLAND_DISPLAY to open the "
                             "main window)\n");
        return 1;
    }
    QApplication app(argc, argv);
    return runWindow(app);
}
