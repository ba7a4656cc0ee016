#include "platform/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace json {

void appendNumber(QByteArray& out, double value, int significantDigits)
{
    if (std::isnan(value)) {
        out += "\"nan\"";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "\"inf\"" : "\"-inf\"";
        return;
    }
    char buf[40];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significantDigits);
    out.append(buf, r.ptr - buf);
}

void appendString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
}

Object::Object(QByteArray& out) : m_out(out)
{
    m_out += '{';
}

Object::~Object()
{
    m_out += '}';
}

QByteArray& Object::key(const char* name)
{
    if (!m_first)
        m_out += ',';
    m_first = false;
    m_out += '"';
    m_out += name;
    m_out += "\":";
    return m_out;
}

Array::Array(QByteArray& out) : m_out(out)
{
    m_out += '[';
}

Array::~Array()
{
    m_out += ']';
}

QByteArray& Array::next()
{
    if (!m_first)
        m_out += ',';
    m_first = false;
    return m_out;
}

} // namespace json
