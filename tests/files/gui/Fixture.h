#pragma once

#include "i18n/Languages.h"
#include "platform/Messages.h"
#include "project/ProjectDocument.h"
#include "project/gui/Principal.h"

#include <gtest/gtest.h>
#include <memory>

/// The main window over the demo project, never shown on a screen.
class DemoWindow : public ::testing::Test
{
protected:
    DemoWindow()
        : languages(QStringLiteral(SPLMAP_LANGUAGES_DIR)),
          doc(messages,
              [this](const QString& s, const QString& t) { return languages.GetLabel(s, t); }),
          window(doc, languages, languageId::English)
    {
        EXPECT_TRUE(doc.load(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini")));
    }

    Languages languages;
    CapturingSink messages;
    ProjectDocument doc;
    Principal window;
};
