// The four operations. Evaluate first runs the operation's walkthrough
// writer, which sets the operand labels and appends the worked solution, and
// then computes the result by the closed formula of fraction/mixed_number.h
// on the operands it was given; nothing the writer computes feeds the result.
#pragma once

#include <string>

#include "fraction/mixed_number.h"
#include "solution/steps.h"

namespace quorvel {

// Draws a number as a pupil writes it into the open block: "0", "5", "3/4",
// "-3/4", "-1 3/4" (the sign once, in front), a whole number without "/1".
void NumberColumns(SolutionLines& lines, const MixedNumber& n);
// Draws an exercise so into the open block, indented: "a op b".
void ExerciseColumns(SolutionLines& lines, const MixedNumber& a, char op, const MixedNumber& b);

// The parts of the worked solutions that the steps of an exercise draw too.
// "Ergebnis kürzen, falls möglich." and the reduction of result.
void WriteResultReduction(SolutionLines& lines, const MixedNumber& result);
// Whole part times denominator plus numerator.
Int ImproperNumerator(const MixedNumber& x);
// "   2 1/3 = 7/3" into the open block.
void ConversionColumns(SolutionLines& lines, const MixedNumber& x, Int improper);
// The rule line and the block "caption top1*top2 / bottom1*bottom2".
void WriteProductRule(SolutionLines& lines, const std::string& rule, const std::string& caption,
                      const std::string& spokenCaption, Int top1, Int top2, Int bottom1, Int bottom2);
// The block "*) Ergebnis = " numerator/denominator, and its whole part if it has one.
void WriteProductResult(SolutionLines& lines, Int numerator, Int denominator);
// The whole part and remainder after a sum or difference, as " = " and two
// columns. Where the pair reads as a mixed number (the remainder carries the
// sign of the whole part, or is not negative beside a zero whole part) the
// remainder is drawn without its sign; otherwise the whole part is drawn
// with "+ " and the remainder with its sign, so that the pair still reads as
// the value.
void WriteSplitColumns(SolutionLines& lines, Int whole, Int rest, Int denominator);
// "   x op y = wholes numerator/lcd" into the open block, x and y over one
// denominator.
void LikeFractionsColumns(SolutionLines& lines, const MixedNumber& x, char op, const MixedNumber& y, Int wholes,
                          Int numerator);
// The minuend x over the common denominator after borrowing as many wholes
// as its numerator needs to take y's away, and the numerators' difference.
struct Borrowing {
    MixedNumber minuend;
    Int difference;
};
Borrowing BorrowForSubtraction(const MixedNumber& x, const MixedNumber& y);
// "   Vorher Minuenden umformen:" and the block "before = after".
void WriteMinuendRewritten(SolutionLines& lines, const MixedNumber& before, const MixedNumber& after);

// The worked solutions of a op b, drawn from the operands as written.
void WriteAdditionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteSubtractionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteMultiplicationSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
void WriteDivisionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);

// The walkthrough of an operator character "+", "-", "*" or ":", and the
// result in normal form.
MixedNumber Evaluate(char op, Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);

}  // namespace quorvel
