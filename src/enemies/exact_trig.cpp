// The duck flight's exact whole-number sines. Only the double operations +, -, * and / are used,
// each rounded to nearest (the build forbids fusing them into multiply-adds), and no C library
// function: every compiler and platform computes the same bits, and the cuts are exact besides.
#include "enemies/exact_trig.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>

// The steps below that keep what a rounding drops need every operation rounded to a double, not
// held wider (as the x87 unit of 32-bit x86 does).
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round to double");

namespace kx {
namespace {

// pi/2 as a sum of three doubles, 161 bits; what is left out is below 2^-163.
constexpr double kHalfPi1 = 0x1.921fb54442d18p+0;
constexpr double kHalfPi2 = 0x1.1a62633145c07p-54;
constexpr double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// A quick product further than this from a whole number has the true value's cut: the quick
// sine's error, times a factor up to 256, plus the product's rounding stays below 2^-41.
constexpr double kQuickMargin = 0x1p-32;

// A value held as the unevaluated sum hi + lo of two doubles: 106 bits.
using Pair = ExtendedValue;

// Error-free steps: hi is the rounded result, lo exactly what the rounding dropped.
Pair two_sum(double a, double b) {
    const double s = a + b;
    const double b_part = s - a;
    return {s, (a - (s - b_part)) + (b - b_part)};
}
Pair fast_two_sum(double a, double b) {  // for |a| >= |b|, or a = 0
    const double s = a + b;
    return {s, b - (s - a)};
}
// Halves of 26 bits, whose products need no rounding (Veltkamp's split).
Pair split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}
Pair two_product(double a, double b) {  // Dekker's product, as there may be no fused multiply-add
    const double p = a * b;
    const Pair x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// Double-double arithmetic: each result within about 2^-103 of the exact one, relatively.
Pair negate(Pair x) { return {-x.hi, -x.lo}; }
Pair add(Pair x, Pair y) {
    const Pair s = two_sum(x.hi, y.hi), t = two_sum(x.lo, y.lo);
    const Pair v = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(v.hi, t.lo + v.lo);
}
Pair add(Pair x, double y) { return add(x, Pair{y, 0}); }
Pair multiply(Pair x, Pair y) {
    const Pair p = two_product(x.hi, y.hi);
    return fast_two_sum(p.hi, p.lo + (x.hi * y.lo + x.lo * y.hi));
}
Pair multiply(Pair x, double y) {
    const Pair p = two_product(x.hi, y);
    return fast_two_sum(p.hi, p.lo + x.lo * y);
}
Pair divide(Pair x, double d) {
    const double q = x.hi / d;
    const Pair back = two_product(q, d);
    const double rest = ((x.hi - back.hi) - back.lo) + x.lo;
    return fast_two_sum(q, rest / d);
}

// The largest whole number not above x, for |x| < 2^31, without the C library's floor.
int floor_of(double x) {
    const int n = static_cast<int>(x);  // towards 0
    return double(n) > x ? n - 1 : n;
}
int floor_of(Pair x) {  // hi + lo with |lo| at most half a unit in the last place of hi
    const int n = floor_of(x.hi);
    return double(n) == x.hi && x.lo < 0 ? n - 1 : n;
}

// An angle is taken as a whole number of quarter turns, and the rest, within pi/4 + 2^-20.
std::int64_t nearest_quarter_turns(double angle) {
    const double x = angle * kTwoOverPi;
    return static_cast<std::int64_t>(x < 0 ? x - 0.5 : x + 0.5);
}
struct QuickAngle {
    int quarters;  // 0..3
    double rest;   // radians, within 2^-52 of the true rest
};
struct ExtendedAngle {
    int quarters;  // 0..3
    Pair rest;     // radians, within 2^-104 |rest| + 2^-126 of the true rest
};

QuickAngle reduce_quick(double angle) {
    const std::int64_t m = nearest_quarter_turns(angle);
    const double turns = double(m);
    const Pair p1 = two_product(turns, kHalfPi1);
    return {int(m & 3), ((angle - p1.hi) - p1.lo) - turns * kHalfPi2};
}

// Near a multiple of pi/2 the rest is far smaller than the angle: every term is kept exactly
// until the sum, so that even then the rest keeps its sign and its leading bits.
ExtendedAngle reduce_extended(double angle) {
    const std::int64_t m = nearest_quarter_turns(angle);
    const double turns = double(m);
    const Pair p1 = two_product(turns, kHalfPi1), p2 = two_product(turns, kHalfPi2);
    Pair rest = two_sum(angle, -p1.hi);
    rest = add(rest, -p1.lo);
    rest = add(rest, -p2.hi);
    rest = add(rest, -p2.lo);
    rest = add(rest, -(turns * kHalfPi3));
    return {int(m & 3), rest};
}

// Taylor series to the terms in r^17 and r^16: the coefficients of z = r^2, z^2, ... are
// (-1)^n / (2n+1)! and (-1)^n / (2n)!. For |r| <= pi/4 + 2^-20 the first term left out is below
// 2^-58, and the roundings add up to less than 2^-51.
constexpr double kSinCoefficients[] = {-1.0 / 6,        1.0 / 120,        -1.0 / 5040,          1.0 / 362880,
                                       -1.0 / 39916800, 1.0 / 6227020800, -1.0 / 1307674368000, 1.0 / 355687428096000};
constexpr double kCosCoefficients[] = {-1.0 / 2,       1.0 / 24,        -1.0 / 720,         1.0 / 40320,
                                       -1.0 / 3628800, 1.0 / 479001600, -1.0 / 87178291200, 1.0 / 20922789888000};
template <std::size_t N>
double polynomial(const double (&c)[N], double z) {  // Horner's rule
    double v = c[N - 1];
    for (std::size_t i = N - 1; i-- > 0;) v = c[i] + z * v;
    return v;
}
double quick_sin_of_rest(double r) {
    const double z = r * r;
    return r + r * z * polynomial(kSinCoefficients, z);
}
double quick_cos_of_rest(double r) {
    const double z = r * r;
    return 1 + z * polynomial(kCosCoefficients, z);
}
double quick_sine_at(int quarters, double rest) {
    const double v = quarters & 1 ? quick_cos_of_rest(rest) : quick_sin_of_rest(rest);
    return quarters & 2 ? -v : v;
}

// sin r = r (1 - r^2/(2*3) (1 - r^2/(4*5) (1 - ...))) to the term in r^29, cos r likewise to r^28;
// for |r| <= pi/4 + 2^-20 the first term left out is below 2^-117. Near r = 0 the cosine comes
// out as 1 - w with w kept in lo, so that its cut is right there too.
Pair extended_of_rest(Pair r, bool cosine) {
    const Pair z = multiply(r, r);
    Pair t{1, 0};
    for (int n = 14; n >= 1; --n) {
        const double divisor = cosine ? (2 * n - 1) * (2 * n) : (2 * n) * (2 * n + 1);
        t = add(Pair{1, 0}, negate(divide(multiply(z, t), divisor)));
    }
    return cosine ? t : multiply(r, t);
}
Pair extended_sine_at(int quarters, Pair rest) {
    const Pair v = extended_of_rest(rest, quarters & 1);
    return quarters & 2 ? negate(v) : v;
}

// The cut of sin(angle + quarter_turns * pi/2) * k. The true product is never a whole number but
// at angle 0 (the sine and cosine of any other double are transcendental), so a value accurate
// enough always decides it; the extended one is far more than accurate enough for every angle
// the game reaches (tools/trig_check measures by how much).
int cut_times(double angle, int quarter_turns, int k) {
    const QuickAngle q = reduce_quick(angle);
    const double product = quick_sine_at((q.quarters + quarter_turns) & 3, q.rest) * k;
    const int n = floor_of(product);
    if (product - n > kQuickMargin && (n + 1) - product > kQuickMargin) return n;
    const ExtendedAngle e = reduce_extended(angle);
    return floor_of(multiply(extended_sine_at((e.quarters + quarter_turns) & 3, e.rest), double(k)));
}

}  // namespace

int cut_sin_times(double angle, int k) { return cut_times(angle, 0, k); }
// cos a = sin(a + pi/2): one quarter turn more.
int cut_cos_times(double angle, int k) { return cut_times(angle, 1, k); }

double quick_sin(double angle) {
    const QuickAngle q = reduce_quick(angle);
    return quick_sine_at(q.quarters, q.rest);
}
double quick_cos(double angle) {
    const QuickAngle q = reduce_quick(angle);
    return quick_sine_at((q.quarters + 1) & 3, q.rest);
}
ExtendedValue extended_sin(double angle) {
    const ExtendedAngle e = reduce_extended(angle);
    return extended_sine_at(e.quarters, e.rest);
}
ExtendedValue extended_cos(double angle) {
    const ExtendedAngle e = reduce_extended(angle);
    return extended_sine_at((e.quarters + 1) & 3, e.rest);
}

}  // namespace kx
