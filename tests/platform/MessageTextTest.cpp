#include "platform/MessageText.h"

#include <gtest/gtest.h>

using namespace messagetext;

TEST(MessageText, QuotedValuesAreShortAndUnambiguous)
{
    EXPECT_EQ(quoted(""), "\"\"");
    EXPECT_EQ(quoted("say \"x\\y\"\n"), "\"say \\\"x\\\\y\\\"\\n\"");
    // Control characters, C1 ones too, are escaped; other Latin-1 letters are not.
    EXPECT_EQ(quoted(QString::fromLatin1("\x1b\x7f\x85\t\xE9")),
              QString::fromLatin1("\"\\x1b\\x7f\\x85\\t\xE9\""));
    const QString sixty(60, u'x');
    EXPECT_EQ(quoted(sixty), '"' + sixty + '"');
    EXPECT_EQ(quoted(sixty + "yz"), '"' + sixty + "...\" (62 characters)");
    EXPECT_EQ(quoted(QString(1 << 20, u'7'), 3), "\"777...\" (1048576 characters)");
    // A character of two UTF-16 units is never cut in half.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    EXPECT_EQ(quoted("ab" + clef + "c", 3), "\"ab...\" (5 characters)");
    EXPECT_EQ(quoted("ab" + clef + "c", 4), "\"ab" + clef + "...\" (5 characters)");
}
