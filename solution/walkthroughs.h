// The four operations. Evaluate first runs the operation's walkthrough
// writer, which sets the operand labels and appends the worked solution, and
// then computes the result by the closed formula of fraction/mixed_number.h
// on the operands it was given; nothing the writer computes feeds the result.
#pragma once

#include "fraction/mixed_number.h"
#include "solution/steps.h"

namespace quorvel {

// Draws a number as a pupil writes it into the open block: "0", "5", "3/4",
// "-3/4", "-1 3/4" (the sign once, in front), a whole number without "/1".
void NumberColumns(SolutionLines& lines, const MixedNumber& n);
// Draws an exercise so into the open block, indented: "a op b".
void ExerciseColumns(SolutionLines& lines, const MixedNumber& a, char op, const MixedNumber& b);

// The worked solutions of a op b, drawn from the operands as written.
void WriteAdditionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteSubtractionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteMultiplicationSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteDivisionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);

// The walkthrough of an operator character "+", "-", "*" or ":", and the
// result in normal form.
MixedNumber Evaluate(char op, Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);

}  // namespace quorvel
