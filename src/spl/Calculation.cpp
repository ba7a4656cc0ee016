#include "spl/Calculation.h"

#include "spl/ArrayGeometry.h"
#include "spl/Grid.h"
#include "spl/LevelPasses.h"
#include "spl/RowThreads.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <mutex>
#include <numbers>
#include <system_error>
#include <thread>
#include <vector>

namespace spl {

float CalcularcaixesFresnel(const FresnelSource& s, float X, float Y)
{
    const double r = std::sqrt((s.landamig + 2.0 * X) * s.landamig);
    const double Z = 2 * r;
    double n = 0;
    if (std::abs(double(Y) - s.yc) < 0.008) {
        if (s.yc + r >= s.T && s.yc - r <= s.B)
            n = s.Nb;
        else
            n = Z / s.d2;
    } else if (Y >= s.B && Y <= s.T) {
        if (Y + r <= s.T && Y - r < s.B)
            n = (Y + r - s.B) / s.d2;
        if (Y + r <= s.T && Y - r >= s.B)
            n = Z / s.d2;
        if (Y + r > s.T && Y - r >= s.B)
            n = (s.T - (Y - r)) / s.d2;
        if (Y + r >= s.T && Y - r <= s.B)
            n = s.Nb;
    }
    return CalcularSPLInicial(s.pot, n, s.modelcaixa);
}

namespace {

/// The level of a cell on the source's axis at distance X: beyond the
/// near-field limit 20 dB per decade, with no near field 20 dB per decade
/// from 1 m.
float onAxisLevel(double Lref, float dB, double X, double log10X)
{
    const double level =
        dB != 0 ? Lref - 10 * std::log10(double(dB)) - 20 * std::log10(X / dB) : Lref - 20 * log10X;
    return storedLevel(level);
}

} // namespace

struct Calculation::Model
{
    Request in;
    Result out;
    bool refused = false;
    RowModel rows;                        // the per-calculation figures of the row passes
    DirectivityTable table;               // filled in parts by the first computeRows calls
    static constexpr int kTablePart = 64; // intervals per part
    std::atomic<int> tablePartsTaken{0}, tablePartsDone{0}; // parts handed out, filled
    double tauMin = 0, tauMax = 0; // range of the cells' elevation angles, quarter turns
    FresnelSource fresnel;
    float Tf = 0;               // the height as a single, for the grid
    double nearLo = 0;          // lowest centre height of a near-field row
    int prefix = 0;             // columns whose left edge lies within the near-field limit
    std::once_flag columnsMade; // the per-column figures below, made by the first rows
    std::vector<float> onAxis;  // level of an on-axis cell, per column
    std::vector<double> log10X; // per column
    std::vector<double> invX;   // per column
};

Calculation::Calculation(const Request& request) : m(std::make_unique<Model>())
{
    m->in = request;
    const Request& in = m->in;
    Result& out = m->out;
    out.frequencia = in.frequencia;
    out.landamig = in.landamig;
    CasInclinacio(in, out);
    out.distanciaborder = CalcularNearField(in);
    if (!PintarMapa(in, out)) {
        m->refused = true;
        return;
    }
    const int cols = out.ParticionsXmapa;
    const int rowsCount = out.PartYFarField;
    const std::size_t cells = std::size_t(cols) * std::size_t(rowsCount);
    if (in.keepCells) {
        // Set by computeRows, row by row.
        out.nField.resize(cells);
        out.border.resize(cells);
        out.splInicial.resize(cells);
        out.graus.resize(cells);
        out.spl.resize(cells);
    }
    out.distribucio.assign(std::size_t(rowsCount) * kClasses, 0.0f);

    const float dB = out.distanciaborder;
    const float step = out.PasHoritzontal;
    m->Tf = static_cast<float>(in.T);
    m->nearLo = double(m->Tf) - out.alturarray;
    m->prefix = 0;
    if (dB != 0)
        while (m->prefix < cols && !(static_cast<float>(m->prefix * double(step)) > dB))
            ++m->prefix;

    FresnelSource& f = m->fresnel;
    f.T = in.T;
    f.B = in.T - out.alturarray;
    f.yc = out.ycerclefresnel;
    f.landamig = in.landamig;
    f.d2 = in.ampladaunacaixa;
    f.Nb = out.curved() ? out.CaixesRectes + 1 : in.N;
    f.pot = in.pot;
    f.modelcaixa = in.modelcaixa;

    m->rows = prepareRows(in, out);
    // The elevation angles of the far cells lie within those seen from the
    // first column at the lowest and highest rows.
    if (cols > 0 && rowsCount > 0) {
        const double X0 = out.columnX.front();
        const double yc = out.ycerclefresnel;
        const auto [lo, hi] = std::minmax_element(out.rowY.begin(), out.rowY.end());
        const auto turns = [&](double dy) {
            return std::atan(std::abs(dy) / X0) * (2 / std::numbers::pi) * (1 + 1e-6) + 1e-9;
        };
        m->tauMax = *hi > yc ? turns(*hi - yc) : 0.0;
        m->tauMin = *lo < yc ? -turns(*lo - yc) : 0.0;
    }
    m->table = planDirectivityTable(m->rows, m->tauMin, m->tauMax,
                                    static_cast<long long>(cols) * rowsCount);
}

void Calculation::prepareColumns() const
{
    // Points alone (levelsAt) need none of this: it waits for the first rows.
    std::call_once(m->columnsMade, [this] {
        const Result& out = m->out;
        const int cols = out.ParticionsXmapa;
        const double Lref = out.Lref();
        m->onAxis.resize(std::size_t(cols));
        m->log10X.resize(std::size_t(cols));
        m->invX.resize(std::size_t(cols));
        for (int c = 0; c < cols; ++c) {
            const double X = out.columnX[std::size_t(c)];
            m->log10X[std::size_t(c)] = std::log10(X);
            m->invX[std::size_t(c)] = 1 / X;
            m->onAxis[std::size_t(c)] =
                onAxisLevel(Lref, out.distanciaborder, X, m->log10X[std::size_t(c)]);
        }
    });
}

Calculation::~Calculation() = default;
Calculation::Calculation(Calculation&&) noexcept = default;
Calculation& Calculation::operator=(Calculation&&) noexcept = default;

bool Calculation::refused() const
{
    return m->refused;
}

int Calculation::rows() const
{
    return m->out.PartYFarField;
}

const Result& Calculation::result() const
{
    return m->out;
}

void Calculation::rowAngles(int r, RowAngles& out) const
{
    prepareColumns();
    RowBuffers scratch(0);
    spl::rowAngles(m->rows, m->out.columnX.data(), m->invX.data(), m->out.rowY[std::size_t(r - 1)],
                   m->out.ParticionsXmapa, out, scratch);
}

void Calculation::computeRows(int first, int last, float* levels, const RowAngles* angles)
{
    Result& out = m->out;
    const int cols = out.ParticionsXmapa;
    if (m->refused || cols == 0)
        return;
    first = std::max(first, 1);
    last = std::min(last, int(out.PartYFarField));
    prepareColumns();
    fillTable();
    RowBuffers scratch(cols);
    std::vector<int8_t> nFieldRow, borderRow;
    std::vector<float> splInicialRow, grausRow, splRow;
    const bool ownCells = m->in.keepCells && !levels;
    if (!ownCells) {
        nFieldRow.resize(std::size_t(cols));
        borderRow.resize(std::size_t(cols));
        splInicialRow.resize(std::size_t(cols));
        grausRow.resize(std::size_t(cols));
        splRow.resize(std::size_t(cols));
    }
    const float LrefF = out.Lref();
    for (int r = first; r <= last; ++r) {
        RowCells row;
        if (ownCells) {
            const std::size_t at = out.cell(r, 1);
            row = {&out.nField[at], &out.border[at], &out.splInicial[at], &out.graus[at],
                   &out.spl[at]};
        } else {
            row = {nFieldRow.data(), borderRow.data(), splInicialRow.data(), grausRow.data(),
                   levels ? levels + std::size_t(r - first) * std::size_t(cols) : splRow.data()};
        }
        const float Y = out.rowY[std::size_t(r - 1)];
        const bool inside = m->nearLo <= Y && Y <= m->Tf;
        const int prefix = m->prefix;
        if (inside) {
            // Near-field cells: the Fresnel count, then 10 dB per decade of distance.
            const bool onSource = m->fresnel.B <= Y && Y <= m->fresnel.T;
            for (int c = 0; c < prefix; ++c) {
                const float X = out.columnX[std::size_t(c)];
                const float s = CalcularcaixesFresnel(m->fresnel, X, Y);
                row.nField[c] = 1;
                row.border[c] = 0;
                row.splInicial[c] = s;
                row.graus[c] = 0;
                row.spl[c] = onSource ? storedLevel(s - 10 * m->log10X[std::size_t(c)]) : 0.0f;
            }
        } else {
            std::fill_n(row.nField, prefix, int8_t{0});
            std::fill_n(row.border, prefix, int8_t{1});
            std::fill_n(row.splInicial, prefix, LrefF);
        }
        std::fill_n(row.nField + prefix, cols - prefix, int8_t{0});
        std::fill_n(row.border + prefix, cols - prefix, int8_t{0});
        std::fill_n(row.splInicial + prefix, cols - prefix, LrefF);
        const int from = inside ? prefix : 0;
        farRow(m->rows, &m->table, out.columnX.data(), m->invX.data(), m->onAxis.data(), Y, from,
               prefix, cols, row, scratch, first == last ? angles : nullptr);
        if (levels)
            continue;
        float* counts = &out.distribucio[std::size_t(r - 1) * kClasses];
        std::fill_n(counts, kClasses, 0.0f);
        countClasses(row.spl, cols, counts);
    }
}

void Calculation::levelsAt(const float* X, const float* Y, int n, float* levels) const
{
    const Result& out = m->out;
    const float dB = out.distanciaborder;
    const double step = out.PasHoritzontal;
    const double Lref = out.Lref();
    auto scratch = std::make_unique<RowBuffers>(1);
    for (int i = 0; i < n; ++i) {
        const float x = X[i];
        const float y = Y[i];
        if (m->refused || !(x > 0) || !(step > 0)) {
            levels[i] = std::numeric_limits<float>::quiet_NaN();
            continue;
        }
        // The grid's column test: its left edge within the limit, inclusive.
        const double column = std::floor(x / step);
        const bool nearColumn = dB != 0 && !(static_cast<float>(column * step) > dB);
        const bool inside = m->nearLo <= y && y <= m->Tf;
        const double log10X = std::log10(double(x));
        if (nearColumn && inside) {
            const float s = CalcularcaixesFresnel(m->fresnel, x, y);
            const bool onSource = m->fresnel.B <= y && y <= m->fresnel.T;
            levels[i] = onSource ? storedLevel(s - 10 * log10X) : 0.0f;
            continue;
        }
        const double invX = 1 / double(x);
        const float onAxis = onAxisLevel(Lref, dB, x, log10X);
        int8_t nField = 0, border = nearColumn ? 1 : 0;
        float splInicial = static_cast<float>(Lref), graus = 0, level = 0;
        RowCells cell{&nField, &border, &splInicial, &graus, &level};
        farRow(m->rows, nullptr, &x, &invX, &onAxis, y, 0, nearColumn ? 1 : 0, 1, cell, *scratch);
        levels[i] = level;
    }
}

void Calculation::fillTable()
{
    // Every caller takes parts until none is left, then waits for the others'.
    const int parts = (m->table.intervals + Model::kTablePart - 1) / Model::kTablePart;
    if (m->tablePartsDone.load(std::memory_order_acquire) == parts)
        return;
    for (int part; (part = m->tablePartsTaken.fetch_add(1)) < parts;) {
        fillDirectivityTable(m->rows, m->table, part * Model::kTablePart,
                             (part + 1) * Model::kTablePart);
        m->tablePartsDone.fetch_add(1, std::memory_order_release);
    }
    while (m->tablePartsDone.load(std::memory_order_acquire) < parts)
        std::this_thread::yield();
}

Result Calculation::finish()
{
    copyCentreRowCounts(m->out);
    return std::move(m->out);
}

std::optional<Result> calculate(const Request& request, int threads,
                                const std::function<bool()>& stop)
{
    Calculation calc(request);
    if (calc.refused())
        return std::nullopt;
    const int rows = calc.rows();
    const Result& g = calc.result();
    const long long load =
        static_cast<long long>(rows) * g.ParticionsXmapa * (1 + std::max(0, int(g.CaixesCorbes)));
    if (!forRowBatches(rows, threads, load, stop,
                       [&](int first, int last) { calc.computeRows(first, last); }))
        return std::nullopt;
    return calc.finish();
}

} // namespace spl
