#include "files/Report.h"

#include <algorithm>
#include <cstdlib>

namespace report {

QString printedNumber(int n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
           QString::number(std::abs(static_cast<long long>(n))) + QLatin1Char(' ');
}

std::vector<Row> rows(const Input& in)
{
    std::vector<Row> out;
    out.push_back({QStringLiteral("Number of Boxes"), 4, printedNumber(in.numcaixes + 1)});
    out.push_back({QStringLiteral("Distance to floor"), 6, in.distanceToFloor});
    for (int i = 0; i < 16; ++i) {
        // The captions of boxes 10 to 16 are one digit longer: the values stay in one column.
        out.push_back({QStringLiteral("Angle Box %1").arg(i + 1), i < 9 ? 10 : 8,
                       in.angles[static_cast<std::size_t>(i)]});
    }
    out.push_back({QStringLiteral("Numb.of Areas"), 7, in.numberOfAreas});

    int areas = 0;
    if (in.seleccio == 0)
        areas = 1;
    else if (in.seleccio == 1)
        areas = 2;
    else if (in.seleccio == 2)
        areas = 3;
    for (int a = 0; a < areas; ++a) {
        const auto& v = in.areas[static_cast<std::size_t>(a)];
        out.push_back({QStringLiteral("AREA %1").arg(a + 1), 0, QString(), true});
        out.push_back({QStringLiteral("Distance to Array"), a == 0 ? 5 : 4, v[0]});
        out.push_back({QStringLiteral("Lenght"), 14, v[1]});
        out.push_back({QStringLiteral("Elevation Z1"), 8, v[2]});
        out.push_back({QStringLiteral("Elevation Z2"), 8, v[3]});
    }
    return out;
}

std::vector<Row> document(const Input& in, int copies)
{
    const std::vector<Row> one = rows(in);
    std::vector<Row> out;
    for (int c = 0; c < std::max(copies, 1); ++c)
        out.insert(out.end(), one.begin(), one.end());
    return out;
}

} // namespace report
