#include "entry/evaluation.h"

#include "entry/conversion.h"
#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"
#include "solution/lines.h"

namespace quorvel {

MixedNumber ReadOperand(OperandFields& fields) {
    if (Trimmed(fields.whole).empty() && !fields.numerator.empty() && fields.numerator.front() == '-') {
        fields.whole.assign(1, '-');  // not = "-", which GCC 12 warns of wrongly (-Wrestrict)
        fields.numerator.erase(0, 1);
    }
    MixedNumber operand;
    if (Trimmed(fields.whole) == "-") {
        operand.whole = 0;
        operand.numerator = Neg(ConvertInteger(fields.numerator));
        operand.denominator = ConvertInteger(fields.denominator);
        return operand;
    }
    operand.whole = Trimmed(fields.whole).empty() ? 0 : ConvertInteger(fields.whole);
    if (!Trimmed(fields.numerator).empty()) {
        operand.numerator = ConvertInteger(fields.numerator);
        operand.denominator = ConvertInteger(fields.denominator);
        if (operand.whole < 0 && operand.numerator > 0) operand.numerator = -operand.numerator;
    } else {
        fields.denominator.clear();
        operand.numerator = 0;
        operand.denominator = 1;
    }
    return operand;
}

std::optional<MixedNumber> ReadPupilResult(OperandFields fields) {
    if (Trimmed(fields.whole).empty() && Trimmed(fields.numerator).empty() && Trimmed(fields.denominator).empty()) {
        return std::nullopt;
    }
    const MixedNumber result = ReadOperand(fields);
    // A numerator without a positive counterpart in 32 bits reads as nothing
    // a pupil would write either.
    if (result.denominator == 0 || result.numerator == INT32_MIN) throw ConversionError(fields.denominator);
    // A whole part and a fraction of opposite signs (2 and -3/4) is no
    // mixed number a pupil writes: whichever way it were drawn, it would
    // show another number than was read.
    const bool negativeFraction = (result.numerator < 0) != (result.denominator < 0);
    if (result.whole != 0 && result.numerator != 0 && (result.whole < 0) != negativeFraction) {
        throw ConversionError(fields.numerator);
    }
    return result;
}

ResultFields ResultTexts(const MixedNumber& r) {
    ResultFields texts;
    if (r.whole != 0) {
        texts.whole = DecimalText(r.whole);
    } else if (r.numerator < 0) {
        texts.whole.assign(1, '-');
    } else if (r.numerator == 0) {
        texts.whole.assign(1, '0');
    }
    if (r.numerator != 0) {
        texts.numerator = DecimalText(Abs(r.numerator));
        texts.denominator = DecimalText(r.denominator);
    }
    return texts;
}

std::string UnreadableOperandMessage(EvaluationOutcome outcome) {
    switch (outcome) {
        case EvaluationOutcome::FirstOperandUnreadable: return "Zahlen im 1. Bruch nicht korrekt";
        case EvaluationOutcome::SecondOperandUnreadable: return "Zahlen im 2. Bruch nicht korrekt";
        case EvaluationOutcome::Solved: break;
    }
    return {};
}

Evaluation EvaluateExercise(OperandFields& first, OperandFields& second, int kindRow, Walkthrough& solution) {
    Evaluation evaluation;
    solution.lines.Clear();
    MixedNumber& a = evaluation.first;
    MixedNumber& b = evaluation.second;
    try {
        a = ReadOperand(first);
    } catch (const Error&) {
        evaluation.outcome = EvaluationOutcome::FirstOperandUnreadable;
        return evaluation;
    }
    try {
        b = ReadOperand(second);
    } catch (const Error&) {
        evaluation.outcome = EvaluationOutcome::SecondOperandUnreadable;
        return evaluation;
    }
    const std::string& caption = solution.context.operatorCaption;
    char op = caption.empty() ? '+' : caption.front();
    evaluation.result = Evaluate(op, solution, a, b);
    evaluation.resultFields = ResultTexts(evaluation.result);
    if ((op == '+' || op == '-') && kindRow == 1) {
        solution.lines.Append(
            "Auch richtig:Die unechten Brüche zuerst in\r\n             gemischte Zahlen umwandeln."_w);
    }
    RemoveBlankLines(solution.lines);
    return evaluation;
}

}  // namespace quorvel
