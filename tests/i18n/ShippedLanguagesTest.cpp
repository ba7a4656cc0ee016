#include "i18n/Language.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

/// Every "Section/Tag" of a language file that holds a text.
QSet<QString> labelsOf(int32_t id)
{
    QFile f(QStringLiteral(SPLMAP_LANGUAGES_DIR "/%1.xml").arg(id));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << id;
    QXmlStreamReader xml(&f);
    QSet<QString> labels;
    xml.readNextStartElement(); // the root
    while (xml.readNextStartElement()) {
        const QString section = xml.name().toString();
        while (xml.readNextStartElement())
            if (!xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().isEmpty())
                labels << section + "/" + xml.name().toString();
    }
    EXPECT_FALSE(xml.hasError()) << id << ": " << xml.errorString().toStdString();
    return labels;
}

} // namespace

// A translation holds every label the English file holds and no other.
TEST(ShippedLanguages, HoldTheLabelsOfTheEnglishFile)
{
    const QSet<QString> english = labelsOf(languageId::English);
    for (int32_t id : {languageId::Spanish, languageId::German}) {
        QStringList lacks = QSet(english).subtract(labelsOf(id)).values(),
                    adds = labelsOf(id).subtract(english).values();
        EXPECT_EQ((lacks.join(' ') + " | " + adds.join(' ')).toStdString(), " | ")
            << id << " lacks | adds";
    }
}
