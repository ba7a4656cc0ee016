#include "i18n/Languages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

Languages::Languages(QString languagesDir) : m_dir(std::move(languagesDir)) {}

void Languages::ApplyLanguage(int32_t LanguageID)
{
    if (!m_current)
        m_current = std::make_unique<clsLanguage>(m_dir);
    m_current->LoadLanguageFile(LanguageID);

    // A window may open or close others while it re-labels itself: work on the
    // list as it was, skipping any window that left meanwhile.
    const std::vector<iLanguage*> windows = m_windows;
    for (iLanguage* w : windows) {
        if (std::find(m_windows.begin(), m_windows.end(), w) != m_windows.end())
            w->Updated();
    }
}

clsLanguage& Languages::CurrentLanguage()
{
    if (!m_current)
        throw LanguageError(QStringLiteral("Language file not loaded."));
    return *m_current;
}

const clsLanguage& Languages::CurrentLanguage() const
{
    if (!m_current)
        throw LanguageError(QStringLiteral("Language file not loaded."));
    return *m_current;
}

QString Languages::GetLabel(const QString& Section, const QString& Tag) const
{
    return CurrentLanguage().GetLabel(Section, Tag);
}

void Languages::registerWindow(iLanguage* window)
{
    if (window && std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end())
        m_windows.push_back(window);
}

void Languages::unregisterWindow(iLanguage* window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

QString defaultLanguagesDir()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath(QStringLiteral("Languages"));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral(SPLMAP_LANGUAGES_FROM_PROGRAM)));
}

int32_t userLanguageId(const EnvironmentLookup& environment)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name).trimmed();
        if (!locale.isEmpty())
            break;
    }

    // "es_MX.UTF-8@euro": the primary language is what comes before the
    // territory, codeset and modifier.
    qsizetype end = 0;
    while (end < locale.size() && locale[end].isLetter())
        ++end;
    const QString primary = locale.left(end).toLower();

    if (primary == QLatin1String("es"))
        return languageId::Spanish;
    if (primary == QLatin1String("de"))
        return languageId::German;
    return languageId::English;
}

int32_t userLanguageId()
{
    return userLanguageId([](const char* name) { return qEnvironmentVariable(name); });
}
