#include "i18n/Language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A languages folder of its own for each test, with files written on demand.
class LanguageFiles : public testing::Test
{
protected:
    void write(int32_t id, const QByteArray& content)
    {
        QFile f(QDir(dir.path()).filePath(QString::number(id) + ".xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
    clsLanguage lang{dir.path()};
};

void expectError(const std::function<void()>& f, const QString& description)
{
    try {
        f();
        ADD_FAILURE() << "no LanguageError";
    } catch (const LanguageError& e) {
        EXPECT_EQ(e.number(), 0x80040000u);
        EXPECT_EQ(e.description(), description);
        EXPECT_EQ(QString::fromUtf8(e.what()), description);
    }
}

} // namespace

TEST_F(LanguageFiles, FindsTheFirstMatchAtAnyDepthInDocumentOrder)
{
    write(7, R"(<?xml version="1.0"?>
<Labels>
  <Wrap>
    <Sec>
      <Group><Deeper><T>nested</T></Deeper></Group>
      <T>direct</T>
      <U>u-text</U>
    </Sec>
  </Wrap>
  <Sec><T>second section</T><V>only here</V></Sec>
</Labels>)");
    lang.LoadLanguageFile(7);
    EXPECT_EQ(lang.GetLabel("Sec", "T"), "nested");
    EXPECT_EQ(lang.GetLabel("Sec", "U"), "u-text");
    // The first section holding the tag is not the only one searched.
    EXPECT_EQ(lang.GetLabel("Sec", "V"), "only here");
    EXPECT_EQ(lang.GetLabel("Wrap", "T"), "nested");
    EXPECT_EQ(lang.GetLabel("Group", "T"), "nested");
}

TEST_F(LanguageFiles, SectionBoundsTheSearchAndNamesAreCaseSensitive)
{
    write(7, R"(<Labels>
  <A><OK>from A</OK></A>
  <B><OK>from B</OK><Only>b</Only></B>
  <OK>outside</OK>
</Labels>)");
    lang.LoadLanguageFile(7);
    EXPECT_EQ(lang.GetLabel("A", "OK"), "from A");
    EXPECT_EQ(lang.GetLabel("B", "OK"), "from B");
    EXPECT_EQ(lang.GetLabel("A", "Only"), "");
    // The root and a tag are no sections; a section is not its own tag.
    EXPECT_EQ(lang.GetLabel("Labels", "OK"), "");
    EXPECT_EQ(lang.GetLabel("OK", "OK"), "");
    EXPECT_EQ(lang.GetLabel("A", "ok"), "");
    EXPECT_EQ(lang.GetLabel("a", "OK"), "");
}

TEST_F(LanguageFiles, ARootNotNamedLabelsLoadsButFindsNothing)
{
    for (const char* doc : {"<labels><A><OK>x</OK></A></labels>",
                            "<Root><Labels><A><OK>x</OK></A></Labels></Root>"}) {
        write(7, doc);
        lang.LoadLanguageFile(7);
        EXPECT_TRUE(lang.isLoaded());
        EXPECT_EQ(lang.GetLabel("A", "OK"), "") << doc;
    }
}

TEST_F(LanguageFiles, LabelTextIsTheTrimmedTextContent)
{
    write(7, R"(<Labels><A>
  <T>
     Save &amp; <!-- note --><b>quit</b><![CDATA[ <now>]]>
  </T>
  <Empty/>
  <Inner>  two  spaces  </Inner>
</A></Labels>)");
    lang.LoadLanguageFile(7);
    EXPECT_EQ(lang.GetLabel("A", "T"), "Save & quit <now>");
    EXPECT_EQ(lang.GetLabel("A", "Empty"), "");
    EXPECT_EQ(lang.GetLabel("A", "Inner"), "two  spaces");
}

TEST_F(LanguageFiles, NamesThatAreNotXmlNamesFindNothing)
{
    write(7, "<Labels><A><T>t</T><B><T>deep</T></B></A><Z><T>z</T></Z></Labels>");
    lang.LoadLanguageFile(7);
    ASSERT_EQ(lang.GetLabel("A", "T"), "t");
    for (const char* bad :
         {"", "*", "A|//Z", "A//B", "A[2]", "A or 1", "..", "1A", "$tag", "'A'"}) {
        EXPECT_EQ(lang.GetLabel(bad, "T"), "") << bad;
        EXPECT_EQ(lang.GetLabel("A", bad), "") << bad;
    }
}

TEST_F(LanguageFiles, ASecondLoadReplacesTheFirstCompletely)
{
    write(1, "<Labels><A><T>one</T><OnlyInOne>x</OnlyInOne></A></Labels>");
    write(2, "<Labels><A><T>two</T></A></Labels>");
    lang.LoadLanguageFile(1);
    lang.LoadLanguageFile(2);
    EXPECT_EQ(lang.GetLabel("A", "T"), "two");
    EXPECT_EQ(lang.GetLabel("A", "OnlyInOne"), "");
}

TEST_F(LanguageFiles, FailedLoadsLeaveNoDocument)
{
    expectError([this] { lang.GetLabel("A", "T"); }, "Language file not loaded.");

    write(1, "<Labels><A><T>one</T></A></Labels>");
    write(2, "<Labels><A><T>broken</A></Labels>");
    write(3, "");
    lang.LoadLanguageFile(1);

    for (int32_t id : {2, 3, 4}) {
        lang.LoadLanguageFile(1);
        ASSERT_TRUE(lang.isLoaded());
        expectError([&] { lang.LoadLanguageFile(id); }, "Error loading language file.");
        EXPECT_FALSE(lang.isLoaded()) << id;
        expectError([this] { lang.GetLabel("A", "T"); }, "Language file not loaded.");
    }
}
