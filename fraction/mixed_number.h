// The mixed number: the one value type of operands and results.
#pragma once

#include <cstdint>
#include <string>

#include "fraction/int32.h"

namespace quorvel {

// whole + numerator/denominator.
//
// Normal form, which every value Of() and the four operations return has:
// the denominator is positive, the fraction is in lowest terms and below one
// (|numerator| < denominator), and a negative value is negative in the whole
// part and the numerator alike (-1 3/4 is whole -1, numerator -3; -3/4 is
// whole 0, numerator -3). Zero is {0, 0, 1}.
//
// An operand holds the numbers as they were typed or drawn, which need not
// be in normal form (6/8, 7/3, 2 -1/4, a negative or zero denominator): the
// worked solutions draw an exercise as it was written, so nothing here
// changes a value behind the caller's back. Reduced() and Of() give the
// reduced forms on request.
struct MixedNumber {
    Int whole = 0;
    Int numerator = 0;
    Int denominator = 1;

    // numerator/denominator in normal form: reduced, then split into whole
    // part and remainder. DivisionByZero for a zero denominator,
    // ArithmeticOverflow where a part leaves the 32-bit range.
    static MixedNumber Of(Int numerator, Int denominator);

    // The fraction part in lowest terms with a positive denominator, the
    // whole part as it is (1 6/8 gives 1 3/4, 10/4 gives 5/2).
    MixedNumber Reduced() const;

    // Written by the rules a pupil checks a result by: the denominator
    // positive, the fraction in lowest terms (0 only over 1), and no wholes
    // left in the fraction of a mixed number.
    bool IsFullyReduced() const;

    friend bool operator==(const MixedNumber&, const MixedNumber&) = default;
};

// The exact results in normal form, computed by closed formulas on the
// operands' reduced fractions in 32 bits; ArithmeticOverflow where an
// intermediate leaves the range, DivisionByZero for a zero denominator or
// divisor.
MixedNumber Sum(const MixedNumber& a, const MixedNumber& b);
MixedNumber Difference(const MixedNumber& a, const MixedNumber& b);
MixedNumber Product(const MixedNumber& a, const MixedNumber& b);
MixedNumber Quotient(const MixedNumber& a, const MixedNumber& b);

// A number as a pupil writes it, in parts: a minus once in front, then the
// whole part, then the fraction. A whole number has no fraction; a fraction
// whose sign differs from the whole part's carries a sign of its own
// (2 -1/4, -1 +3/4), so that the parts always read as the value.
struct WrittenNumber {
    bool minus = false;
    bool hasWhole = false;      // false: a fraction alone
    std::int64_t whole = 0;     // the magnitude
    bool hasFraction = false;   // false: a whole number
    char fractionSign = 0;      // 0, '-' or '+'
    std::int64_t numerator = 0;    // the magnitude
    std::int64_t denominator = 1;  // as given
};

// How a fraction over 1 is written: as the whole number it is (3/1 as 3,
// 2 3/1 as 5), or as it was typed.
enum class OverOne { AsWholeNumber, AsTyped };

WrittenNumber Written(std::int64_t whole, std::int64_t numerator, std::int64_t denominator,
                      OverOne overOne = OverOne::AsWholeNumber);
inline WrittenNumber Written(const MixedNumber& n, OverOne overOne = OverOne::AsWholeNumber) {
    return Written(n.whole, n.numerator, n.denominator, overOne);
}

// How the parts are put together: the minus, what stands between the whole
// part and the fraction, and the fraction itself. The plain form gives
// "-1 3/4", "2 -1/4", "5/6", "3".
struct Notation {
    std::string minus = "-";
    std::string beforeFraction = " ";
    std::string (*fraction)(std::int64_t numerator, std::int64_t denominator) = nullptr;  // "n/d" if null
};

// The number as text in a notation.
std::string NumberText(const WrittenNumber& written, const Notation& notation = {});
inline std::string NumberText(const MixedNumber& n, OverOne overOne = OverOne::AsWholeNumber) {
    return NumberText(Written(n, overOne));
}

}  // namespace quorvel
