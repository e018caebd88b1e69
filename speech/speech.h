// Numbers and fractions in German words, as a teacher reads them aloud:
// "drei Viertel", "zweieinhalb", "minus fünf Sechsundsiebzigstel". Texts are
// Windows-1252. Whole numbers are spoken in words up to 9999 and in digits
// beyond; nothing is ever dropped.
#pragma once

#include <cstdint>
#include <string>

#include "fraction/mixed_number.h"

namespace quorvel {

// A whole number: "null", "eins", "einundzwanzig", "minus drei", "12345".
std::string NumberWords(std::int64_t number);

// The name of the parts a denominator makes, for one part and for several:
// "Halb"/"Halbe", "Drittel", "Zwölftel", "Zwanzigstel", "Sechsundsiebzigstel".
// Empty for denominators the words do not cover (0, 1, 101, 9999 + 1 …); a
// fraction with one of those is spoken "x durch y".
std::string PartName(std::int64_t denominator, bool several);

// A fraction: "ein Halb", "drei Halbe", "sieben Zwölftel", "minus drei
// Viertel", "fünf durch 12345". The sign of either number makes it negative.
std::string FractionWords(std::int64_t numerator, std::int64_t denominator);

// A mixed number whole numerator/denominator, the sign in front:
// "zweieinhalb", "drei und drei Viertel", "minus eins und ein Drittel"; a
// whole of 0 speaks the fraction alone, a numerator of 0 the whole alone.
std::string MixedNumberWords(std::int64_t whole, std::int64_t numerator, std::int64_t denominator);

// A number as it is written (fraction/mixed_number.h), as spoken: "sieben",
// "minus drei Viertel", "zweieinhalb"; a fraction with a sign of its own
// as the sum it is written as: "zwei minus ein Viertel".
std::string WrittenNumberWords(const WrittenNumber& written);

// "+", "-", "*", ":", "=" as spoken: "plus", "minus", "mal", "geteilt durch",
// "ist gleich"; any other character as itself.
std::string OperatorWords(char op);

}  // namespace quorvel
