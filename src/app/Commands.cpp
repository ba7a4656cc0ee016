#include "app/Commands.h"

#include "app/GeometryCommand.h"
#include "app/GridCommand.h"
#include "app/IniCommands.h"
#include "app/RenderCommand.h"
#include "app/ReportCommand.h"
#include "app/Windows.h"
#include "i18n/Languages.h"
#include "platform/gui/DialogSink.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Command
{
    const char* name;
    int (*run)(const QStringList& args, QIODevice& out, QIODevice& err);
    bool needsGui;         ///< paints with the GUI module (fonts, images) off-screen
    bool bytes;            ///< arguments after the file name are bytes, not text
    const char* arguments; ///< for the help
    const char* summary;   ///< for the help
};

// clang-format off
const Command kCommands[] = {
    {"ini-read", runIniRead, false, true, "FILE SECTION KEY",
     "print the value of KEY in SECTION of an INI file"},
    {"ini-write", runIniWrite, false, true, "FILE SECTION KEY VALUE",
     "write VALUE under KEY in SECTION of an INI file"},
    {"geometry", runGeometry, false, false, "PROJECT.ini",
     "print the side view's geometry as JSON"},
    {"grid", runGrid, false, false, "PROJECT.ini [--freq HZ] [--res M] [--cells FILE.csv]",
     "print the SPL calculation as JSON (band centre HZ, default 100; resolution M, default 0.3)"},
    {"render", runRender, true, false,
     "PROJECT.ini [--freq HZ] [--res M] [--surface NAME] [--style cells|distribution] --out FILE.png",
     "write the side view with the project's SPL map as a PNG"},
    {"report", runReport, true, false,
     "PROJECT.ini --out FILE.pdf [--freq HZ] [--res M] [--style cells|distribution] [--no-map]",
     "write the project report as a PDF, with the SPL map unless --no-map is given"},
};
// clang-format on

const Command* findCommand(const char* name)
{
    for (const Command& c : kCommands)
        if (std::strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}

/// Headless commands promise one line on stderr when they fail, so Qt's own
/// notes (about the runtime folder, fonts, ...) are left out; its errors are not.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

QString helpText()
{
    QString text = QStringLiteral(
        "Usage: splmap [PROJECT.ini]\n"
        "       splmap COMMAND ARGUMENTS...\n"
        "\n"
        "SPL Mapping Software: designs a vertical line array of loudspeaker boxes and maps\n"
        "the sound pressure level it gives its audience. Without a command it opens the main\n"
        "window, with PROJECT.ini loaded when one is given.\n"
        "\n"
        "Commands that need no display (a failing one prints one line on stderr and exits\n"
        "with status 2):\n");
    for (const Command& c : kCommands)
        text +=
            QStringLiteral("  splmap %1 %2\n      %3\n")
                .arg(QLatin1String(c.name), QLatin1String(c.arguments), QLatin1String(c.summary));
    text += QStringLiteral("\n"
                           "Options:\n"
                           "  -h, --help     print this help and exit\n"
                           "  -v, --version  print the version and exit\n");
    return text;
}

QString versionText()
{
    return QStringLiteral("splmap " SPLMAP_VERSION "\n");
}

bool isHeadlessCommand(const char* name)
{
    return findCommand(name) != nullptr;
}

int runHeadless(int argc, char** argv)
{
    const Command* command = findCommand(argv[1]);
    qInstallMessageHandler(quietHandler);
    std::unique_ptr<QCoreApplication> app;
    // Qt sees the program's name only, so that it takes none of the command's
    // arguments for its own options (render's --style is one of Qt's too).
    static int appArgc = 1;
    if (command->needsGui) {
        // Pictures are drawn off-screen whatever display the caller has.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(appArgc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(appArgc, argv);
    }
    // The first argument is a file name; the others are text, or bytes kept as they are.
    QStringList args;
    for (int i = 2; i < argc; ++i)
        args << (i > 2 && command->bytes ? QString::fromLatin1(argv[i])
                                         : QFile::decodeName(argv[i]));
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return command->run(args, out, err);
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int runWindow(QApplication& app)
{
    Languages languages(defaultLanguagesDir());
    DialogSink messages;
    std::unique_ptr<Windows> windows;
    try {
        windows = std::make_unique<Windows>(languages, messages, userLanguageId());
    } catch (const LanguageError& e) {
        QMessageBox::critical(nullptr, QString(), e.description());
        return 1;
    }
    Principal& principal = windows->principal();
    messages.setOwner(&principal);
    principal.show();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 2)
        principal.loadProject(args.at(1));
    return app.exec();
}
