#include "app/Commands.h"

#include "app/AutosplayCommand.h"
#include "app/GeometryCommand.h"
#include "app/GridCommand.h"
#include "app/IniCommands.h"
#include "app/RenderCommand.h"
#include "app/ReportCommand.h"
#include "app/ResponseCommand.h"
#include "app/Windows.h"
#include "i18n/Languages.h"
#include "platform/gui/DialogSink.h"
#include "project/gui/Principal.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSemaphore>
#include <QThreadPool>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <unistd.h>

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
    {"grid", runGrid, false, false,
     "PROJECT.ini [--freq HZ] [--res M] [--model classic|coherent] [--bands LO-HI [--weighting flat|a]] [--cells FILE.csv]",
     "print the SPL calculation as JSON (band centre HZ, default 100, or the power average of the\n"
     "      bands LO to HI, flat or A-weighted; resolution M, default 0.3)"},
    {"render", runRender, true, false,
     "PROJECT.ini [--freq HZ] [--res M] [--surface NAME] [--style cells|distribution] [--model classic|coherent] [--bands LO-HI [--weighting flat|a]] --out FILE.png",
     "write the side view with the project's SPL map as a PNG"},
    {"report", runReport, true, false,
     "PROJECT.ini --out FILE.pdf [--freq HZ] [--res M] [--style cells|distribution] [--model classic|coherent] [--bands LO-HI [--weighting flat|a]] [--no-map]",
     "write the project report as a PDF, with the SPL map unless --no-map is given"},
    {"autosplay", runAutosplay, false, false,
     "PROJECT.ini [--bands LO-HI] [--slope S] [--height H] [--min-splay A] [--keep-tilt] [--out NEW.ini]",
     "propose the splay angles that keep the level even along the audience areas (JSON)"},
    {"spectrum", runResponse, false, false,
     "PROJECT.ini --at X,Y [--model classic|coherent] [--res M]",
     "print the level in every band at the point X,Y (m) as JSON, with its flat and A-weighted\n"
     "      averages (the classic map at resolution M, default 0.3)"},
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

/// Qt converts and scales large pictures on the threads of its global pool and
/// waits for them; a thread that cannot start once memory runs short would be
/// waited for for ever. So the pool starts its one thread now, while there is
/// room, and keeps it. False when even that thread cannot start.
bool keepOnePoolThread()
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setExpiryTimeout(-1);
    pool->setMaxThreadCount(1);
    auto ran = std::make_shared<QSemaphore>();
    pool->start([ran] { ran->release(); });
    return ran->tryAcquire(1, 10000);
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

bool isUnknownCommand(int argc, char** argv)
{
    if (argc < 2 || isHeadlessCommand(argv[1]))
        return false;
    // The window takes one project file; anything else must have been meant
    // as a command. So must a lone word that names no file.
    const QString first = QFile::decodeName(argv[1]);
    return argc > 2 || first.startsWith(u'-') ||
           (!first.contains(u'.') && !first.contains(u'/') && !QFile::exists(first));
}

QString unknownCommandText(const char* name)
{
    QStringList names;
    for (const Command& c : kCommands)
        names << QLatin1String(c.name);
    return QStringLiteral("splmap: unknown command %1 (the commands are %2; splmap --help "
                          "tells more)\n")
        .arg(QFile::decodeName(name), names.join(QStringLiteral(", ")));
}

int finishCommand(const char* name, const std::function<int()>& run, const QFileDevice& out,
                  QIODevice& err)
{
    const auto fail = [&](const QString& why) {
        err.write(QStringLiteral("splmap %1: %2\n").arg(QLatin1String(name), why).toLocal8Bit());
        return 2;
    };
    int code = 0;
    try {
        code = run();
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("not enough memory"));
    } catch (const std::system_error& e) {
        // A thread that could not start: the system is out of memory or of threads.
        return fail(e.code() == std::errc::resource_unavailable_try_again ||
                            e.code() == std::errc::not_enough_memory
                        ? QStringLiteral("not enough memory")
                        : QString::fromLocal8Bit(e.what()));
    }
    if (code == 0 && out.error() != QFileDevice::NoError)
        return fail(QStringLiteral("standard output: ") + out.errorString());
    return code;
}

int runHeadless(int argc, char** argv)
{
    const Command* command = findCommand(argv[1]);
    qInstallMessageHandler(quietHandler);
    // Past a file size limit a write fails with its reason, rather than the
    // program being stopped half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    QFile out;
    QFile err;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const auto run = [&] {
        // Qt sees the program's name only, so that it takes none of the command's
        // arguments for its own options (render's --style is one of Qt's too).
        static int appArgc = 1;
        std::unique_ptr<QCoreApplication> app;
        if (command->needsGui) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QApplication>(appArgc, argv);
            if (!keepOnePoolThread()) {
                std::fprintf(stderr, "splmap %s: not enough memory\n", command->name);
                std::_Exit(2); // the pool would wait at the end for the thread that never came
            }
        } else {
            app = std::make_unique<QCoreApplication>(appArgc, argv);
        }
        // The first argument is a file name; the others are text, or bytes kept as they are.
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << (i > 2 && command->bytes ? QString::fromLatin1(argv[i])
                                             : QFile::decodeName(argv[i]));
        return command->run(args, out, err);
    };
    return finishCommand(command->name, run, out, err);
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
