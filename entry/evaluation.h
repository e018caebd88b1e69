// The "=" action on plain values: reading both operands from their field
// texts, running the walkthrough of the current operator, and the texts of
// the result fields.
#pragma once

#include <optional>
#include <string>

#include "solution/walkthroughs.h"

namespace quorvel {

// The texts of one operand's fields: whole part, numerator, denominator.
struct OperandFields {
    std::string whole;
    std::string numerator;
    std::string denominator;
};

// Reads an operand from its fields. A minus typed in front of the numerator
// with an empty whole part is moved into the whole-part field; an operand
// without numerator is the whole number alone and its denominator field is
// emptied. Those rewrites stay in fields also when a conversion fails with
// ConversionError.
MixedNumber ReadOperand(OperandFields& fields);

// Reads the pupil's own result from the result fields by the operands'
// rules, leaving the texts as typed. Nothing if all three are blank; an
// Error if it does not read, its denominator is 0, its numerator
// -2147483648, or its whole part and fraction have opposite signs.
std::optional<MixedNumber> ReadPupilResult(OperandFields fields);

// The texts of the result fields, in the same three parts.
using ResultFields = OperandFields;
ResultFields ResultTexts(const MixedNumber& result);

enum class EvaluationOutcome { Solved, FirstOperandUnreadable, SecondOperandUnreadable };

struct Evaluation {
    EvaluationOutcome outcome = EvaluationOutcome::Solved;
    // Only when solved: the operands as read, the result and its texts.
    MixedNumber first, second, result;
    ResultFields resultFields;
};

// The messages for unreadable operands.
std::string UnreadableOperandMessage(EvaluationOutcome outcome);

// Clears the solution, reads both operands (rewriting their fields), runs the
// walkthrough of the operator on the solution's operator caption, adds the
// remark on improper fractions for "+" and "-" with that kind (row 1), and
// removes the blank lines. Arithmetic errors of the walkthrough
// ("Division durch Null", "Arithmetischer Überlauf") propagate.
Evaluation EvaluateExercise(OperandFields& first, OperandFields& second, int kindRow, Walkthrough& solution);

}  // namespace quorvel
