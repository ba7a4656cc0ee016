#include "i18n/Languages.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Recorder : public iLanguage
{
public:
    Recorder(QString name, QStringList& log) : m_name(std::move(name)), m_log(log) {}
    void Updated() override
    {
        m_log << m_name;
        if (onUpdated)
            onUpdated();
    }
    std::function<void()> onUpdated;

private:
    QString m_name;
    QStringList& m_log;
};

class ApplyingLanguages : public testing::Test
{
protected:
    void SetUp() override
    {
        write(1, "<Labels><A><T>one</T></A></Labels>");
        write(2, "<Labels><A><T>two</T></A></Labels>");
    }
    void write(int32_t id, const QByteArray& content)
    {
        QFile f(QDir(dir.path()).filePath(QString::number(id) + ".xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
    Languages languages{dir.path()};
    QStringList log;
};

} // namespace

TEST_F(ApplyingLanguages, TellsRegisteredWindowsInOrderAfterLoading)
{
    EXPECT_FALSE(languages.hasCurrentLanguage());
    EXPECT_THROW(languages.CurrentLanguage(), LanguageError);
    EXPECT_THROW(languages.GetLabel("A", "T"), LanguageError);

    Recorder a("a", log), b("b", log), c("c", log);
    languages.registerWindow(&b);
    languages.registerWindow(&a);
    languages.registerWindow(&c);
    languages.registerWindow(&b); // keeps its first place
    // Each window sees the new language already loaded.
    b.onUpdated = [&] { log << languages.GetLabel("A", "T"); };

    languages.ApplyLanguage(1);
    ASSERT_TRUE(languages.hasCurrentLanguage());
    EXPECT_EQ(log, QStringList({"b", "one", "a", "c"}));

    log.clear();
    languages.unregisterWindow(&a);
    languages.ApplyLanguage(2);
    EXPECT_EQ(log, QStringList({"b", "two", "c"}));
}

TEST_F(ApplyingLanguages, AFailedLoadTellsNoWindowAndLeavesNoDocument)
{
    Recorder a("a", log);
    languages.registerWindow(&a);
    languages.ApplyLanguage(1);
    log.clear();

    EXPECT_THROW(languages.ApplyLanguage(99), LanguageError);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(languages.CurrentLanguage().isLoaded());
    EXPECT_THROW(languages.GetLabel("A", "T"), LanguageError);
}

TEST_F(ApplyingLanguages, AWindowClosedDuringTheRoundIsNotToldAgain)
{
    Recorder a("a", log), b("b", log), c("c", log);
    languages.registerWindow(&a);
    languages.registerWindow(&b);
    languages.registerWindow(&c);
    // a closes b and opens a new window while it re-labels.
    Recorder d("d", log);
    a.onUpdated = [&] {
        languages.unregisterWindow(&b);
        languages.registerWindow(&d);
    };
    languages.ApplyLanguage(1);
    EXPECT_EQ(log, QStringList({"a", "c"}));

    log.clear();
    languages.ApplyLanguage(1);
    EXPECT_EQ(log, QStringList({"a", "c", "d"}));
}

TEST(UserLanguage, FollowsThePrimaryLanguageOfTheFirstLocaleVariableSet)
{
    const auto idFor = [](QMap<QString, QString> env) {
        return userLanguageId(
            [&](const char* name) { return env.value(QString::fromLatin1(name)); });
    };
    using L = QMap<QString, QString>;

    for (const char* es : {"es", "es_ES.UTF-8", "es_MX", "es_AR.utf8@euro", "ES_es", "es-ES"})
        EXPECT_EQ(idFor({{"LANG", es}}), languageId::Spanish) << es;
    for (const char* de : {"de", "de_DE.UTF-8", "de_AT", "de_CH.ISO-8859-1"})
        EXPECT_EQ(idFor({{"LANG", de}}), languageId::German) << de;
    for (const char* other : {"en_US.UTF-8", "en_GB", "fr_FR.UTF-8", "C", "C.UTF-8", "POSIX", "",
                              "est_EE", "deu", "  "})
        EXPECT_EQ(idFor({{"LANG", other}}), languageId::English) << other;
    EXPECT_EQ(idFor({}), languageId::English);

    // LC_ALL beats LC_MESSAGES beats LANG; an empty one does not count.
    EXPECT_EQ(idFor(L{{"LC_ALL", "de_DE"}, {"LC_MESSAGES", "es_ES"}, {"LANG", "en_US"}}),
              languageId::German);
    EXPECT_EQ(idFor(L{{"LC_ALL", ""}, {"LC_MESSAGES", "es_ES"}, {"LANG", "de_DE"}}),
              languageId::Spanish);
    EXPECT_EQ(idFor(L{{"LC_MESSAGES", ""}, {"LANG", "de_DE"}}), languageId::German);
    // A set variable decides even when it names a language we do not ship.
    EXPECT_EQ(idFor(L{{"LC_ALL", "fr_FR"}, {"LANG", "de_DE"}}), languageId::English);
}
