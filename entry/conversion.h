// The integer conversion of a field text.
#pragma once

#include <optional>
#include <string>

#include "fraction/int32.h"

namespace quorvel {

// Leading blanks, an optional sign and decimal digits within the signed
// 32-bit range; or, without a sign, up to eight hexadecimal digits after "$",
// "x", "X", "0x" or "0X", taken as a 32-bit pattern. Anything else (an empty
// text, a sign alone, trailing blanks, other characters, a value out of
// range) gives nothing.
std::optional<Int> TryConvertInteger(const std::string& text);

// The same, raising ConversionError for a text that does not convert.
Int ConvertInteger(const std::string& text);

}  // namespace quorvel
