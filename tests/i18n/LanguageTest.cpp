#include "i18n/Languages.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LanguageFiles : public testing::Test
{
protected:
    LanguageFiles()
    {
        write(1, "<Labels><A><T>one</T><OnlyInOne>x</OnlyInOne></A></Labels>");
        write(2, "<Labels><A><T>broken</A></Labels>");
    }
    void write(int32_t id, const QByteArray& content)
    {
        QFile f(QDir(dir.path()).filePath(QString::number(id) + ".xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir dir;
    clsLanguage lang{dir.path()};
};

struct Recorder : iLanguage
{
    Recorder(QString name, QStringList& log) : name(std::move(name)), log(log) {}
    void Updated() override { log << name; }
    QString name;
    QStringList& log;
};

} // namespace

// The first tag in document order within the section, in the last file loaded,
// whose root is Labels. A file that cannot be read (2 malformed, 5 missing)
// leaves no language to look up, as before the first load.
TEST_F(LanguageFiles, FindsTheFirstTagInDocumentOrderWithinTheSectionOfTheLastFileRead)
{
    write(7, "<Labels><Wrap><Sec><Group><T>nested</T></Group><T>direct</T></Sec></Wrap><Sec>"
             "<T>2nd</T><V>only here</V></Sec><Other><U>other</U></Other><U>out</U></Labels>");
    write(3, "<Labels><A><T>three</T></A></Labels>");
    write(4, "<labels><A><T>four</T></A></labels>");
    const std::tuple<int32_t, const char*, const char*, const char*> lookups[] = {
        {7, "Sec", "T", "nested"}, {7, "Sec", "V", "only here"},
        {7, "Sec", "U", ""},       {7, "sec", "T", ""},
        {7, "*", "U", ""},         {7, "Sec|//Other", "U", ""},
        {3, "A", "T", "three"},    {3, "A", "OnlyInOne", ""},
        {4, "A", "T", ""},         {2, "A", "T", nullptr},
        {3, "A", "T", "three"},    {5, "A", "T", nullptr}};
    EXPECT_THROW(lang.GetLabel("A", "T"), LanguageError);
    lang.LoadLanguageFile(1);
    for (const auto& [id, section, tag, text] : lookups) {
        if (!text) {
            EXPECT_THROW(lang.LoadLanguageFile(id), LanguageError) << id;
            EXPECT_THROW(lang.GetLabel(section, tag), LanguageError) << id;
            continue;
        }
        lang.LoadLanguageFile(id);
        EXPECT_EQ(lang.GetLabel(section, tag), text) << id << " " << section << "/" << tag;
    }
}

TEST_F(LanguageFiles, ApplyingTellsRegisteredWindowsInOrderOnlyAfterASuccessfulLoad)
{
    Languages languages(dir.path());
    QStringList log;
    Recorder a("a", log), b("b", log), c("c", log);
    for (Recorder* r : {&b, &a, &c, &b}) // b keeps its first place
        languages.registerWindow(r);
    languages.ApplyLanguage(1);
    EXPECT_EQ(log, QStringList({"b", "a", "c"}));
    languages.unregisterWindow(&a);
    EXPECT_THROW(languages.ApplyLanguage(99), LanguageError);
    languages.ApplyLanguage(1);
    EXPECT_EQ(log, QStringList({"b", "a", "c", "b", "c"}));
}

TEST(UserLanguage, FollowsThePrimaryLanguageOfTheFirstLocaleVariableSet)
{
    const auto idFor = [](QMap<QString, QString> env) {
        return userLanguageId([&](const char* name) { return env.value(name); });
    };
    using namespace languageId;
    EXPECT_EQ(idFor({{"LANG", "es_ES.UTF-8"}}), Spanish);
    EXPECT_EQ(idFor({{"LANG", "ES_es"}}), Spanish);
    EXPECT_EQ(idFor({{"LANG", "de"}}), German);
    for (const char* other : {"en_US.UTF-8", "C", "deu", "est_EE"})
        EXPECT_EQ(idFor({{"LANG", other}}), English) << other;
    EXPECT_EQ(idFor({}), English);
    // LC_ALL beats LC_MESSAGES beats LANG; an empty one does not count.
    EXPECT_EQ(idFor({{"LC_ALL", "de"}, {"LC_MESSAGES", "es"}, {"LANG", "en"}}), German);
    EXPECT_EQ(idFor({{"LC_ALL", ""}, {"LC_MESSAGES", "es"}, {"LANG", "de"}}), Spanish);
    EXPECT_EQ(idFor({{"LC_ALL", "fr_FR"}, {"LANG", "de"}}), English);
}
