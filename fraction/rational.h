// Exact rational numbers beyond the 32-bit range of the worked solutions:
// 64-bit numerator and denominator, every intermediate in 128 bits, so that
// no combination of two values can wrap. Used where a value is compared
// rather than drawn (checking a pupil's result against the exact one).
#pragma once

#include <cstdint>
#include <optional>

#include "fraction/mixed_number.h"

namespace quorvel {

// The intermediate type: wide enough for a sum or product of two 64-bit values.
__extension__ typedef __int128 Wide;

// In lowest terms with a positive denominator.
struct Rational {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;

    friend bool operator==(const Rational&, const Rational&) = default;
};

// numerator/denominator in lowest terms; nothing for a zero denominator or
// where the reduced value does not fit in 64 bits.
std::optional<Rational> MakeRational(Wide numerator, Wide denominator);

// whole + numerator/denominator, in lowest terms as MakeRational makes it.
std::optional<Rational> MakeRational(Wide whole, Wide numerator, Wide denominator);

// The exact sum, difference, product or quotient for "+", "-", "*", ":";
// nothing where it does not fit, the divisor is 0 or the operator is another.
std::optional<Rational> Combine(char op, const Rational& x, const Rational& y);

// n1/d1 and n2/d2 combined across, numerators with numerators and
// denominators with denominators, by "+" or "-" (what a pupil does who adds
// fractions like pairs of numbers).
std::optional<Rational> CombineAcross(char op, std::int64_t n1, std::int64_t d1, std::int64_t n2, std::int64_t d2);

// whole + numerator/denominator exactly; a zero denominator counts as 1.
Rational ValueOf(const MixedNumber& value);

// The value written as a mixed number would be: whole part and remainder
// with the value's sign, the denominator positive (-7/4 as -1 and -3 over 4).
// 64 bits wide, since a value need not fit into a MixedNumber.
WrittenNumber Written(const Rational& value);
inline std::string NumberText(const Rational& value) { return NumberText(Written(value)); }

}  // namespace quorvel
