#include "files/ProjectFile.h"

#include "files/Ini.h"
#include "platform/Numbers.h"
#include "project/BoxModel.h"

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

// Whole number of a list text ("1".."16"); text that is not a number counts as 0.
int countOf(const QString& text, const QLocale& locale)
{
    const double v = numbers::toDouble(numbers::normaliseDecimalSeparator(text, locale), locale);
    return static_cast<int>(numbers::roundHalfEven(std::clamp(v, -32768.0, 32767.0)));
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

std::optional<QString> save(const QString& path, const ProjectFields& fields,
                            const ProjectState& state, const QLocale& locale)
{
    std::vector<std::pair<QString, QString>> entries;
    forEachKey(fields, state, [&](const QString& key, const auto& value, bool) {
        using T = std::decay_t<decltype(value)>;
        QString text;
        if constexpr (std::is_same_v<T, QString>)
            text = value;
        else if constexpr (std::is_same_v<T, BoxValue>)
            text = value.toStoredText(locale);
        else if constexpr (std::is_same_v<T, float>)
            text = numbers::generalSingle(value, locale);
        else
            text = QString::number(value);
        entries.emplace_back(key, text);
    });
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
    const auto fail = [&](const QString& key, const QString& reason) {
        result.error = QStringLiteral("Cannot load %1: %2 %3").arg(path, key, reason);
    };

    try {
        forEachKey(fields, state, [&](const QString& key, auto& value, bool numeric) {
            if (!result.ok())
                return;
            using T = std::decay_t<decltype(value)>;
            const QString read = INIread(path, Section, key);
            // The program writes no digit grouping, so a lone "," or "." is the
            // decimal separator of whichever locale saved the file.
            const QString text = numeric ? numbers::normaliseDecimalSeparator(read, locale) : read;
            if constexpr (std::is_same_v<T, QString>) {
                value = text;
            } else if constexpr (std::is_same_v<T, BoxValue>) {
                value = BoxValue::text(text);
            } else {
                if (text.trimmed().isEmpty())
                    return fail(key, QStringLiteral("is empty"));
                if (!numbers::isNumber(text, locale))
                    return fail(key, QStringLiteral("is not a number: \"%1\"").arg(read));
                const double v = numbers::toDouble(text, locale);
                if constexpr (std::is_same_v<T, float>) {
                    value = static_cast<float>(v);
                } else {
                    const long long whole =
                        std::fabs(v) < 65536.0 ? numbers::roundHalfEven(v) : INT16_MAX + 1LL;
                    if (whole < INT16_MIN || whole > INT16_MAX)
                        return fail(key, QStringLiteral("is out of range: \"%1\"").arg(read));
                    value = static_cast<int16_t>(whole);
                }
            }
        });
    } catch (const FileError& e) {
        result.error = e.description();
    }
    if (!result.ok())
        return result;

    result.boxes = countOf(fields.Combo2, locale);
    result.areas = countOf(fields.Combo1, locale);
    // No boxes (index -1) for a count of 0 or less; never more than the sixteen that exist.
    state.numcaixes = static_cast<int16_t>(std::clamp(result.boxes, 0, 16) - 1);
    state.seleccio = static_cast<float>(result.areas - 1);
    // The model's front height overrides the stored one.
    if (const BoxModel* model = boxModelByKey(fields.Label58))
        state.alturaunacaixa = model->alturaunacaixa;
    return result;
}

} // namespace projectfile
