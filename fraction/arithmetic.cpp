#include "fraction/arithmetic.h"

#include <cstdint>
#include <limits>

namespace quorvel {

Int Gcd(Int a, Int b) {
    Int x = a;
    Int y = b;
    Int r;
    do {
        r = Rem(x, y);
        x = y;
        y = r;
    } while (r != 0);
    return x;
}

Int Lcm(Int a, Int b) {
    // a is divisible by the gcd, so dividing first gives the same value as
    // the product divided afterwards, without an intermediate that could
    // overflow where the result itself fits.
    Int g = Gcd(a, b);
    return Mul(Div(a, g), b);
}

void ReduceFraction(Int& numerator, Int& denominator) {
    Int g = Gcd(numerator, denominator);
    numerator = Div(numerator, g);
    denominator = Div(denominator, g);
    if (denominator < 0) {
        numerator = Neg(numerator);
        denominator = Neg(denominator);
    }
}

void SplitWhole(Int numerator, Int denominator, Int& whole, Int& rest) {
    if (denominator == 0) throw DivisionByZero();
    // 64-bit so that the magnitude of -2^31 can be formed.
    std::int64_t m = numerator < 0 ? -std::int64_t(numerator) : std::int64_t(numerator);
    if (denominator > m) {
        whole = 0;
        rest = numerator;
        return;
    }
    std::int64_t w = m / denominator;
    std::int64_t r = m - w * denominator;
    if (numerator < 0) {
        w = -w;
        r = -r;
    }
    if (w > std::numeric_limits<Int>::max() || w < std::numeric_limits<Int>::min()) {
        throw ArithmeticOverflow();
    }
    whole = Int(w);
    rest = Int(r);
}

std::string DecimalText(Int value) { return std::to_string(value); }

std::string WholePartText(Int whole) {
    if (whole == 0) return {};
    if (whole > 0) return DecimalText(whole);
    return DecimalText(whole) + "+ ";
}

}  // namespace quorvel
