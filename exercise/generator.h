// The exercise generator: two operands drawn in a fixed order from the
// seeded random source, and in mixed mode the operation.
#pragma once

#include <array>
#include <string>

#include "exercise/random.h"
#include "exercise/settings.h"
#include "fraction/mixed_number.h"

namespace quorvel {

// How often each operator, in the order "+", "-", "*", ":", was drawn in
// mixed mode.
using OperationCounts = std::array<Int, 4>;

// An operator different from the one shown on the operator button.
char DrawRandomOperator(RandomSource& random, char shown);
// -1 if all counters are equal, else the smallest.
Int LeastOperationCount(const OperationCounts& counts);
// The first operator whose counter is the least; a random one when all are equal.
char DrawBalancedOperator(RandomSource& random, const OperationCounts& counts, char shown);

// What a new exercise depends on, as the window shows it.
struct ExerciseSettings {
    std::string exerciseNumber;  // the text of the exercise number field
    int difficulty = 0;          // rows of the three groups
    int kind = 0;
    int operation = 0;
    char shownOperator = '+';  // the caption of the operator button
    bool advance = true;       // the trigger is "Neue Aufgabe": the number advances
};

// A posed exercise: the designation text and the texts for the six operand
// fields and the operator button.
struct PosedExercise {
    std::string exerciseNumber;
    MixedNumber first;
    MixedNumber second;
    char op = '+';
    std::string firstWhole, firstNumerator, firstDenominator, secondWhole, secondNumerator, secondDenominator;
};

// The random state and the operation counts of a run.
class ExerciseGenerator {
public:
    // Advances the designation and draws the next exercise. Raises
    // ConversionError for an unreadable designation, leaving the state alone.
    PosedExercise Pose(const ExerciseSettings& settings);

    const OperationCounts& Counts() const { return counts_; }

private:
    RandomSource random_;
    OperationCounts counts_{};
};

}  // namespace quorvel
