// Any text in the exercise number field: "Neue Aufgabe" either refuses it
// with the conversion error or writes a canonical designation that parses
// back to itself and seeds as letter + 10 * number.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exercise/designation.h"
#include "fraction/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string typed(reinterpret_cast<const char*>(data), size);
    std::string text = PrepareExerciseField(typed);
    RandomSource random;
    random.Seed(12345);
    try {
        SeedFromExerciseNumber(text, true, random);
    } catch (const ConversionError&) {
        if (text != PrepareExerciseField(typed) || random.State() != 12345) std::abort();  // unchanged
        return 0;
    }
    const Designation d = ParseExerciseNumber(text);
    if (DesignationText(d) != text) std::abort();
    if (d.letter < 0 || d.letter > 8 || d.number < 0) std::abort();
    if (random.State() != std::uint32_t(d.letter) + 10u * std::uint32_t(d.number)) std::abort();
    RandomSource again;
    std::string copy = text;
    SeedFromExerciseNumber(copy, false, again);
    if (copy != text || again.State() != random.State()) std::abort();
    return 0;
}
