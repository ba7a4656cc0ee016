#pragma once

#include <QFileDevice>
#include <QString>

#include <functional>

class QApplication;

/// What `splmap --help` prints: how to start the program and every headless command.
QString helpText();
/// What `splmap --version` prints: the program's name and version, one line.
QString versionText();

/// True for the first arguments that name a command needing no display.
bool isHeadlessCommand(const char* name);
/// True when the arguments cannot be meant for the window (which takes one
/// project file) and name no command: a misspelt command or an unknown option.
bool isUnknownCommand(int argc, char** argv);
/// The one line that says so, with the commands there are.
QString unknownCommandText(const char* name);
/// Runs a command's body and turns its end into the exit code: out of memory
/// or threads, or a failed write to `out` (its reason named), is one line on
/// `err` and 2; otherwise the body's code.
int finishCommand(const char* name, const std::function<int()>& run, const QFileDevice& out,
                  QIODevice& err);
/// Runs a headless command: `splmap COMMAND ARGS...`; returns the exit code.
int runHeadless(int argc, char** argv);
/// True when a window can be shown (a display, or a platform chosen explicitly).
bool hasDisplay();
/// Opens the main window, with the project named on the command line if any.
int runWindow(QApplication& app);
