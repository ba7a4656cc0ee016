#pragma once

// Elementary functions written so that a loop calling them vectorises: no
// branches, no calls, 64-bit integer lanes only. They stay within a few units
// in the last place of the library functions over the ranges stated, which
// keeps the deep nulls of the level model where the library puts them.

#include <bit>
#include <cmath>
#include <cstdint>

namespace spl::vmath {

/// Angles beyond this size (in radians) are left to the library.
inline constexpr double kTrigLimit = 1.0e6;

namespace detail {

/// x - n pi with n the nearest whole number, in [-pi/2, pi/2]; `odd` has its
/// sign bit set when n is odd.
[[gnu::always_inline]] inline double reduceByPi(double x, uint64_t& odd)
{
    constexpr double invpi = 3.18309886183790671538e-01;
    constexpr double pi_1 = 3.14159265346825122833e+00; // first 33 bits of pi
    constexpr double pi_2 = 1.21542010126079319532e-10; // next 33 bits
    constexpr double pi_3 = 4.04453249742233291160e-21; // next 33 bits
    constexpr double shifter = 0x1.8p52;
    const double shifted = x * invpi + shifter;
    odd = std::bit_cast<uint64_t>(shifted) << 63;
    const double n = shifted - shifter;
    // n pi_1 is exact; the two smaller parts are summed beside it, which
    // shortens the chain of dependent operations by one.
    return (x - n * pi_1) - (n * pi_2 + n * pi_3);
}

// Taylor coefficients. On [-pi/2, pi/2] the first term left out is below 3e-16
// (about one unit in the last place of 1). The polynomials here are evaluated
// by Estrin's scheme: fewer dependent steps than Horner's, so that the loops
// that call them are not bound by latency.
[[gnu::always_inline]] inline double sinOfReduced(double r, double z)
{
    const double z2 = z * z;
    const double z4 = z2 * z2;
    const double a0 = -1.0 / 6.0 + z * (1.0 / 120.0);
    const double a1 = -1.0 / 5040.0 + z * (1.0 / 362880.0);
    const double a2 = -1.0 / 39916800.0 + z * (1.0 / 6227020800.0);
    const double a3 = -1.0 / 1307674368000.0 + z * (1.0 / 355687428096000.0);
    const double b0 = a0 + z2 * a1;
    const double b1 = a2 + z2 * a3;
    const double p = b0 + z4 * (b1 + z4 * (-1.0 / 121645100408832000.0));
    return r + (r * z) * p;
}

[[gnu::always_inline]] inline double flip(double v, uint64_t sign)
{
    return std::bit_cast<double>(std::bit_cast<uint64_t>(v) ^ sign);
}

/// sin and cos of r + q pi/2, |r| <= pi/4, from the polynomials of
/// [-pi/4, pi/4] (the kernels of fdlibm) and the last two bits of q.
[[gnu::always_inline]] inline void sincosOfQuadrant(double r, uint64_t q, double& s, double& c)
{
    const double z = r * r;
    const double sv =
        r +
        r * z *
            (-1.66666666666666324348e-01 +
             z * (8.33333333332248946124e-03 +
                  z * (-1.98412698298579493134e-04 +
                       z * (2.75573137070700676789e-06 +
                            z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)))));
    const double cv =
        1.0 + z * (-0.5 + z * (4.16666666666666019037e-02 +
                               z * (-1.38888888888741095749e-03 +
                                    z * (2.48015872894767294178e-05 +
                                         z * (-2.75573143513906633035e-07 +
                                              z * (2.08757232129817482790e-09 +
                                                   z * -1.13596475577881948265e-11))))));
    const bool odd = (q & 1) != 0;
    s = flip(odd ? cv : sv, (q & 2) << 62);
    c = flip(odd ? sv : cv, ((q + 1) & 2) << 62);
}

} // namespace detail

/// sin and cos of t pi/2, the angle given in quarter turns, |t| < 2^50. The
/// reduction is a subtraction, exact, so the result is as accurate as t: when
/// t comes from a sum of products anyway (an angle made by angle addition),
/// computing it in quarter turns instead of radians costs no accuracy and
/// saves the multiplications of a reduction.
[[gnu::always_inline]] inline void sincosQuarterTurns(double t, double& s, double& c)
{
    constexpr double pio2 = 1.57079632679489661923;
    constexpr double shifter = 0x1.8p52;
    const double shifted = t + shifter;
    const double n = shifted - shifter;
    detail::sincosOfQuadrant((t - n) * pio2, std::bit_cast<uint64_t>(shifted), s, c);
}

/// sin x, |x| <= kTrigLimit, with its relative accuracy near its zeros.
[[gnu::always_inline]] inline double sin(double x)
{
    uint64_t odd;
    const double r = detail::reduceByPi(x, odd);
    return detail::flip(detail::sinOfReduced(r, r * r), odd);
}

/// sin(pi t) / (pi t) (1 at 0), the argument given in half turns, |t| < 2^50,
/// with the relative accuracy of sin near its zeros and the exact reduction of
/// sincosQuarterTurns. The reduced argument is divided by t while the
/// polynomial is evaluated: one rounded quotient, off the critical path.
[[gnu::always_inline]] inline double sincPi(double t)
{
    constexpr double pi = 3.14159265358979323846;
    constexpr double shifter = 0x1.8p52;
    const double shifted = t + shifter;
    const uint64_t odd = std::bit_cast<uint64_t>(shifted) << 63;
    const double f = t - (shifted - shifter);
    const double r = f * pi;
    const double q = t == 0 ? 1.0 : f / t;
    return detail::flip(detail::sinOfReduced(q, r * r), odd);
}

/// Arguments of sinc within this size need neither a reduction nor a quotient.
inline constexpr double kSincLimit = 3.2;

/// sin(x) / x (1 at 0) for |x| <= kSincLimit, accurate to a few units of 1e-16
/// absolutely: its Taylor series through x^26, the first term left out being
/// below 2e-17.
[[gnu::always_inline]] inline double sinc(double x)
{
    const double z = x * x;
    double p = 1.0 / 10888869450418352160768000000.0;
    p = p * z - 1.0 / 15511210043330985984000000.0;
    p = p * z + 1.0 / 25852016738884976640000.0;
    p = p * z - 1.0 / 51090942171709440000.0;
    p = p * z + 1.0 / 121645100408832000.0;
    p = p * z - 1.0 / 355687428096000.0;
    p = p * z + 1.0 / 1307674368000.0;
    p = p * z - 1.0 / 6227020800.0;
    p = p * z + 1.0 / 39916800.0;
    p = p * z - 1.0 / 362880.0;
    p = p * z + 1.0 / 5040.0;
    p = p * z - 1.0 / 120.0;
    p = p * z + 1.0 / 6.0;
    return 1.0 - z * p;
}

/// 1 / x for 1e-30 < |x| < 1e30, within an ulp or so: a single-precision
/// quotient refined twice by Newton's method, which is much cheaper than a
/// double division when many are needed at once.
[[gnu::always_inline]] inline double reciprocal(double x)
{
    double y = 1.0f / static_cast<float>(x);
    y = y + y * (1.0 - x * y);
    return y + y * (1.0 - x * y);
}

/// atan(x) for x >= 0 (finite).
[[gnu::always_inline]] inline double atanPositive(double x)
{
    constexpr double T3P8 = 2.41421356237309504880; // tan(3 pi / 8)
    constexpr double pio2 = 1.57079632679489661923, pio4 = 0.78539816339744830962;
    constexpr double morebits = 6.123233995736765886130e-17;
    const bool big = x > T3P8;
    const bool mid = !big && x > 0.66;
    const double num = big ? -1.0 : mid ? x - 1.0 : x;
    const double den = big ? x : mid ? x + 1.0 : 1.0;
    const double y0 = big ? pio2 : mid ? pio4 : 0.0;
    const double extra = big ? morebits : mid ? 0.5 * morebits : 0.0;
    const double t = num / den;
    const double z = t * t;
    const double p = ((((-8.750608600031904122785e-1 * z - 1.615753718733365076637e1) * z -
                        7.500855792314704667340e1) *
                           z -
                       1.228866684490136173410e2) *
                          z -
                      6.485021904942025371773e1);
    const double qq = (((((z + 2.485846490142306297962e1) * z + 1.650270098316988542046e2) * z +
                         4.328810604912902668951e2) *
                            z +
                        4.853903996359136964868e2) *
                           z +
                       1.945506571482613964425e2);
    return y0 + ((t * (z * p / qq) + t) + extra);
}

/// Natural logarithm of a positive normal finite x.
[[gnu::always_inline]] inline double logNormal(double x)
{
    constexpr double ln2_hi = 6.93147180369123816490e-01, ln2_lo = 1.90821492927058770002e-10;
    constexpr double Lg1 = 6.666666666666735130e-01, Lg2 = 3.999999999940941908e-01,
                     Lg3 = 2.857142874366239149e-01, Lg4 = 2.222219843214978396e-01,
                     Lg5 = 1.818357216161805012e-01, Lg6 = 1.531383769920937332e-01,
                     Lg7 = 1.479819860511658591e-01;
    uint64_t bits = std::bit_cast<uint64_t>(x);
    // Scale the mantissa into [sqrt(2)/2, sqrt(2)) and take the exponent to match.
    uint64_t hx = (bits >> 32) + (0x3ff00000 - 0x3fe6a09e);
    const uint64_t kbits = hx >> 20; // biased exponent, 1..2046
    hx = (hx & 0x000fffff) + 0x3fe6a09e;
    bits = (hx << 32) | (bits & 0xffffffffULL);
    const double m = std::bit_cast<double>(bits);
    const double dk = std::bit_cast<double>(0x4330000000000000ULL | kbits) - (0x1p52 + 1023.0);
    const double f = m - 1.0;
    const double hfsq = 0.5 * f * f;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double w = z * z;
    const double t1 = w * (Lg2 + w * (Lg4 + w * Lg6));
    const double t2 = z * (Lg1 + w * (Lg3 + w * (Lg5 + w * Lg7)));
    const double R = t2 + t1;
    return s * (hfsq + R) + dk * ln2_lo - hfsq + f + dk * ln2_hi;
}

/// Largest size of an argument of expModerate.
inline constexpr double kExpLimit = 708.0;

/// e^x for |x| <= kExpLimit, within a few ulps: x split into k ln 2 + r,
/// |r| <= ln 2 / 2, e^r from its Taylor series through r^13 (the first term
/// left out is below 5e-18), then scaled by 2^k through the exponent bits.
[[gnu::always_inline]] inline double expModerate(double x)
{
    constexpr double log2e = 1.4426950408889634074;
    constexpr double ln2_hi = 6.93147180369123816490e-01, ln2_lo = 1.90821492927058770002e-10;
    const double k = std::nearbyint(x * log2e);
    const double r = (x - k * ln2_hi) - k * ln2_lo;
    double p = 1.0 / 6227020800.0; // 1 / 13!
    p = p * r + 1.0 / 479001600.0;
    p = p * r + 1.0 / 39916800.0;
    p = p * r + 1.0 / 3628800.0;
    p = p * r + 1.0 / 362880.0;
    p = p * r + 1.0 / 40320.0;
    p = p * r + 1.0 / 5040.0;
    p = p * r + 1.0 / 720.0;
    p = p * r + 1.0 / 120.0;
    p = p * r + 1.0 / 24.0;
    p = p * r + 1.0 / 6.0;
    p = p * r + 0.5;
    p = p * r + 1.0;
    p = p * r + 1.0;
    const uint64_t scale = static_cast<uint64_t>(static_cast<int64_t>(k) + 1023) << 52;
    return p * std::bit_cast<double>(scale);
}

} // namespace spl::vmath
