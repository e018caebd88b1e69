// The integer conversion of a field text against an oracle built on
// std::from_chars: both must accept the same texts with the same values.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "entry/conversion.h"

namespace {

std::optional<std::int32_t> Oracle(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    std::string rest = text.substr(i);
    for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
        const std::string p = prefix;
        if (rest.compare(0, p.size(), p) != 0) continue;
        const std::string digits = rest.substr(p.size());
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
        std::uint32_t value = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        return std::int32_t(value);
    }
    std::string digits = rest;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const std::string signedDigits = (negative ? "-" : "") + digits;
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(signedDigits.data(), signedDigits.data() + signedDigits.size(), value);
    if (error != std::errc() || end != signedDigits.data() + signedDigits.size()) return std::nullopt;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (quorvel::TryConvertInteger(text) != Oracle(text)) std::abort();
    return 0;
}
