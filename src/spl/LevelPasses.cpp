#include "spl/LevelPasses.h"

#include "spl/VectorMath.h"

#include <algorithm>
#include <cfloat>
#include <numbers>

// The row passes run on whole arrays of columns; each is built for several
// instruction sets and the best one for the machine is picked when loaded.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define SPL_PASS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define SPL_PASS
#endif

namespace spl {

namespace {

constexpr double kC10 = 4.342944819032518276511; // 10 / ln 10

/// Whether a double, once rounded to a single, lies so close to half-way
/// between two singles that another faithful computation could round it the
/// other way.
inline bool nearSingleTie(double v)
{
    const double f = static_cast<float>(v);
    const uint64_t exp = std::bit_cast<uint64_t>(f) & 0x7ff0000000000000ULL;
    const double halfUlp = std::bit_cast<double>(exp - (24ULL << 52));
    const double d = std::abs(std::abs(v - f) - halfUlp);
    const bool pow2 = (std::bit_cast<uint64_t>(f) & 0x000fffffffffffffULL) == 0;
    return d < halfUlp * 0x1p-12 || pow2;
}

/// Elevation angles of a row: |atan(dy / X)| in degrees, under 0.1 degree 0,
/// negative below the centre of a curved array, `degrees` being 180 over the
/// model's pi. Marks the cells whose single might round differently from the
/// library's atan and a true division by pi.
SPL_PASS void anglePass(const double* invX, int n, double dy, double degrees, double sign,
                        float* graus, int64_t* flag)
{
    const double ady = std::abs(dy);
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double v = ady * invX[i];
        const double th = vmath::atanPositive(v) * degrees;
        const bool tiny = th < 0.1;
        const float g = static_cast<float>(tiny ? 0.0 : sign * th);
        graus[i] = g;
        flag[i] = (nearSingleTie(th) || std::abs(th - 0.1) < 1e-9) ? 1 : 0;
    }
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

/// Curved arrays: combines the straight section with the arc sum.
/// `KaTurns` is Ka in quarter turns.
SPL_PASS void curvedPass(const double* st, const double* ct, const double* invX, int n, double Ku,
                         double KaTurns, double arcScale, double power, const double* re,
                         const double* im, double* w)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const double u = Ku * st[i];
        double sa, ca;
        vmath::sincosQuarterTurns(KaTurns * st[i], sa, ca);
        const double Ss = -sa * vmath::reciprocal(u);
        const double Cs = ca;
        const double Ts = -sa;
        const double Re = re[i] * arcScale;
        const double Im = im[i] * arcScale;
        const double P = Im * Cs + Ss + Re * Ts;
        const double Q = Cs * Re - Im * Ts;
        const double r = ct[i] * invX[i];
        const double rp = power == 2 ? r * r : r;
        w[i] = (P * P + Q * Q) * rp;
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

void farRow(const RowModel& m, const float* X, const double* invX, const float* onAxis, float Y,
            int from, int borderEnd, int cols, RowCells& row, RowBuffers& b)
{
    const double dy = double(Y) - m.yc;
    const double sign = (m.curved && Y < m.yc) ? -1.0 : 1.0;
    const double quarterTurnsPerDegree = m.pi / 180 * (2 / std::numbers::pi);
    const double KaTurns = m.Ka * (2 / std::numbers::pi);
    for (int c0 = from; c0 < cols; c0 += RowBuffers::kChunk) {
        const int chunk = std::min(RowBuffers::kChunk, cols - c0);
        float* graus = row.graus + c0;
        const double* ix = invX + c0;
        // Calculargraus
        if (Y == m.yc) {
            std::fill_n(graus, chunk, 0.0f);
        } else {
            anglePass(ix, chunk, dy, 180 / m.pi, sign, graus, b.flag);
            for (int i = 0; i < chunk; ++i) {
                if (!b.flag[i])
                    continue;
                double th = std::abs(std::atan(dy / X[c0 + i])) * 180 / m.pi;
                if (th < 0.1)
                    th = 0;
                graus[i] = static_cast<float>(sign * th);
            }
        }
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
        thetaPass(graus, n, quarterTurnsPerDegree, b.st, b.ct);
        // The border cells of the chunk, then the far ones, differ only in the distance term.
        const int split = std::clamp(borderEnd - c0, 0, n);
        std::fill_n(b.flag, n, 0);
        if (m.curved) {
            std::fill_n(b.re, n, 0.0);
            std::fill_n(b.im, n, 0.0);
            for (std::size_t k = 0; k < m.cosK.size(); ++k) {
                if (m.wideTrig) {
                    for (int i = 0; i < n; ++i) {
                        const double cb = b.ct[i] * m.cosK[k] - b.st[i] * m.sinK[k];
                        const double sb = b.st[i] * m.cosK[k] + b.ct[i] * m.sinK[k];
                        const double psi = m.Cpsi * cb;
                        const double gg = m.Cg * sb;
                        const double e = gg == 0 ? 1.0 : std::sin(m.Cg180 * sb) / gg;
                        b.re[i] += e * std::cos(psi);
                        b.im[i] += e * std::sin(psi);
                    }
                } else if (m.lowElement) {
                    arcPassLow(b.st, b.ct, n, m.psiC[k], m.psiS[k], m.elemC[k], m.elemS[k], b.re,
                               b.im);
                } else {
                    arcPass(b.st, b.ct, n, m.psiC[k], m.psiS[k], m.elemTurnsC[k], m.elemTurnsS[k],
                            b.re, b.im);
                }
            }
            const double scale = m.wideTrig ? m.arcScale : m.arcScale * m.elementRatio;
            curvedPass(b.st, b.ct, ix, split, m.Ku, KaTurns, scale, 1, b.re, b.im, b.w);
            curvedPass(b.st + split, b.ct + split, ix + split, n - split, m.Ku, KaTurns, scale, 2,
                       b.re + split, b.im + split, b.w + split);
            if (m.wideTrig) {
                for (int i = 0; i < n; ++i) {
                    const double a = m.Ka * b.st[i];
                    const double u = m.Ku * b.st[i];
                    const double Ss = -std::sin(a) / u, Cs = std::cos(a), Ts = -std::sin(a);
                    const double Re = b.re[i] * m.arcScale, Im = b.im[i] * m.arcScale;
                    const double P = Im * Cs + Ss + Re * Ts, Q = Cs * Re - Im * Ts;
                    const double r = b.ct[i] / X[c0 + i];
                    b.w[i] = (P * P + Q * Q) * (i < split ? r : r * r);
                }
            }
        } else {
            straightPass(b.st, b.ct, ix, split, m.Kx, 1, b.w, b.flag);
            straightPass(b.st + split, b.ct + split, ix + split, n - split, m.Kx, 2, b.w + split,
                         b.flag + split);
            if (m.wideTrig) {
                for (int i = 0; i < n; ++i) {
                    const double x = m.Kx * b.st[i];
                    const double d = std::sin(x) / x;
                    const double r = b.ct[i] / X[c0 + i];
                    b.w[i] = d * d * (i < split ? r : r * r);
                }
            }
        }
        double* level = b.re; // the arc sums are used up
        int odd = levelPass(b.w, split, m.Kborder, level, b.odd);
        odd += levelPass(b.w + split, n - split, m.Kfar, level + split, b.odd + split);
        for (int i = 0; odd > 0 && i < n; ++i)
            if (b.odd[i]) {
                level[i] = (i < split ? m.Kborder : m.Kfar) + kC10 * std::log(b.w[i]);
                --odd;
            }
        storePass(level, b.flag, graus, onAxis + c0, n, row.spl + c0);
    }
}

} // namespace spl
