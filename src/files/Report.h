#pragma once

#include <QString>
#include <array>
#include <vector>

/// The printed report of a project's input data, as plain text lines. The
/// printer, the PDF export and the tests all read these lines; nothing else
/// decides what the report says.
namespace report {

/// What the report prints, as the main window shows it: every value is the
/// text of its field or list, except the number of boxes.
struct Input
{
    int numcaixes = 0;              ///< the number-of-boxes index (boxes - 1)
    QString distanceToFloor;        ///< `Text13`
    std::array<QString, 16> angles; ///< `Combo3`(0) .. `Combo3`(15), all sixteen
    QString numberOfAreas;          ///< `Combo1`
    float seleccio = 0;             ///< the area selection: 0, 1, 2 print 1, 2, 3 areas
    /// Per area: distance to array, length, elevation Z1, elevation Z2
    /// (`Text1`, `Text4`, `Text2`, `Text3` for area 1, and so on).
    std::array<std::array<QString, 4>, 3> areas;
};

/// One line of the report: a caption, a number of blanks and a value, or an
/// area heading (emphasised, no blanks and no value).
struct Row
{
    QString caption;
    int blanks = 0;
    QString value;
    bool heading = false;

    /// The line as printed.
    QString text() const { return caption + QString(blanks, QLatin1Char(' ')) + value; }
    bool operator==(const Row&) const = default;
};

/// The rows of one copy of the report: 19 data lines, then one block of five
/// lines per area in use (none when the selection is not 0, 1 or 2).
std::vector<Row> rows(const Input& in);

/// The whole document: `copies` copies of the report one after the other
/// (at least one).
std::vector<Row> document(const Input& in, int copies);

/// A whole number as the report prints it: a blank in place of the sign
/// (a minus when negative), the digits and a trailing blank.
QString printedNumber(int n);

} // namespace report
