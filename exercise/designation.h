// Exercise designations ("250 a"): parsing, advancing and seeding.
#pragma once

#include <cstdint>
#include <string>

#include "exercise/random.h"

namespace quorvel {

// What a designation text is read as: the number and the letter index
// ("a" is 0, "k" is 10, -1 for no letter).
struct Designation {
    Int number = 1;
    int letter = -1;
};

// The text the exercise number field gets before a new exercise: an empty
// field or the untouched "Bsp." become "1`", which advances to "1 a".
std::string PrepareExerciseField(const std::string& text);

// Collects the digits and the letters "a" to "k" wherever they stand; no
// digits means number 1, only the first letter counts. Raises ConversionError
// when the digits do not fit into 32 bits.
Designation ParseExerciseNumber(const std::string& text);

// The designation that follows: the next letter, after "i" (and "j", "k")
// letter "a" of the next number. Raises ConversionError, naming the number
// that would follow, past the largest 32-bit number.
Designation NextDesignation(Designation d);

// "250 a".
std::string DesignationText(const Designation& d);

// letter + 10 * number, wrapping around in 32 bits.
std::uint32_t SeedOf(const Designation& d);

// Parses the field text; when advance is set (the "Neue Aufgabe" trigger)
// advances it and writes the canonical text back. Seeds random. On an error
// neither the text nor the random state change.
void SeedFromExerciseNumber(std::string& fieldText, bool advance, RandomSource& random);

}  // namespace quorvel
