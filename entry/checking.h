// Checking the pupil's own result: right, right but not reduced, or wrong;
// and for a wrong one, which typical wrong strategies give exactly the
// pupil's value for this exercise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fraction/rational.h"

namespace quorvel {

// A typical wrong strategy: its name and what to do instead, as one or two
// sentences for the pupil, and what to look at, without a number, for the
// first hint (Windows-1252).
struct WrongStrategy {
    std::string name;
    std::string advice;
    std::string lookAt;
};

// The strategies for an operator ("+", "-", "*", ":"), each with the value it
// gives for this exercise, the sign included. Only those that apply to it and
// give another value than the right one are listed; a wrong sign only where a
// sign rule is in play (a negative operand, a difference below zero).
struct WrongResult {
    const WrongStrategy* strategy;
    Rational value;
};
std::vector<WrongResult> WrongResults(char op, const MixedNumber& first, const MixedNumber& second);

// Every strategy of the catalogue, for every operator, each once.
std::vector<const WrongStrategy*> CatalogueStrategies();

enum class Verdict { Right, NotReduced, Wrong };

struct Check {
    Verdict verdict = Verdict::Wrong;
    // Right, but written as an improper fraction where a mixed number is
    // usual: the other form is worth a friendly word.
    bool improperForm = false;
    // For a wrong result: the strategies that give exactly the pupil's value.
    std::vector<const WrongStrategy*> strategies;
};

// Compares the pupil's result with the exact result of the exercise.
Check CheckResult(char op, const MixedNumber& first, const MixedNumber& second, const MixedNumber& pupil);

}  // namespace quorvel
