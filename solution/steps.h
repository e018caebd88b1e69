// The steps every walkthrough opens with: the heading, the drawn exercise,
// the reduction of both inputs, and the expansion to the least common
// denominator. A step that changes the numbers returns the numbers it leaves.
#pragma once

#include <string>

#include "fraction/mixed_number.h"
#include "solution/lines.h"

namespace quorvel {

// What a walkthrough reads from the window.
struct ExerciseContext {
    std::string exerciseNumber = "Bsp.";  // the text of the exercise number field
    std::string difficulty = "Normal";    // the selected difficulty
    std::string kind;                     // the selected kind of fractions
    std::string operatorCaption = "+";    // the caption of the operator button
};

// The captions a walkthrough gives the two operand labels and the result label.
struct OperandLabels {
    std::string first;
    std::string second;
    std::string result;
};

// A worked solution being written: its lines, what it reads from the
// window, and the captions it gives the operand labels.
struct Walkthrough {
    SolutionLines lines;
    ExerciseContext context;
    OperandLabels labels;
};

// Column shorthands: middle text only; a fraction (number over number, drawn
// with a bar); top text only.
void TextColumn(SolutionLines& lines, const std::string& text);
void FractionColumn(SolutionLines& lines, Int numerator, Int denominator);
void TopColumn(SolutionLines& lines, const std::string& text);

// Draws the reduction of n's fraction into the open block. True if it drew
// one or the numerator is 0; false if the fraction is already in lowest terms.
bool WriteReductionStep(SolutionLines& lines, const MixedNumber& n);

// Draws the expansion of n's fraction to the denominator common into the open
// block and returns the expanded numerator; draws nothing and returns n's
// numerator if the denominator already is common.
Int WriteExpansionStep(SolutionLines& lines, const MixedNumber& n, Int common);

// The heading of a walkthrough: the operation's name in red handwriting.
void WriteHeading(SolutionLines& lines, const std::string& name);

// "Aufgabe <number>) [<difficulty> <kind>]<br>".
void WriteExerciseTitle(SolutionLines& lines, const ExerciseContext& context);

// Both operands, their fractions reduced.
struct OperandPair {
    MixedNumber first;
    MixedNumber second;
};

// Heading, exercise line, the drawn exercise and the reduction block; returns
// both operands reduced.
OperandPair WriteExerciseHeader(Walkthrough& solution, const std::string& name, const MixedNumber& a,
                                const MixedNumber& b);

// The expansion of both operands to the least common multiple of their
// denominators; returns both over it.
OperandPair WriteCommonDenominator(SolutionLines& lines, const MixedNumber& a, const MixedNumber& b);

// Text with the characters that would be read as markup replaced by character
// references.
std::string HtmlEscape(const std::string& text);

}  // namespace quorvel
