// The steps every walkthrough opens with: the heading, the drawn exercise,
// the reduction of both inputs, and the expansion to the least common
// denominator. Each routine draws and also changes the caller's variables as
// the step it draws says.
#pragma once

#include <string>

#include "fraction/sheet.h"

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
    SheetLines lines;
    ExerciseContext context;
    OperandLabels labels;
};

// Column shorthands: middle text only; a fraction (number over number, drawn
// with a bar); top text only.
void TextColumn(SheetLines& lines, const std::string& text);
void FractionColumn(SheetLines& lines, Int numerator, Int denominator);
void TopColumn(SheetLines& lines, const std::string& text);

// Draws the reduction of whole numerator/denominator into the open block.
// True if it drew one or the numerator is 0; false if the fraction is already
// in lowest terms. Changes nothing.
bool WriteReductionStep(SheetLines& lines, Int whole, Int numerator, Int denominator);

// Draws the expansion of numerator/denominator to common into the open block
// and replaces numerator by the expanded one; nothing if the denominator
// already is common.
void WriteExpansionStep(SheetLines& lines, Int whole, Int& numerator, Int denominator, Int common);

// The heading of a walkthrough: the operation's name in red handwriting.
void WriteHeading(SheetLines& lines, const std::string& name);

// "Aufgabe <number>) [<difficulty> <kind>]<br>".
void WriteExerciseTitle(SheetLines& lines, const ExerciseContext& context);

// The title line and the exercise drawn as a fraction block, exactly as
// passed in.
void WriteExerciseLine(Walkthrough& sheet, Int whole1, Int numerator1, Int denominator1, Int whole2, Int numerator2,
                       Int denominator2);

// Heading, exercise line, the drawn exercise and the reduction block; both
// fractions are reduced in place afterwards.
void WriteExerciseHeader(Walkthrough& sheet, const std::string& name, Int& whole1, Int& numerator1,
                         Int& denominator1, Int& whole2, Int& numerator2, Int& denominator2);

// Sets common to Lcm of the denominators and expands both numerators to it.
void WriteCommonDenominator(SheetLines& lines, Int whole1, Int& numerator1, Int denominator1,
                            Int whole2, Int& numerator2, Int denominator2, Int& common);

// Text with the characters that would be read as markup replaced by character
// references.
std::string HtmlEscape(const std::string& text);

}  // namespace quorvel
