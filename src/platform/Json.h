#pragma once

#include <QByteArray>
#include <QString>

/// Writing JSON text for the headless commands, in one form for all of them:
/// numbers with a point whatever the user's locale, and the values JSON has no
/// number for (infinities, NaN) as the strings "inf", "-inf" and "nan", so a
/// reader sees what was computed instead of a null.
namespace json {

/// Appends the number with at most `significantDigits` significant digits in
/// the shortest of the fixed and scientific forms ("0.314", "1.5e+20"); a value
/// that is not finite is appended as the string "inf", "-inf" or "nan".
/// Nine digits tell every single-precision value apart, seventeen every double.
void appendNumber(QByteArray& out, double value, int significantDigits);

/// Appends the text as a JSON string in UTF-8, escaping '"', '\' and the
/// control characters.
void appendString(QByteArray& out, const QString& text);

/// Writes "{", the members with their separators, and "}" when it goes out of
/// scope. Nested objects and arrays are written to the text that key() returns.
class Object
{
public:
    explicit Object(QByteArray& out);
    ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    /// Writes `"name":` (after a comma when needed); returns the text for its value.
    QByteArray& key(const char* name);
    /// A single-precision figure, with the nine digits that keep it exact.
    void real(const char* name, float v) { appendNumber(key(name), v, 9); }
    /// A double, with the seventeen digits that keep it exact.
    void real(const char* name, double v) { appendNumber(key(name), v, 17); }
    void boolean(const char* name, bool v) { key(name) += v ? "true" : "false"; }
    void integer(const char* name, long long v) { key(name) += QByteArray::number(v); }
    void string(const char* name, const QString& v) { appendString(key(name), v); }

private:
    QByteArray& m_out;
    bool m_first = true;
};

/// Writes "[", the separators between the elements, and "]" when it goes out of scope.
class Array
{
public:
    explicit Array(QByteArray& out);
    ~Array();
    Array(const Array&) = delete;
    Array& operator=(const Array&) = delete;

    /// Writes the separator before the next element; returns the text to write it to.
    QByteArray& next();

private:
    QByteArray& m_out;
    bool m_first = true;
};

} // namespace json
