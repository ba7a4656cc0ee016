#include "spl/GridOutput.h"

#include "platform/Json.h"
#include "spl/Bands.h"
#include "spl/LevelModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace spl {

namespace {

/// 9 significant digits with a point, whatever the locale; non-finite as text.
char* appendReal(char* p, char* end, float v)
{
    if (std::isnan(v))
        return std::copy_n("nan", 3, p);
    if (std::isinf(v))
        return v < 0 ? std::copy_n("-inf", 4, p) : std::copy_n("inf", 3, p);
    return std::to_chars(p, end, double(v), std::chars_format::general, 9).ptr;
}

char* appendInt(char* p, char* end, long v)
{
    return std::to_chars(p, end, v).ptr;
}

/// The band range of a band average and its weighting: "bands": [LO, HI],
/// "weighting": "flat" or "a". Nothing for a single band.
void bandsJson(json::Object& j, const Result& r)
{
    if (!r.bands)
        return;
    {
        json::Array ends(j.key("bands"));
        ends.next() += QByteArray::number(r.bands->lo);
        ends.next() += QByteArray::number(r.bands->hi);
    }
    j.string("weighting", QString::fromLatin1(weightingName(r.bands->weighting)));
}

} // namespace

QByteArray gridJson(const Result& r)
{
    QByteArray text;
    {
        json::Object j(text);
        if (r.model == LevelModelKind::Classic) {
            j.integer("CasArray", r.CasArray);
            j.integer("CaixesRectes", r.CaixesRectes);
            j.real("AlturaRecta", r.AlturaRecta);
            j.integer("CaixesCorbes", r.CaixesCorbes);
            j.real("AngleCorbaTotal", r.AngleCorbaTotal);
            j.real("AngleCorbaMig", r.AngleCorbaMig);
            j.real("AmpladaCorba", r.AmpladaCorba);
            j.real("AlturaCorba", r.AlturaCorba);
            j.real("RadiCorba", r.RadiCorba);
            j.real("alturarray", r.alturarray);
            j.real("ycerclefresnel", r.ycerclefresnel);
            j.real("SPLTotalFLAT", r.SPLTotalFLAT);
            j.real("SPLTotalCURBAT", r.SPLTotalCURBAT);
            j.real("distanciaborder", r.distanciaborder);
            j.real("PasHoritzontal", r.PasHoritzontal);
            j.integer("ParticionsXmapa", r.ParticionsXmapa);
            j.integer("FilesSota", r.FilesSota);
            j.integer("FilesSobre", r.FilesSobre);
            j.integer("PartYFarField", r.PartYFarField);
            j.integer("frequencia", r.frequencia);
            bandsJson(j, r);
            j.real("landamig", r.landamig);
            j.real("resolucioy", r.resolucioy);
        } else {
            // Another model has no figures of the classic geometry: the grid only.
            j.string("model", QString::fromLatin1(levelModelName(r.model)));
            j.integer("frequencia", r.frequencia);
            bandsJson(j, r);
            j.real("resolucioy", r.resolucioy);
            j.real("PasHoritzontal", r.PasHoritzontal);
            j.integer("ParticionsXmapa", r.ParticionsXmapa);
            j.integer("PartYFarField", r.PartYFarField);
            j.integer("FilesSota", r.FilesSota);
            j.integer("FilesSobre", r.FilesSobre);
        }
        json::Array rows(j.key("MatriuDistribucio"));
        for (int row = 1; row <= r.PartYFarField; ++row) {
            json::Array counts(rows.next());
            for (int k = 1; k <= kClasses; ++k)
                counts.next() += QByteArray::number(qlonglong(r.MatriuDistribucio(row, k)));
        }
    } // the writers close their brackets here
    return text;
}

bool writeCellsCsv(const Result& r, QIODevice& out)
{
    std::string buf;
    buf.reserve(1 << 20);
    buf += "row,col,X,Y,NField,Border,SPLInicial,Graus,SPL\n";
    // A model without a near field keeps the levels only: its other columns are 0.
    const bool nearField = !r.nField.empty();
    char line[256];
    for (int row = 1; row <= r.PartYFarField; ++row) {
        for (int col = 1; col <= r.ParticionsXmapa; ++col) {
            char* const end = line + sizeof line;
            char* p = appendInt(line, end, row);
            *p++ = ',';
            p = appendInt(p, end, col);
            *p++ = ',';
            p = appendReal(p, end, r.MatriuX(row, col));
            *p++ = ',';
            p = appendReal(p, end, r.MatriuY(row, col));
            *p++ = ',';
            if (nearField) {
                p = appendInt(p, end, r.MatriuNField(row, col));
                *p++ = ',';
                p = appendInt(p, end, r.MatriuBorder(row, col));
                *p++ = ',';
                p = appendReal(p, end, r.MatriuSPLInicial(row, col));
                *p++ = ',';
                p = appendReal(p, end, r.MatriuGraus(row, col));
                *p++ = ',';
            } else {
                p = std::copy_n("0,0,0,0,", 8, p);
            }
            p = appendReal(p, end, r.MatriuSPL(row, col));
            *p++ = '\n';
            buf.append(line, std::size_t(p - line));
        }
        if (buf.size() > (1 << 20) - 4096) {
            if (out.write(buf.data(), qint64(buf.size())) != qint64(buf.size()))
                return false;
            buf.clear();
        }
    }
    return out.write(buf.data(), qint64(buf.size())) == qint64(buf.size());
}

} // namespace spl
