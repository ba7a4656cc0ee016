#pragma once

#include <QLocale>
#include <QString>

namespace spl {

/// Checks the text of the vertical resolution field: the tag of the message
/// ("MsgBox" section) that rejects it ("Value" not a number, "ValNeg" below 0,
/// "ValSma" below 0.1, "ValHi" above 1), or an empty string when it lies
/// between 0.1 m and 1 m inclusive.
QString resolutionProblem(const QString& text, const QLocale& locale);

} // namespace spl
