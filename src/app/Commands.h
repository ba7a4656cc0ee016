#pragma once

class QApplication;

/// True for the first arguments that name a command needing no display.
bool isHeadlessCommand(const char* name);
/// Runs a headless command: `splmap COMMAND ARGS...`; returns the exit code.
int runHeadless(int argc, char** argv);
/// True when a window can be shown (a display, or a platform chosen explicitly).
bool hasDisplay();
/// Opens the main window, with the project named on the command line if any.
int runWindow(QApplication& app);
