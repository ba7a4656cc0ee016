#include "i18n/gui/QtTranslations.h"

#include "i18n/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations(QString translationsDir) : m_dir(std::move(translationsDir)) {}

QtTranslations::~QtTranslations()
{
    remove();
}

QString QtTranslations::systemDir()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QString QtTranslations::filePath(int32_t languageId) const
{
    const char* code = nullptr;
    switch (languageId) {
    case languageId::Spanish:
        code = "es";
        break;
    case languageId::German:
        code = "de";
        break;
    default:
        return {};
    }
    return QStringLiteral("%1/qtbase_%2.qm").arg(m_dir, QLatin1String(code));
}

bool QtTranslations::use(int32_t languageId)
{
    remove();
    const QString path = filePath(languageId);
    if (path.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translator = std::move(translator);
    return true;
}

void QtTranslations::remove()
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
}
