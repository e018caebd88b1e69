// Integer fraction helpers on which every worked solution rests.
#pragma once

#include <string>

#include "fraction/int32.h"

namespace quorvel {

// A greatest common divisor by Euclid's algorithm with the truncating
// remainder. The sign is not made positive: it is the sign of the last
// non-zero divisor of the chain (Gcd(-6, 4) is -2, Gcd(0, -5) is -5).
Int Gcd(Int a, Int b);

// a * b div Gcd(a, b); for two positive denominators their least common multiple.
Int Lcm(Int a, Int b);

// Lowest terms with a positive denominator; the numerator carries the sign.
void ReduceFraction(Int& numerator, Int& denominator);

// An improper fraction as whole part and remainder, both with the sign of the
// numerator. The denominator must be positive. Reads both inputs before
// writing, so rest may be the caller's numerator variable.
void SplitWhole(Int numerator, Int denominator, Int& whole, Int& rest);

// The plain decimal text: minus sign for negative values, no leading zeros.
std::string DecimalText(Int value);

// The whole part in front of a drawn fraction: empty for 0, the decimal text
// for a positive value, the decimal text followed by "+ " for a negative one.
std::string WholePartText(Int whole);

}  // namespace quorvel
