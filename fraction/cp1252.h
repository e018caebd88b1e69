// Single-byte Windows-1252 text, the encoding of every text inside the core.
//
// Source files are UTF-8; a literal written as "Brüche"_w is turned into its
// Windows-1252 bytes at compile time, so the code stays readable and the
// strings hold exactly one byte per character ("ü" is 0xFC, "—" is 0x97).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

namespace cp1252 {

// Unicode code points of the bytes 0x80 to 0x9F; 0 marks the five bytes the
// code page leaves undefined (they are mapped to the C1 control of the same value).
inline constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code point a byte stands for.
constexpr char32_t ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char32_t mapped = kHighControls[byte - 0x80];
        return mapped != 0 ? mapped : char32_t(byte);
    }
    return char32_t(byte);
}

// The byte for a code point, or -1 if the code page has none.
constexpr int FromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return int(0x80 + i);
    }
    if (cp >= 0x80 && cp <= 0x9F && kHighControls[cp - 0x80] == 0) return int(cp);
    return -1;
}

// Decodes one UTF-8 sequence starting at s[i]; advances i. Invalid input
// yields U+FFFD.
constexpr char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + std::size_t(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char cont = byte(i + std::size_t(k));
        if ((cont & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cont & 0x3F);
    }
    i += std::size_t(extra) + 1;
    return cp;
}

// Runtime conversions, for texts that do not come from literals.
std::string FromUtf8(std::string_view utf8, char replacement = '?');
std::string ToUtf8(std::string_view text);

// A UTF-8 literal converted to Windows-1252 at compile time. A character the
// code page cannot hold is a compile error.
template <std::size_t N>
struct Literal {
    std::array<char, N> bytes{};
    std::size_t size = 0;

    constexpr Literal(const char (&utf8)[N]) {
        std::string_view view(utf8, N - 1);
        std::size_t i = 0;
        while (i < view.size()) {
            int b = FromUnicode(DecodeUtf8(view, i));
            if (b < 0) throw "character not in Windows-1252";
            bytes[size++] = static_cast<char>(b);
        }
    }
};

}  // namespace cp1252

template <cp1252::Literal L>
inline std::string operator""_w() {
    return std::string(L.bytes.data(), L.size);
}

}  // namespace quorvel
