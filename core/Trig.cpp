#include "core/Trig.h"

#include <cmath>

namespace orvane {
namespace {

// Double-double numbers: hi + lo with |lo| <= half an ulp of hi, about 106 bits. Every step is
// a plain IEEE operation, exact by construction (Knuth's sum, Dekker's product without fused
// multiply-add), so the result cannot depend on the CPU.
struct Dd {
    double hi;
    double lo;
};

Dd QuickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

Dd TwoSum(double a, double b) {
    const double s = a + b;
    const double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

Dd Split(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

Dd TwoProduct(double a, double b) {
    const double p = a * b;
    const Dd x = Split(a);
    const Dd y = Split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

Dd Add(Dd a, Dd b) {
    Dd s = TwoSum(a.hi, b.hi);
    const Dd t = TwoSum(a.lo, b.lo);
    s = QuickTwoSum(s.hi, s.lo + t.hi);
    return QuickTwoSum(s.hi, s.lo + t.lo);
}

Dd Multiply(Dd a, Dd b) {
    const Dd p = TwoProduct(a.hi, b.hi);
    return QuickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

Dd Divide(Dd a, double d) {
    const double q1 = a.hi / d;
    const Dd p = TwoProduct(q1, d);
    const Dd s = TwoSum(a.hi, -p.hi);
    const double q2 = (s.hi + ((s.lo - p.lo) + a.lo)) / d;
    return QuickTwoSum(q1, q2);
}

Dd Negate(Dd a) {
    return {-a.hi, -a.lo};
}

// pi / 2 in three parts; the third keeps the reduced angle exact to ~2^-100 near a multiple.
constexpr Dd kHalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kHalfPiTail = -0x1.f1976b7ed8fbcp-110;

// Taylor series of sin (first = r, odd) or cos (first = 1, even) on |r| <= pi / 4: the 15th
// term is below 2^-110 of the sum.
Dd Series(Dd r, bool odd) {
    const Dd r2 = Multiply(r, r);
    Dd term = odd ? r : Dd{1.0, 0.0};
    Dd sum = term;
    for (int k = 1; k <= 15; ++k) {
        const double n = odd ? 2.0 * k * (2.0 * k + 1.0) : (2.0 * k - 1.0) * (2.0 * k);
        term = Negate(Divide(Multiply(term, r2), n));
        sum = Add(sum, term);
    }
    return sum;
}

// sin(x + quarterTurns * pi / 2): the angle is reduced by the nearest multiple of pi / 2.
double SinQuarters(double x, int quarterTurns) {
    const double k = std::nearbyint(x / kHalfPi.hi);
    Dd r = Add({x, 0.0}, Negate(Multiply({k, 0.0}, kHalfPi)));
    r = Add(r, TwoProduct(-k, kHalfPiTail));
    // k is whole and small, so its remainder by 4 is exact.
    const int quadrant = (static_cast<int>(std::fmod(k, 4.0)) + 4 + quarterTurns) % 4;
    const Dd v = Series(r, quadrant % 2 == 0);
    return quadrant >= 2 ? -v.hi : v.hi;
}

}  // namespace

double ExactSin(double radians) {
    return SinQuarters(radians, 0);
}

double ExactCos(double radians) {
    return SinQuarters(radians, 1);
}

}  // namespace orvane
