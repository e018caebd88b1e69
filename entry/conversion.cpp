#include "entry/conversion.h"

#include <cstdint>

#include "fraction/errors.h"

namespace quorvel {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<Int> ConvertHex(const std::string& text, std::size_t i) {
    std::size_t count = text.size() - i;
    if (count == 0 || count > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + std::uint32_t(digit);
    }
    return Int(value);
}

}  // namespace

std::optional<Int> TryConvertInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return std::nullopt;

    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') return ConvertHex(text, i + 1);
    if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        return ConvertHex(text, i + 2);
    }

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t(1) << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return Int(value);
}

Int ConvertInteger(const std::string& text) {
    std::optional<Int> value = TryConvertInteger(text);
    if (!value) throw ConversionError(text);
    return *value;
}

}  // namespace quorvel
