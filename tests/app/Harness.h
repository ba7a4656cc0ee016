// What the program's tests share: the whole program started in English, and a
// command run with its output and errors captured.
#pragma once

#include "app/Windows.h"
#include "picture/ShownPicture.h"
#include "platform/gui/Surface.h"
#include "project/gui/Principal.h"

#include <QBuffer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

/// The whole program, started in English, with every window made.
struct Program
{
    Languages languages{QStringLiteral(SPLMAP_LANGUAGES_DIR)};
    CapturingSink messages;
    Windows windows{languages, messages, languageId::English};
};

inline const QString demo = QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini");

/// The whole program with its main window shown on the demo project.
class DemoWindowTest : public ::testing::Test, protected Program
{
protected:
    DemoWindowTest()
    {
        main().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main()));
        EXPECT_TRUE(main().loadProject(demo));
    }

    ProjectDocument& doc() { return windows.document(); }
    Principal& main() { return windows.principal(); }
    const Canvas& canvas(int id) { return main().picture(id)->canvas(); }
    Surface& picture44() { return *main().picture(sideview::Picture44); }

    /// CALCULATE of the SPL window holding `settings`; the map must show. The
    /// SPL button keeps the focus, so that a click or a key on the window
    /// leaves no field (which would redraw the side view and wipe the map).
    void calculate(const CalculationSettings& settings)
    {
        auto* button = main().findChild<QPushButton*>("Command2");
        main().activateWindow();
        button->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }));
        ASSERT_TRUE(doc().requestSplWindow());
        windows.splWindow().showSettings(settings);
        windows.calculateMap();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();
        ASSERT_TRUE(main().shownPicture().map());
    }
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
