// The four operations. Each evaluation routine first runs its walkthrough
// writer, which sets the operand labels and appends the worked solution to the
// sheet, and then computes the result by a closed formula on the operands it
// was given; nothing the writer computes feeds the result.
#pragma once

#include "fraction/steps.h"

namespace quorvel {

// whole + numerator/denominator; a negative value is negative in the whole
// part and the numerator alike.
struct MixedFraction {
    Int whole = 0;
    Int numerator = 0;
    Int denominator = 1;

    friend bool operator==(const MixedFraction&, const MixedFraction&) = default;
};

// Draws a number as a pupil writes it into the open block: "0", "5", "3/4",
// "-3/4", "-1 3/4" (the sign once, in front), a whole number without "/1".
void NumberColumns(SheetLines& lines, const MixedFraction& n);
// Draws an exercise so into the open block, indented: "a op b".
void ExerciseColumns(SheetLines& lines, const MixedFraction& a, char op, const MixedFraction& b);

void WriteAdditionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2);
void WriteSubtractionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2);
void WriteMultiplicationSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2);
void WriteDivisionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2);

MixedFraction AddFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b);
MixedFraction SubtractFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b);
MixedFraction MultiplyFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b);
MixedFraction DivideFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b);

// The routine for an operator character "+", "-", "*" or ":".
MixedFraction Evaluate(char op, Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b);

}  // namespace quorvel
