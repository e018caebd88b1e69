// The steps of an exercise as data: what the pupil works out one after the
// other, each with its skill, its question, its exact answer and its drawing
// as the worked solution draws it. The hint ladder asks and shows them.
// Texts are Windows-1252.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "entry/checking.h"
#include "fraction/mixed_number.h"
#include "solution/lines.h"

namespace quorvel {

// What a step trains, as a teacher names it.
enum class Skill {
    Reducing,             // a fraction in lowest terms
    CommonDenominator,    // the least common denominator
    Expanding,            // the factor a fraction is expanded by
    CombiningLikeFractions,  // adding or subtracting fractions over one denominator
    Borrowing,            // a whole of the minuend into its fraction
    ImproperFractions,    // a mixed number as an improper fraction
    Reciprocal,           // the divisor turned over
    CrossCancelling,      // a numerator with the other denominator
    MultiplyingFractions, // numerator times numerator, denominator times denominator
    TakingOutWholes,      // the wholes out of an improper fraction
};

// The skill's name for a teacher: "Hauptnenner", "Erweitern" ...
std::string SkillName(Skill skill);

struct ExerciseStep {
    Skill skill;
    std::string question;  // the pupil is asked, Du form
    // The exact answer, as written: 7/3 is not 2 1/3, 3/6 is not 1/2. An
    // integer answer is a whole number alone.
    MixedNumber answer;
    // The step drawn as the worked solution draws it: its text line and its
    // fraction block, with the block's spoken form.
    SolutionLines drawing;
};

// The steps of a op b ("+", "-", "*", ":") for the operands as written, in
// the order the worked solution takes them; the last one's answer is the
// result in normal form. Raises the errors the worked solution raises
// (DivisionByZero, ArithmeticOverflow).
std::vector<ExerciseStep> ExerciseSteps(char op, const MixedNumber& a, const MixedNumber& b);

// An answer typed into one field: "6", "-3", "3/4", "1 3/4", "-1 3/4",
// blanks around the parts. Nothing if it does not read or its denominator
// is 0.
std::optional<MixedNumber> ReadStepAnswer(const std::string& text);

// Whether answer is the step's answer exactly: the same number written the
// same way (the sign may stand in front or on the numerator).
bool AnswersStep(const ExerciseStep& step, const MixedNumber& answer);

// The first rung of the hint ladder: what to look at, in words. Tied to the
// first diagnosed wrong strategy where there is one, else to the first step;
// never a number of the result.
std::string LookAtWords(char op, const std::vector<ExerciseStep>& steps,
                        const std::vector<const WrongStrategy*>& strategies = {});

}  // namespace quorvel
