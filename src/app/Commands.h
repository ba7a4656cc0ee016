#pragma once

#include <QString>

class QApplication;

/// What `splmap --help` prints: how to start the program and every headless command.
QString helpText();
/// What `splmap --version` prints: the program's name and version, one line.
QString versionText();

/// True for the first arguments that name a command needing no display.
bool isHeadlessCommand(const char* name);
/// Runs a headless command: `splmap COMMAND ARGS...`; returns the exit code.
int runHeadless(int argc, char** argv);
/// True when a window can be shown (a display, or a platform chosen explicitly).
bool hasDisplay();
/// Opens the main window, with the project named on the command line if any.
int runWindow(QApplication& app);
