#include "i18n/Language.h"

#include <QDir>
#include <QFile>
#include <pugixml.hpp>
#include <string>

LanguageError::LanguageError(const QString& description)
    : std::runtime_error(description.toStdString()), m_description(description)
{
}

namespace {

bool isNameStartChar(char32_t c)
{
    return c == U':' || (c >= U'A' && c <= U'Z') || c == U'_' || (c >= U'a' && c <= U'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c)
{
    return isNameStartChar(c) || c == U'-' || c == U'.' || (c >= U'0' && c <= U'9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The text content of an element: all its text and CDATA below it, in order.
void appendText(const pugi::xml_node& node, std::string& out)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
}

} // namespace

bool isXmlName(const QString& name)
{
    const QList<uint> codes = name.toUcs4();
    if (codes.isEmpty() || !isNameStartChar(codes.front()))
        return false;
    for (uint c : codes) {
        if (!isNameChar(c))
            return false;
    }
    return true;
}

clsLanguage::clsLanguage(QString languagesDir) : m_dir(std::move(languagesDir)) {}

clsLanguage::~clsLanguage() = default;

QString clsLanguage::filePath(int32_t LanguageID) const
{
    return QDir(m_dir).filePath(QString::number(LanguageID) + QStringLiteral(".xml"));
}

void clsLanguage::LoadLanguageFile(int32_t LanguageID)
{
    m_document = std::make_unique<pugi::xml_document>();

    QFile file(filePath(LanguageID));
    bool ok = file.open(QIODevice::ReadOnly);
    if (ok) {
        const QByteArray bytes = file.readAll();
        ok = file.error() == QFileDevice::NoError &&
             m_document->load_buffer(bytes.constData(), static_cast<size_t>(bytes.size())).status ==
                 pugi::status_ok;
    }
    if (!ok) {
        m_document.reset();
        throw LanguageError(QStringLiteral("Error loading language file."));
    }
}

QString clsLanguage::GetLabel(const QString& Section, const QString& Tag) const
{
    if (!m_document)
        throw LanguageError(QStringLiteral("Language file not loaded."));
    if (!isXmlName(Section) || !isXmlName(Tag))
        return {};

    // The names travel as variables, never as part of the expression, so no
    // text in them can change what the path selects: "Labels//Section//Tag".
    const std::string section = Section.toStdString();
    const std::string tag = Tag.toStdString();
    pugi::xpath_variable_set vars;
    vars.set("section", section.c_str());
    vars.set("tag", tag.c_str());
    const pugi::xpath_node found =
        m_document->select_node("Labels//*[name()=$section]//*[name()=$tag]", &vars);
    if (!found)
        return {};

    std::string text;
    appendText(found.node(), text);
    return QString::fromStdString(text).trimmed();
}
