#include "fraction/mixed_number.h"

#include <numeric>

#include "fraction/arithmetic.h"

namespace quorvel {

namespace {

// The fractions of both operands in lowest terms, as the closed formulas of
// the four operations take them; the whole parts stay with the operands.
struct ReducedFractions {
    Int z1, d1, z2, d2;
};

ReducedFractions FractionsOf(const MixedNumber& a, const MixedNumber& b) {
    const MixedNumber x = a.Reduced();
    const MixedNumber y = b.Reduced();
    return {x.numerator, x.denominator, y.numerator, y.denominator};
}

std::string PlainFraction(std::int64_t numerator, std::int64_t denominator) {
    return std::to_string(numerator) + "/" + std::to_string(denominator);
}

std::int64_t Magnitude(std::int64_t value) { return value < 0 ? -value : value; }

}  // namespace

MixedNumber MixedNumber::Of(Int numerator, Int denominator) {
    ReduceFraction(numerator, denominator);
    MixedNumber result;
    SplitWhole(numerator, denominator, result.whole, result.numerator);
    result.denominator = denominator;
    return result;
}

MixedNumber MixedNumber::Reduced() const {
    MixedNumber result = *this;
    ReduceFraction(result.numerator, result.denominator);
    return result;
}

bool MixedNumber::IsFullyReduced() const {
    const std::int64_t size = Magnitude(numerator);
    return denominator > 0 && std::gcd(size, std::int64_t(denominator)) <= 1 && (whole == 0 || size < denominator);
}

MixedNumber Sum(const MixedNumber& a, const MixedNumber& b) {
    const auto [z1, d1, z2, d2] = FractionsOf(a, b);
    const Int denominator = Mul(d1, d2);
    const Int numerator = Add(Add(Mul(z1, d2), Mul(d1, z2)), Mul(Add(a.whole, b.whole), denominator));
    return MixedNumber::Of(numerator, denominator);
}

MixedNumber Difference(const MixedNumber& a, const MixedNumber& b) {
    const auto [z1, d1, z2, d2] = FractionsOf(a, b);
    const Int denominator = Mul(d1, d2);
    const Int numerator = Add(Sub(Mul(z1, d2), Mul(d1, z2)), Mul(Sub(a.whole, b.whole), denominator));
    return MixedNumber::Of(numerator, denominator);
}

MixedNumber Product(const MixedNumber& a, const MixedNumber& b) {
    const auto [z1, d1, z2, d2] = FractionsOf(a, b);
    const Int improper1 = Add(z1, Mul(a.whole, d1));
    const Int improper2 = Add(z2, Mul(b.whole, d2));
    return MixedNumber::Of(Mul(improper1, improper2), Mul(d1, d2));
}

MixedNumber Quotient(const MixedNumber& a, const MixedNumber& b) {
    const auto [z1, d1, z2, d2] = FractionsOf(a, b);
    const Int improper1 = Add(z1, Mul(a.whole, d1));
    const Int improper2 = Add(z2, Mul(b.whole, d2));
    return MixedNumber::Of(Mul(improper1, d2), Mul(d1, improper2));
}

WrittenNumber Written(std::int64_t whole, std::int64_t numerator, std::int64_t denominator, OverOne overOne) {
    WrittenNumber w;
    if (numerator == 0 || (denominator == 1 && overOne == OverOne::AsWholeNumber)) {
        const std::int64_t value = whole + numerator;
        w.minus = value < 0;
        w.hasWhole = true;
        w.whole = Magnitude(value);
        return w;
    }
    w.minus = whole < 0 || (whole == 0 && numerator < 0);
    w.hasWhole = whole != 0;
    w.whole = Magnitude(whole);
    w.hasFraction = true;
    if (whole != 0 && (numerator < 0) != (whole < 0)) w.fractionSign = numerator < 0 ? '-' : '+';
    w.numerator = Magnitude(numerator);
    w.denominator = denominator;
    return w;
}

std::string NumberText(const WrittenNumber& w, const Notation& notation) {
    std::string text = w.minus ? notation.minus : std::string();
    if (w.hasWhole) text += std::to_string(w.whole);
    if (!w.hasFraction) return text;
    if (w.hasWhole) text += notation.beforeFraction;
    if (w.fractionSign == '-') text += notation.minus;
    if (w.fractionSign == '+') text += '+';
    return text + (notation.fraction ? notation.fraction : PlainFraction)(w.numerator, w.denominator);
}

}  // namespace quorvel
