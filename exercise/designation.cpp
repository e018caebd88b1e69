#include "exercise/designation.h"

#include <limits>

#include "fraction/errors.h"

namespace quorvel {

std::string PrepareExerciseField(const std::string& text) {
    if (text.empty() || text == "Bsp.") return "1`";
    return text;
}

Designation ParseExerciseNumber(const std::string& text) {
    std::string digits;
    std::string letters;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
        if (c >= 'a' && c <= 'k') letters += c;
    }
    Designation d;
    if (!digits.empty()) {
        std::int64_t value = 0;
        for (char c : digits) {
            value = value * 10 + (c - '0');
            if (value > std::numeric_limits<Int>::max()) throw ConversionError(digits);
        }
        d.number = Int(value);
    }
    d.letter = letters.empty() ? -1 : letters.front() - 'a';
    return d;
}

Designation NextDesignation(Designation d) {
    if (d.letter < 8) {
        ++d.letter;
        return d;
    }
    if (d.number == std::numeric_limits<Int>::max()) {
        throw ConversionError(std::to_string(std::int64_t(d.number) + 1));
    }
    d.letter = 0;
    ++d.number;
    return d;
}

std::string DesignationText(const Designation& d) {
    return std::to_string(d.number) + " " + char('a' + d.letter);
}

std::uint32_t SeedOf(const Designation& d) {
    return std::uint32_t(d.letter) + 10u * std::uint32_t(d.number);
}

void SeedFromExerciseNumber(std::string& fieldText, bool advance, RandomSource& random) {
    Designation d = ParseExerciseNumber(fieldText);
    if (advance) {
        d = NextDesignation(d);
        fieldText = DesignationText(d);
    }
    random.Seed(SeedOf(d));
}

}  // namespace quorvel
