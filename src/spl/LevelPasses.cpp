#include "spl/LevelPasses.h"
#include "spl/PassTargets.h"

#include "spl/VectorMath.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstring>
#include <numbers>

namespace spl {

namespace {

constexpr double kC10 = 4.342944819032518276511; // 10 / ln 10

/// Whether a double, once rounded to a single, lies so close to half-way
/// between two singles that another faithful computation could round it the
/// other way.
inline bool nearSingleTie(double v)
{
    // Only near a tie does a change of 2^-36 of the value change its single.
    return static_cast<float>(v * (1 - 0x1p-36)) != static_cast<float>(v * (1 + 0x1p-36));
}

/// Elevation angles of a row: |atan(dy / X)| in degrees, under 0.1 degree 0,
/// negative below the centre of a curved array, `degrees` being 180 over the
/// model's pi. Marks the cells whose single might round differently from the
/// library's atan and a true division by pi.
SPL_PASS int anglePass(const double* invX, int n, double dy, double degrees, double sign,
                       float* graus, int64_t* flag)
{
    const double ady = std::abs(dy);
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        const double v = ady * invX[i];
        const double th = vmath::atanPositive(v) * degrees;
        const bool tiny = th < 0.1;
        const float g = static_cast<float>(tiny ? 0.0 : sign * th);
        graus[i] = g;
        const bool near = nearSingleTie(th) || std::abs(th - 0.1) < 1e-9;
        flag[i] = near ? 1 : 0;
        count += near ? 1 : 0;
    }
    return count;
}

/// sin and cos of each cell's angle, `quarterTurnsPerDegree` being the
/// model's pi / 180 over the true circle's pi / 2.
SPL_PASS void thetaPass(const float* graus, int n, double quarterTurnsPerDegree, double* st,
                        double* ct)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        double s, c;
        vmath::sincosQuarterTurns(graus[i] * quarterTurnsPerDegree, s, c);
        st[i] = s;
        ct[i] = c;
    }
}

/// Straight arrays: the line-source directivity times the distance term.
SPL_PASS void straightPass(const double* st, const double* ct, const double* invX, int n, double Kx,
                           double power, double* w, int64_t* flag)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double x = Kx * st[i];
        const double d = vmath::sin(x) / x;
        const double r = ct[i] * invX[i];
        const double rp = power == 2 ? r * r : r;
        const double v = d * d * rp;
        w[i] = v;
        flag[i] = (x == 0) ? 2 : (x < 0) ? 3 : 0;
    }
}

/// One arc term k over the cells: adds e cos(psi) and e sin(psi), with e taken
/// as sin x / x. The cell's angle enters through angle addition with the
/// term's tables, already scaled, psi in quarter turns and x in half turns:
/// psi = pc cos(theta) - ps sin(theta) and x = xc sin(theta) + xs cos(theta).
SPL_PASS void arcPass(const double* st, const double* ct, int n, double pc, double ps, double xc,
                      double xs, double* re, double* im)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double psi = ct[i] * pc - st[i] * ps;
        const double x = st[i] * xc + ct[i] * xs;
        double sp, cp;
        vmath::sincosQuarterTurns(psi, sp, cp);
        const double e = vmath::sincPi(x);
        re[i] += e * cp;
        im[i] += e * sp;
    }
}

/// The same for element arguments within vmath::kSincLimit (low frequencies),
/// x in radians.
SPL_PASS void arcPassLow(const double* st, const double* ct, int n, double pc, double ps, double xc,
                         double xs, double* re, double* im)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double psi = ct[i] * pc - st[i] * ps;
        const double x = st[i] * xc + ct[i] * xs;
        double sp, cp;
        vmath::sincosQuarterTurns(psi, sp, cp);
        const double e = vmath::sinc(x);
        re[i] += e * cp;
        im[i] += e * sp;
    }
}

/// Curved arrays: P and Q, the straight section combined with the arc sum
/// (scaled by `arcScale`), written over the sum. `KaTurns` is Ka in quarter
/// turns; `KaOverKu` is the straight section's limit on the axis.
SPL_PASS void pqPass(const double* st, int n, double Ku, double KaTurns, double KaOverKu,
                     double arcScale, double* re, double* im)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double u = Ku * st[i];
        double sa, ca;
        vmath::sincosQuarterTurns(KaTurns * st[i], sa, ca);
        const double Ss = u == 0 ? -KaOverKu : -sa * vmath::reciprocal(u);
        const double Cs = ca;
        const double Ts = -sa;
        const double Re = re[i] * arcScale;
        const double Im = im[i] * arcScale;
        re[i] = Im * Cs + Ss + Re * Ts;
        im[i] = Cs * Re - Im * Ts;
    }
}

/// Curved arrays: w = (P^2 + Q^2) r^power, r = cos(theta) / X. Marks in `weak`
/// the cells whose P^2 + Q^2 lies below `minAmplitude2`, and returns how many
/// they are.
SPL_PASS int powerPass(const double* P, const double* Q, const double* ct, const double* invX,
                       int n, double power, double minAmplitude2, double* w, int64_t* weak)
{
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        const double r = ct[i] * invX[i];
        const double rp = power == 2 ? r * r : r;
        const double a2 = P[i] * P[i] + Q[i] * Q[i];
        w[i] = a2 * rp;
        weak[i] = a2 < minAmplitude2 ? 1 : 0;
        count += a2 < minAmplitude2 ? 1 : 0;
    }
    return count;
}

/// Marks the levels so near a class bound that an error of the directivity
/// table could put their single on the other side; returns how many they are.
SPL_PASS int boundPass(const double* level, int n, int64_t* nearBound)
{
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        // The bounds are the multiples of 5 dB from 95 to 120 but 115.
        const double L = level[i];
        const double q = std::nearbyint(L * 0.2);
        const bool near = std::abs(L - 5 * q) < 1e-5 && q >= 19 && q <= 24 && q != 23;
        nearBound[i] = near ? 1 : 0;
        count += near ? 1 : 0;
    }
    return count;
}

/// Where each cell's angle lies in a DirectivityTable: its interval (0 for cells
/// beyond the table, which are marked in `outside` and counted) and the offset
/// x from the interval's centre, -1 to 1.
SPL_PASS int intervalPass(const float* graus, int n, double quarterTurnsPerDegree, double start,
                          double width, int intervals, int32_t* interval, double* x,
                          int64_t* outside)
{
    const double invWidth = 1 / width, last = intervals - 1;
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        const double tau = graus[i] * quarterTurnsPerDegree;
        const double below = std::floor((tau - start) * invWidth);
        const bool beyond = !(below >= 0 && below <= last);
        const double p = beyond ? 0.0 : below;
        interval[i] = static_cast<int32_t>(p);
        x[i] = (tau - (start + (p + 0.5) * width)) * (2 * invWidth);
        outside[i] = beyond ? 1 : 0;
        count += beyond ? 1 : 0;
    }
    return count;
}

/// P and Q of cells from their intervals' polynomials.
SPL_PASS void tablePass(const double* coef, const int32_t* interval, const double* x, int n,
                        double* P, double* Q)
{
    using Complex = double __attribute__((vector_size(16)));
    static_assert(DirectivityTable::kDegree == 9);
    constexpr int kStride = 2 * (DirectivityTable::kDegree + 1);
    const auto at = [](const double* c) {
        Complex v;
        std::memcpy(&v, c, sizeof v);
        return v;
    };
    for (int i = 0; i < n; ++i) {
        const double* c = coef + interval[i] * kStride;
        const double x1 = x[i], x2 = x1 * x1, x4 = x2 * x2, x8 = x4 * x4;
        const Complex p =
            ((at(c) + at(c + 2) * x1) + x2 * (at(c + 4) + at(c + 6) * x1)) +
            x4 * ((at(c + 8) + at(c + 10) * x1) + x2 * (at(c + 12) + at(c + 14) * x1)) +
            x8 * (at(c + 16) + at(c + 18) * x1);
        P[i] = p[0];
        Q[i] = p[1];
    }
}

/// level = K + 10 log10(w); returns how many w are zero, subnormal, infinite
/// or not a number, and marks them in `odd` for the library's logarithm.
SPL_PASS int levelPass(const double* w, int n, double K, double* out, int64_t* odd)
{
    int count = 0;
#pragma omp simd reduction(+ : count)
    for (int i = 0; i < n; ++i) {
        const double v = w[i];
        const bool normal = v >= DBL_MIN && v <= DBL_MAX;
        out[i] = K + kC10 * vmath::logNormal(normal ? v : 1.0);
        odd[i] = normal ? 0 : 1;
        count += normal ? 0 : 1;
    }
    return count;
}

/// The stored level of each cell: on axis the column's, else the level found,
/// 0 where sin x = 0, minus infinity where it has no value.
SPL_PASS void storePass(const double* level, const int64_t* flag, const float* graus,
                        const float* onAxis, int n, float* spl)
{
    constexpr float minusInf = -std::numeric_limits<float>::infinity();
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double L = flag[i] == 2 ? 0.0 : level[i];
        const float f = (flag[i] == 3 || std::isnan(L)) ? minusInf : static_cast<float>(L);
        spl[i] = graus[i] == 0 ? onAxis[i] : f;
    }
}

} // namespace

RowModel prepareRows(const Request& in, const Result& g)
{
    RowModel m;
    m.curved = g.curved();
    m.yc = g.ycerclefresnel;
    m.pi = in.pi;
    const double pi = in.pi;
    const double lambda = static_cast<float>(double(in.velso) / in.frequencia);
    const double Hs = g.alturarray;
    const double Lref = g.Lref();
    const double dB = g.distanciaborder;
    m.Kfar = Lref + (dB != 0 ? 10 * std::log10(dB) : 0.0);
    m.Kborder = Lref;
    m.Kx = Hs * 180 * pi / 180 / lambda;
    double trigMax = std::abs(m.Kx);
    if (m.curved) {
        const double Nh = in.N * double(in.alturaunacaixa);
        m.Kfar -= 20 * std::log10(Nh);
        m.Kborder -= 20 * std::log10(Nh);
        m.Ku = pi / lambda;
        m.Ka = pi * (180 * Hs / lambda) / 180;
        m.Cpsi = 360 * double(g.RadiCorba) / lambda * pi / 180;
        m.Cg = pi * 0.314 / lambda;
        m.Cg180 = 56.52 / lambda * pi / 180;
        const double A = double(g.RadiCorba) * g.AngleCorbaTotal * pi / 180;
        m.arcScale = A / g.CaixesCorbes;
        const double phi = g.AngleCorbaMig;
        for (int k = 0; k < g.CaixesCorbes; ++k) {
            const double c = std::cos(k * phi * pi / 180), s = std::sin(k * phi * pi / 180);
            m.cosK.push_back(c);
            m.sinK.push_back(s);
            // The turns are of the true circle, not of the model's pi.
            m.psiC.push_back(m.Cpsi * c * (2 / std::numbers::pi));
            m.psiS.push_back(m.Cpsi * s * (2 / std::numbers::pi));
            m.elemC.push_back(m.Cg180 * c);
            m.elemS.push_back(m.Cg180 * s);
            m.elemTurnsC.push_back(m.Cg180 * c / std::numbers::pi);
            m.elemTurnsS.push_back(m.Cg180 * s / std::numbers::pi);
        }
        // The arc pass divides by the numerator's argument instead of g.
        m.elementRatio = m.Cg != 0 ? m.Cg180 / m.Cg : 1.0;
        trigMax = std::max({std::abs(m.Ka), std::abs(m.Cpsi), std::abs(m.Cg180)});
    }
    m.wideTrig = !(trigMax <= vmath::kTrigLimit);
    // |sin beta| may exceed 1 by a rounding or two.
    m.lowElement = std::abs(m.Cg180) * (1 + 1e-12) <= vmath::kSincLimit;
    return m;
}

namespace {

/// The arc sum of n cells, term by term, into re and im.
void arcTerms(const RowModel& m, const double* st, const double* ct, int n, double* re, double* im)
{
    std::fill_n(re, n, 0.0);
    std::fill_n(im, n, 0.0);
    for (std::size_t k = 0; k < m.cosK.size(); ++k) {
        if (m.wideTrig) {
            for (int i = 0; i < n; ++i) {
                const double cb = ct[i] * m.cosK[k] - st[i] * m.sinK[k];
                const double sb = st[i] * m.cosK[k] + ct[i] * m.sinK[k];
                const double psi = m.Cpsi * cb;
                const double gg = m.Cg * sb;
                const double e = gg == 0 ? 1.0 : std::sin(m.Cg180 * sb) / gg;
                re[i] += e * std::cos(psi);
                im[i] += e * std::sin(psi);
            }
        } else if (m.lowElement) {
            arcPassLow(st, ct, n, m.psiC[k], m.psiS[k], m.elemC[k], m.elemS[k], re, im);
        } else {
            arcPass(st, ct, n, m.psiC[k], m.psiS[k], m.elemTurnsC[k], m.elemTurnsS[k], re, im);
        }
    }
}

/// What scales the arc sums in pqPass.
double arcSumScale(const RowModel& m)
{
    return m.wideTrig ? m.arcScale : m.arcScale * m.elementRatio;
}

/// P and Q of n cells of a curved array, term by term, into re and im.
void curvedTerms(const RowModel& m, const double* st, const double* ct, int n, double* re,
                 double* im)
{
    arcTerms(m, st, ct, n, re, im);
    pqPass(st, n, m.Ku, m.Ka * (2 / std::numbers::pi), m.Ka / m.Ku, arcSumScale(m), re, im);
}

/// The Chebyshev points cos((2k + 1) pi / 2N) of [-1, 1], the table's
/// interpolation points, N = DirectivityTable::kDegree + 1.
constexpr int kPoints = DirectivityTable::kDegree + 1;
using PointArray = std::array<double, kPoints>;
using PointMatrix = std::array<PointArray, kPoints>;

const PointArray& chebyshevPoints()
{
    static const PointArray x = [] {
        PointArray p{};
        for (int k = 0; k < kPoints; ++k)
            p[std::size_t(k)] = std::cos((2 * k + 1) * std::numbers::pi / (2 * kPoints));
        return p;
    }();
    return x;
}

/// dct[m][k] takes the values at the points to the coefficient of T_m of the
/// interpolant; power[m][j] is the coefficient of x^j in T_m. Going through the
/// Chebyshev coefficients keeps the roundings small: they fall quickly, so the
/// large coefficients of the high T_m multiply small numbers.
struct ChebyshevTransform
{
    PointMatrix dct{}, power{};
};

const ChebyshevTransform& chebyshevTransform()
{
    static const ChebyshevTransform t = [] {
        ChebyshevTransform c;
        c.power[0][0] = 1;
        c.power[1][1] = 1;
        for (std::size_t m = 1; m + 1 < kPoints; ++m)
            for (std::size_t j = 0; j < kPoints; ++j)
                c.power[m + 1][j] = (j > 0 ? 2 * c.power[m][j - 1] : 0.0) - c.power[m - 1][j];
        for (std::size_t m = 0; m < kPoints; ++m)
            for (std::size_t k = 0; k < kPoints; ++k)
                c.dct[m][k] =
                    (m == 0 ? 1.0 : 2.0) / kPoints *
                    std::cos(double(m) * (2 * double(k) + 1) * std::numbers::pi / (2 * kPoints));
        return c;
    }();
    return t;
}

} // namespace

DirectivityTable planDirectivityTable(const RowModel& m, double tauMin, double tauMax,
                                      long long cells)
{
    constexpr int N = kPoints;
    DirectivityTable t;
    const double terms = double(m.cosK.size());
    if (!m.curved || m.wideTrig || terms < 3 || !(tauMin <= tauMax))
        return t;
    // P + iQ is a function of the angle of highest angular frequency about
    // |Cpsi| + |Cg180| + |Ka| (radians per radian); the margin covers the tail
    // of its spectrum, below 1e-28. Its derivative of order k is then at most
    // band^k times its largest value: |e| <= 1 per term of the arc sum, and the
    // straight section |sin(Ka s) / (Ku s)| <= |Ka / Ku|.
    const double band = 1.15 * (std::abs(m.Cpsi) + std::abs(m.Cg180) + std::abs(m.Ka)) + 32;
    const double size = std::abs(arcSumScale(m)) * terms + std::abs(m.Ka / m.Ku);
    const double radiansPerTurn = std::numbers::pi / 2;
    // Chebyshev interpolation of degree 9 over a half-width w (radians) errs by
    // at most (band w)^10 / (2^9 10!) of the largest value: 1e-13 at band w = 0.4236.
    const double width = 2 * 0.4236 / band / radiansPerTurn;
    const double start = std::floor(tauMin / width) * width;
    const double span = std::ceil((tauMax - start) / width) + 1;
    // A cell's polynomial costs about as much as two terms, and spares it the
    // straight section's sine and cosine.
    constexpr double kCellCost = 2;
    if (!(span < double(1 << 22)) || !(size > 0 && size < 1e300) ||
        span * N * terms + double(cells) * kCellCost >= double(cells) * terms)
        return t;
    t.start = start;
    t.width = width;
    t.intervals = int(span);
    t.coef.assign(std::size_t(t.intervals) * 2 * N, 0.0);
    // The interpolation's bound, and the roundings of the coefficients and of
    // their evaluation (the coefficients fall quickly, so the sum is stable).
    const double h = band * width * radiansPerTurn / 2;
    const double error = size * (std::pow(h, 10) / (512 * 3628800.0) + 1e-14);
    // A relative error x of the amplitude moves the level by 8.686 x dB; an
    // error of P and of Q moves the amplitude by sqrt(2) times it at most.
    constexpr double kToleratedDecibels = 1e-8;
    const double amplitude = 8.686 * std::sqrt(2.0) * error / kToleratedDecibels;
    t.minAmplitude2 = amplitude * amplitude;
    return t;
}

SPL_PASS void fillDirectivityTable(const RowModel& m, DirectivityTable& t, int first, int end)
{
    constexpr int N = kPoints;
    const PointArray& points = chebyshevPoints();
    const ChebyshevTransform& T = chebyshevTransform();
    // P and Q at the Chebyshev points of a few intervals at a time, point k of
    // interval p at k * count + p, so that the transforms below run on whole
    // rows of intervals.
    constexpr int kIntervals = RowBuffers::kChunk / N;
    constexpr int kAll = kIntervals * N;
    double st[kAll], ct[kAll], re[kAll], im[kAll], ar[kAll], ai[kAll];
    for (int p0 = std::max(first, 0); p0 < std::min(end, t.intervals); p0 += kIntervals) {
        const int count = std::min({kIntervals, end - p0, t.intervals - p0});
        for (int k = 0; k < N; ++k) {
            const double offset = points[std::size_t(k)] * t.width / 2;
#pragma omp simd
            for (int p = 0; p < count; ++p) {
                const double centre = t.start + (p0 + p + 0.5) * t.width;
                double s, c;
                vmath::sincosQuarterTurns(centre + offset, s, c);
                st[k * count + p] = s;
                ct[k * count + p] = c;
            }
        }
        curvedTerms(m, st, ct, count * N, re, im);
        // Chebyshev coefficients, then powers of x.
        std::fill_n(ar, kAll, 0.0);
        std::fill_n(ai, kAll, 0.0);
        for (int j = 0; j < N; ++j)
            for (int k = 0; k < N; ++k) {
                const double d = T.dct[std::size_t(j)][std::size_t(k)];
                for (int p = 0; p < count; ++p) {
                    ar[j * count + p] += d * re[k * count + p];
                    ai[j * count + p] += d * im[k * count + p];
                }
            }
        for (int j = 0; j < N; ++j) {
            double cr[kIntervals] = {}, ci[kIntervals] = {};
            for (int mm = j; mm < N; ++mm) {
                const double c = T.power[std::size_t(mm)][std::size_t(j)];
                for (int p = 0; p < count; ++p) {
                    cr[p] += c * ar[mm * count + p];
                    ci[p] += c * ai[mm * count + p];
                }
            }
            for (int p = 0; p < count; ++p) {
                const std::size_t at = 2 * (std::size_t(p0 + p) * N + std::size_t(j));
                t.coef[at] = cr[p];
                t.coef[at + 1] = ci[p];
            }
        }
    }
}

namespace {

/// Calculargraus over `n` cells of the row at height Y, from column X[0] on.
void chunkAngles(const RowModel& m, const float* X, const double* invX, float Y, int n,
                 float* graus, int64_t* flag)
{
    if (Y == m.yc) {
        std::fill_n(graus, n, 0.0f);
        return;
    }
    const double dy = double(Y) - m.yc;
    const double sign = (m.curved && Y < m.yc) ? -1.0 : 1.0;
    const int near = anglePass(invX, n, dy, 180 / m.pi, sign, graus, flag);
    for (int i = 0; near > 0 && i < n; ++i) {
        if (!flag[i])
            continue;
        double th = std::abs(std::atan(dy / X[i])) * 180 / m.pi;
        if (th < 0.1)
            th = 0;
        graus[i] = static_cast<float>(sign * th);
    }
}

double quarterTurnsPerDegree(const RowModel& m)
{
    return m.pi / 180 * (2 / std::numbers::pi);
}

} // namespace

void rowAngles(const RowModel& m, const float* X, const double* invX, float Y, int cols,
               RowAngles& out, RowBuffers& b)
{
    out.graus.resize(std::size_t(cols));
    out.st.resize(std::size_t(cols));
    out.ct.resize(std::size_t(cols));
    for (int c0 = 0; c0 < cols; c0 += RowBuffers::kChunk) {
        const int chunk = std::min(RowBuffers::kChunk, cols - c0);
        chunkAngles(m, X + c0, invX + c0, Y, chunk, &out.graus[std::size_t(c0)], b.flag);
        thetaPass(&out.graus[std::size_t(c0)], chunk, quarterTurnsPerDegree(m),
                  &out.st[std::size_t(c0)], &out.ct[std::size_t(c0)]);
    }
}

void farRow(const RowModel& m, const DirectivityTable* table, const float* X, const double* invX,
            const float* onAxis, float Y, int from, int borderEnd, int cols, RowCells& row,
            RowBuffers& b, const RowAngles* angles)
{
    if (table && table->empty())
        table = nullptr;
    const double quarterTurnsPerDegree = spl::quarterTurnsPerDegree(m);
    for (int c0 = from; c0 < cols; c0 += RowBuffers::kChunk) {
        const int chunk = std::min(RowBuffers::kChunk, cols - c0);
        float* graus = row.graus + c0;
        const double* ix = invX + c0;
        // Calculargraus
        if (angles)
            std::copy_n(&angles->graus[std::size_t(c0)], chunk, graus);
        else
            chunkAngles(m, X + c0, ix, Y, chunk, graus, b.flag);
        // On-axis cells (angle 0) take the level of their column. The angle
        // falls with the distance, so they close the row: the level model runs
        // on the cells before them only.
        int n = chunk;
        while (n > 0 && graus[n - 1] == 0)
            --n;
        std::copy(onAxis + c0 + n, onAxis + c0 + chunk, row.spl + c0 + n);
        if (n == 0)
            continue;
        // CalculardBFarField; on-axis cells left among them are taken apart at the end.
        const double* st = angles ? &angles->st[std::size_t(c0)] : b.st;
        const double* ct = angles ? &angles->ct[std::size_t(c0)] : b.ct;
        if (!angles)
            thetaPass(graus, n, quarterTurnsPerDegree, b.st, b.ct);
        // The border cells of the chunk, then the far ones, differ only in the distance term.
        const int split = std::clamp(borderEnd - c0, 0, n);
        std::fill_n(b.flag, n, 0);
        double* level = b.re; // the arc sums are used up by then
        int odd = 0;
        if (m.curved) {
            // w of one run of cells from their P and Q.
            const auto power = [&](int i0, int count, double minAmplitude2) {
                const int mid = std::clamp(split, i0, i0 + count);
                return powerPass(b.re + i0, b.im + i0, ct + i0, ix + i0, mid - i0, 1, minAmplitude2,
                                 b.w + i0, b.weak + i0) +
                       powerPass(b.re + mid, b.im + mid, ct + mid, ix + mid, i0 + count - mid, 2,
                                 minAmplitude2, b.w + mid, b.weak + mid);
            };
            if (m.wideTrig) {
                arcTerms(m, st, ct, n, b.re, b.im);
                for (int i = 0; i < n; ++i) {
                    const double a = m.Ka * st[i];
                    const double u = m.Ku * st[i];
                    const double Ss = -std::sin(a) / u, Cs = std::cos(a), Ts = -std::sin(a);
                    const double Re = b.re[i] * m.arcScale, Im = b.im[i] * m.arcScale;
                    const double P = Im * Cs + Ss + Re * Ts, Q = Cs * Re - Im * Ts;
                    const double r = ct[i] / X[c0 + i];
                    b.w[i] = (P * P + Q * Q) * (i < split ? r : r * r);
                }
            } else if (table) {
                const int beyond =
                    intervalPass(graus, n, quarterTurnsPerDegree, table->start, table->width,
                                 table->intervals, b.interval, b.x, b.odd);
                tablePass(table->coef.data(), b.interval, b.x, n, b.re, b.im);
                const int weak = power(0, n, table->minAmplitude2);
                for (int i = 0; (beyond > 0 || weak > 0) && i < n; ++i)
                    if (b.weak[i] || b.odd[i]) {
                        curvedTerms(m, st + i, ct + i, 1, b.re + i, b.im + i);
                        power(i, 1, 0);
                    }
            } else {
                curvedTerms(m, st, ct, n, b.re, b.im);
                power(0, n, 0);
            }
            odd = levelPass(b.w, split, m.Kborder, level, b.odd);
            odd += levelPass(b.w + split, n - split, m.Kfar, level + split, b.odd + split);
            // Near a class bound the table's error could change a class.
            if (table && boundPass(level, n, b.weak) > 0)
                for (int i = 0; i < n; ++i)
                    if (b.weak[i]) {
                        double P = 0, Q = 0;
                        curvedTerms(m, st + i, ct + i, 1, &P, &Q);
                        int64_t unused = 0;
                        powerPass(&P, &Q, ct + i, ix + i, 1, i < split ? 1 : 2, 0, b.w + i,
                                  &unused);
                        odd -= int(b.odd[i]);
                        odd += levelPass(b.w + i, 1, i < split ? m.Kborder : m.Kfar, level + i,
                                         b.odd + i);
                    }
        } else {
            straightPass(st, ct, ix, split, m.Kx, 1, b.w, b.flag);
            straightPass(st + split, ct + split, ix + split, n - split, m.Kx, 2, b.w + split,
                         b.flag + split);
            if (m.wideTrig) {
                for (int i = 0; i < n; ++i) {
                    const double x = m.Kx * st[i];
                    const double d = std::sin(x) / x;
                    const double r = ct[i] / X[c0 + i];
                    b.w[i] = d * d * (i < split ? r : r * r);
                }
            }
            odd = levelPass(b.w, split, m.Kborder, level, b.odd);
            odd += levelPass(b.w + split, n - split, m.Kfar, level + split, b.odd + split);
        }
        for (int i = 0; odd > 0 && i < n; ++i)
            if (b.odd[i]) {
                level[i] = (i < split ? m.Kborder : m.Kfar) + kC10 * std::log(b.w[i]);
                --odd;
            }
        storePass(level, b.flag, graus, onAxis + c0, n, row.spl + c0);
    }
}

} // namespace spl
