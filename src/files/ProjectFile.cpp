#include "files/ProjectFile.h"

#include "files/Ini.h"
#include "platform/MessageText.h"
#include "platform/Numbers.h"
#include "project/data/BoxModel.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace projectfile {

namespace {

// Calls visit(key, value, numericText) for every key of a project file in file
// order, value being the field text or state variable the key stands for.
// numericText marks the field texts that hold numbers (areas, height, angles).
// Fields and State may be const (saving) or not (loading).
template <class Fields, class State, class Visit>
void forEachKey(Fields& f, State& s, Visit&& visit)
{
    const auto numbered = [](const char* stem, int i) {
        return QLatin1String(stem) + QString::number(i);
    };

    visit(QStringLiteral("eti"), f.Label58, false);
    for (int i = 1; i <= 13; ++i)
        visit(numbered("Text", i), f.Text[i], true);
    visit(QStringLiteral("Text15"), f.Text15, false);
    visit(QStringLiteral("Text16"), f.Text16, false);
    visit(QStringLiteral("Label59"), f.Label59, false);
    visit(QStringLiteral("numcaixes"), f.Combo2, false);
    visit(QStringLiteral("numzones"), f.Combo1, false);
    for (int i = 1; i <= 16; ++i)
        visit(numbered("angle", i), f.Combo3[i], true);
    visit(QStringLiteral("model"), f.Combo4, false);
    for (int j = 1; j <= 16; ++j)
        visit(numbered("box", j), s.box[j], true);
    for (int j = 1; j <= 16; ++j)
        visit(numbered("LastAngle", j), s.LastAngle[j], true);
    visit(QStringLiteral("modelcaixa"), s.modelcaixa, true);
    visit(QStringLiteral("ampladaunacaixa"), s.ampladaunacaixa, true);
    visit(QStringLiteral("alturaunacaixa"), s.alturaunacaixa, true);
    visit(QStringLiteral("traseraunacaixa"), s.traseraunacaixa, true);
    visit(QStringLiteral("angleunacaixa"), s.angleunacaixa, true);
    // Corner-major: x11 .. x116, x21 .. x216, ..., then the same for y.
    const auto corners = [&](const char* axis, auto& c1, auto& c2, auto& c3, auto& c4) {
        int a = 0;
        for (auto* corner : {&c1, &c2, &c3, &c4}) {
            ++a;
            for (int b = 1; b <= 16; ++b)
                visit(QLatin1String(axis) + QString::number(a) + QString::number(b), (*corner)[b],
                      true);
        }
    };
    corners("x", s.x1, s.x2, s.x3, s.x4);
    corners("y", s.y1, s.y2, s.y3, s.y4);
}

// The field a key holds, as the user knows it, with the key for whoever reads
// the file: "the customer name (Text16)".
QString fieldName(const QString& key)
{
    static const char* const areaFields[] = {"Distance to Array", "Elevation Z1", "Elevation Z2",
                                             "Lenght"};
    const auto numberAfter = [&](QLatin1String stem) {
        return key.startsWith(stem) ? key.mid(stem.size()).toInt() : 0;
    };
    QString name;
    if (key == QLatin1String("eti"))
        name = QStringLiteral("the model key");
    else if (key == QLatin1String("Text13"))
        name = QStringLiteral("Distance to floor");
    else if (key == QLatin1String("Text15"))
        name = QStringLiteral("the project name");
    else if (key == QLatin1String("Text16"))
        name = QStringLiteral("the customer name");
    else if (const int i = numberAfter(QLatin1String("Text")); i >= 1 && i <= 12)
        name = QStringLiteral("Area %1 %2")
                   .arg((i - 1) / 4 + 1)
                   .arg(QLatin1String(areaFields[(i - 1) % 4]));
    else if (key == QLatin1String("Label59"))
        name = QStringLiteral("the maximum angle of the first box");
    else if (key == QLatin1String("numcaixes"))
        name = QStringLiteral("the number of boxes");
    else if (key == QLatin1String("numzones"))
        name = QStringLiteral("the number of areas");
    else if (const int b = numberAfter(QLatin1String("angle")); b >= 1)
        name = QStringLiteral("the angle of Box %1").arg(b);
    else if (key == QLatin1String("model"))
        name = QStringLiteral("the model");
    else if (const int j = numberAfter(QLatin1String("box")); j >= 1)
        name = QStringLiteral("the total angle of box %1").arg(j);
    else
        return key;
    return QStringLiteral("%1 (%2)").arg(name, key);
}

// Why the file cannot hold the text as it is, or empty when it can: a "[" ends
// the section for every later reading, a line break splits the line, and the
// controls up to CR are stripped when they end the file. Characters outside the
// file's code page would come back as "?".
QString unsavableBecause(const QString& text)
{
    for (const QChar c : text) {
        if (c == u'[')
            return QStringLiteral("holds \"[\"");
        if (c == u'\r' || c == u'\n')
            return QStringLiteral("holds a line break");
        if (c.unicode() <= 13)
            return QStringLiteral("holds the control character %1")
                .arg(messagetext::printable(QString(c)));
    }
    if (!fitsIniCodePage(text))
        return QStringLiteral("holds characters outside Latin-1");
    return {};
}

// The text a value is saved as.
template <class T> QString storedText(const T& value, const QLocale& locale)
{
    if constexpr (std::is_same_v<T, QString>)
        return value;
    else if constexpr (std::is_same_v<T, BoxValue>)
        return value.toStoredText(locale);
    else if constexpr (std::is_same_v<T, float>)
        return numbers::generalSingle(value, locale);
    else
        return QString::number(value);
}

// The number of boxes or areas that a list text holds, when it is a whole
// number (halves to even) from `low` to `high`; otherwise the reason it is not.
std::optional<int> countOf(const QString& text, int low, int high, const QLocale& locale,
                           QString& why)
{
    const QString normalised = numbers::normaliseDecimalSeparator(text, locale);
    if (text.trimmed().isEmpty()) {
        why = QStringLiteral("is empty");
        return std::nullopt;
    }
    if (!numbers::isNumber(normalised, locale)) {
        why = QStringLiteral("is not a number: %1").arg(messagetext::quoted(text));
        return std::nullopt;
    }
    const double v = numbers::toDouble(normalised, locale);
    const long long whole = std::fabs(v) < 65536.0 ? numbers::roundHalfEven(v) : high + 1LL;
    if (whole < low || whole > high) {
        why = QStringLiteral("is not from %1 to %2: %3")
                  .arg(low)
                  .arg(high)
                  .arg(messagetext::quoted(text));
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

} // namespace

QStringList keys()
{
    QStringList list;
    ProjectFields f;
    ProjectState s;
    forEachKey(f, s, [&](const QString& key, auto&, bool) { list << key; });
    return list;
}

bool canHold(const QString& text)
{
    return unsavableBecause(text).isEmpty();
}

std::optional<QString> unsavableField(const ProjectFields& fields)
{
    const ProjectState unused;
    std::optional<QString> found;
    forEachKey(fields, unused, [&](const QString& key, const auto& value, bool) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>) {
            if (found)
                return;
            if (const QString why = unsavableBecause(value); !why.isEmpty())
                found = fieldName(key) + u' ' + why;
        }
    });
    return found;
}

std::optional<QString> save(const QString& path, const ProjectFields& fields,
                            const ProjectState& state, const QLocale& locale)
{
    std::vector<std::pair<QString, QString>> entries;
    QString refused;
    forEachKey(fields, state, [&](const QString& key, const auto& value, bool) {
        const QString text = storedText(value, locale);
        if (refused.isEmpty())
            if (const QString why = unsavableBecause(text); !why.isEmpty())
                refused = fieldName(key) + u' ' + why;
        entries.emplace_back(key, text);
    });
    // A value the file cannot hold would be lost on the next load (and with
    // a "[" every key after it too): keep the old file rather than write that.
    if (!refused.isEmpty())
        return QStringLiteral("Cannot save %1: %2, which a project file cannot hold. "
                              "Nothing was written.")
            .arg(messagetext::printable(path), refused);
    try {
        INIwriteAll(path, Section, entries);
    } catch (const FileError& e) {
        return e.description();
    }
    return std::nullopt;
}

LoadResult load(const QString& path, ProjectFields& fields, ProjectState& state,
                const QLocale& locale)
{
    LoadResult result;
    const auto fail = [&](const QString& reason) {
        result.error =
            QStringLiteral("Cannot load %1: %2").arg(messagetext::printable(path), reason);
    };
    // Reading a missing file would leave an empty one behind; a folder, pipe or
    // device is no project either.
    if (const QString kind = specialFileKind(path); !kind.isEmpty())
        fail(QStringLiteral("it is %1, not a project file").arg(kind));
    else if (!QFileInfo::exists(path))
        fail(QStringLiteral("no such file"));
    if (!result.ok())
        return result;

    try {
        const ini::SectionIndex file = INIreadSection(path, Section);
        forEachKey(fields, state, [&](const QString& key, auto& value, bool numeric) {
            if (!result.ok())
                return;
            using T = std::decay_t<decltype(value)>;
            const QString read = file.value(key);
            // The program writes no digit grouping, so a lone "," or "." is the
            // decimal separator of whichever locale saved the file.
            const QString text = numeric ? numbers::normaliseDecimalSeparator(read, locale) : read;
            if constexpr (std::is_same_v<T, QString>) {
                value = text;
            } else if constexpr (std::is_same_v<T, BoxValue>) {
                value = BoxValue::text(text);
            } else {
                if (text.trimmed().isEmpty())
                    return fail(key + QStringLiteral(" is empty"));
                if (!numbers::isNumber(text, locale))
                    return fail(key + QStringLiteral(" is not a number: ") +
                                messagetext::quoted(read));
                const double v = numbers::toDouble(text, locale);
                if constexpr (std::is_same_v<T, float>) {
                    value = static_cast<float>(v);
                } else {
                    const long long whole =
                        std::fabs(v) < 65536.0 ? numbers::roundHalfEven(v) : INT16_MAX + 1LL;
                    if (whole < INT16_MIN || whole > INT16_MAX)
                        return fail(key + QStringLiteral(" is out of range: ") +
                                    messagetext::quoted(read));
                    value = static_cast<int16_t>(whole);
                }
            }
        });
    } catch (const FileError& e) {
        result.error = e.description();
    }
    if (!result.ok())
        return result;

    // A count the lists cannot show means a damaged file: refuse it rather than
    // show a different project. No boxes is what a project saved before any
    // were chosen holds.
    QString why;
    const std::optional<int> boxes = countOf(fields.Combo2, 0, 16, locale, why);
    if (!boxes) {
        fail(fieldName(QStringLiteral("numcaixes")) + u' ' + why);
        return result;
    }
    const std::optional<int> areas = countOf(fields.Combo1, 1, 3, locale, why);
    if (!areas) {
        fail(fieldName(QStringLiteral("numzones")) + u' ' + why);
        return result;
    }
    result.boxes = *boxes;
    result.areas = *areas;
    // No boxes gives the index -1.
    state.numcaixes = static_cast<int16_t>(result.boxes - 1);
    state.seleccio = static_cast<float>(result.areas - 1);
    // The model's front height overrides the stored one.
    if (const BoxModel* model = boxModelByKey(fields.Label58))
        state.alturaunacaixa = model->alturaunacaixa;
    return result;
}

} // namespace projectfile
