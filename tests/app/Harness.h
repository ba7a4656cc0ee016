// What the program's tests share: the whole program started in English, and a
// command run with its output and errors captured.
#pragma once

#include "app/Windows.h"

#include <QBuffer>
#include <gtest/gtest.h>

/// The whole program, started in English, with every window made.
struct Program
{
    Languages languages{QStringLiteral(SPLMAP_LANGUAGES_DIR)};
    CapturingSink messages;
    Windows windows{languages, messages, languageId::English};
};

/// A fixture holding the whole program.
class ProgramTest : public ::testing::Test, protected Program
{
};

/// What a command printed and returned.
struct Outcome
{
    int code;
    QByteArray out, err;
};

/// Runs `command(out, err)` on two buffers.
template <typename Command> Outcome captured(Command command)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = command(out, err);
    return {code, out.data(), err.data()};
}

inline const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");
