#include "fraction/rational.h"

#include <utility>

namespace quorvel {

std::optional<Rational> MakeRational(Wide numerator, Wide denominator) {
    if (denominator == 0) return std::nullopt;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide a = numerator < 0 ? -numerator : numerator, b = denominator;
    while (b != 0) a = std::exchange(b, a % b);
    numerator /= a;
    denominator /= a;
    const Wide limit = INT64_MAX;
    if (numerator > limit || numerator < -limit || denominator > limit) return std::nullopt;
    return Rational{std::int64_t(numerator), std::int64_t(denominator)};
}

std::optional<Rational> MakeRational(Wide whole, Wide numerator, Wide denominator) {
    return MakeRational(whole * denominator + numerator, denominator);
}

std::optional<Rational> Combine(char op, const Rational& x, const Rational& y) {
    const Wide a = x.numerator, b = x.denominator, c = y.numerator, d = y.denominator;
    switch (op) {
        case '+': return MakeRational(a * d + c * b, b * d);
        case '-': return MakeRational(a * d - c * b, b * d);
        case '*': return MakeRational(a * c, b * d);
        case ':': return MakeRational(a * d, b * c);
    }
    return std::nullopt;
}

std::optional<Rational> CombineAcross(char op, std::int64_t n1, std::int64_t d1, std::int64_t n2, std::int64_t d2) {
    if (op == '+') return MakeRational(Wide(n1) + n2, Wide(d1) + d2);
    return MakeRational(Wide(n1) - n2, Wide(d1) - d2);
}

Rational ValueOf(const MixedNumber& x) {
    return *MakeRational(x.whole, x.numerator, x.denominator != 0 ? x.denominator : 1);
}

WrittenNumber Written(const Rational& value) {
    return Written(value.numerator / value.denominator, value.numerator % value.denominator, value.denominator);
}

}  // namespace quorvel
