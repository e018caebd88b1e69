#include "solution/walkthroughs.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"

namespace quorvel {

void NumberColumns(SolutionLines& lines, const MixedNumber& n) {
    const WrittenNumber written = Written(n);
    const std::string minus = written.minus ? "-" : "";
    if (!written.hasFraction) {
        TextColumn(lines, minus + std::to_string(written.whole));
        return;
    }
    std::string top = std::to_string(written.numerator);
    if (written.hasWhole) {
        TextColumn(lines, minus + std::to_string(written.whole));
        if (written.fractionSign != 0) top.insert(0, 1, written.fractionSign);
    } else {
        top.insert(0, minus);
    }
    AppendColumn(lines, top, "-", std::to_string(written.denominator));
}

void ExerciseColumns(SolutionLines& lines, const MixedNumber& a, char op, const MixedNumber& b) {
    TextColumn(lines, "      ");
    NumberColumns(lines, a);
    TextColumn(lines, std::string(" ") + op + " ");
    NumberColumns(lines, b);
}

namespace {

// Appends text to the lines by joining its lines, adding the text and
// splitting again.
void AppendBySplitting(SolutionLines& lines, const std::string& text) { lines.SetText(lines.Join() + text); }

}  // namespace

void WriteResultReduction(SolutionLines& lines, const MixedNumber& result) {
    lines.Append("Ergebnis kürzen, falls möglich."_w);
    OpenFractionBlock(lines, "nichts zu kürzen"_w);
    TextColumn(lines, "   ");
    if (!WriteReductionStep(lines, result)) TopColumn(lines, "(Kann nicht gekürzt werden.)"_w);
    CloseFractionBlock(lines);
}

Int ImproperNumerator(const MixedNumber& x) { return Add(Mul(x.whole, x.denominator), x.numerator); }

void ConversionColumns(SolutionLines& lines, const MixedNumber& x, Int improper) {
    TextColumn(lines, "   " + DecimalText(x.whole));
    FractionColumn(lines, x.numerator, x.denominator);
    TextColumn(lines, " = ");
    FractionColumn(lines, improper, x.denominator);
}

void WriteProductRule(SolutionLines& lines, const std::string& rule, const std::string& caption,
                      const std::string& spokenCaption, Int top1, Int top2, Int bottom1, Int bottom2) {
    lines.Append(rule);
    OpenFractionBlock(lines);
    AppendColumn(lines, "", caption, "", spokenCaption);
    AppendColumn(lines, DecimalText(top1) + "*" + DecimalText(top2), "-", DecimalText(bottom1) + "*" + DecimalText(bottom2));
    CloseFractionBlock(lines);
}

void WriteProductResult(SolutionLines& lines, Int numerator, Int denominator) {
    OpenFractionBlock(lines);
    TextColumn(lines, "*) Ergebnis = ");
    FractionColumn(lines, numerator, denominator);
    Int whole, rest;
    SplitWhole(numerator, denominator, whole, rest);
    if (whole != 0) {
        TextColumn(lines, " = " + DecimalText(whole));
        FractionColumn(lines, rest, denominator);
    }
    CloseFractionBlock(lines);
}

void WriteSplitColumns(SolutionLines& lines, Int whole, Int rest, Int denominator) {
    bool readsAsMixedNumber = whole < 0 ? rest <= 0 : rest >= 0;
    TextColumn(lines, " = " + (readsAsMixedNumber ? DecimalText(whole) : WholePartText(whole)));
    FractionColumn(lines, readsAsMixedNumber ? Abs(rest) : rest, denominator);
}

void LikeFractionsColumns(SolutionLines& lines, const MixedNumber& x, char op, const MixedNumber& y, Int wholes,
                          Int numerator) {
    const Int lcd = x.denominator;
    TextColumn(lines, "   " + WholePartText(x.whole));
    FractionColumn(lines, x.numerator, lcd);
    TextColumn(lines, std::string(" ") + op + " " + WholePartText(y.whole));
    FractionColumn(lines, y.numerator, lcd);
    TextColumn(lines, " = " + WholePartText(wholes));
    FractionColumn(lines, numerator, lcd);
}

Borrowing BorrowForSubtraction(const MixedNumber& x, const MixedNumber& y) {
    Borrowing b{x, Sub(x.numerator, y.numerator)};
    const Int lcd = x.denominator;
    if (b.difference < 0 && x.whole > 0) {
        // Borrow as many wholes of the minuend as the numerators need, one
        // whole being lcd/lcd; all at once rather than one whole at a time, which
        // would take billions of steps for large whole parts. The numerator only
        // grows, so it overflows exactly when its final value does.
        const std::int64_t needed = (-std::int64_t(b.difference) + lcd - 1) / lcd;
        const std::int64_t borrowed = std::min<std::int64_t>(x.whole, needed);
        b.difference = Int(b.difference + borrowed * lcd);
        b.minuend.numerator = Checked(x.numerator + borrowed * lcd);
        b.minuend.whole = Int(x.whole - borrowed);
    }
    return b;
}

void WriteMinuendRewritten(SolutionLines& lines, const MixedNumber& before, const MixedNumber& after) {
    lines.Append("   Vorher Minuenden umformen:");
    OpenFractionBlock(lines);
    TextColumn(lines, "   ");
    TextColumn(lines, DecimalText(before.whole));
    FractionColumn(lines, before.numerator, before.denominator);
    TextColumn(lines, " = " + DecimalText(after.whole));
    FractionColumn(lines, after.numerator, after.denominator);
    CloseFractionBlock(lines);
}

namespace {

// The conversion of mixed numbers into improper fractions (multiplication
// and division), computed, drawn and returned as their numerators.
std::pair<Int, Int> WriteConversionBlock(SolutionLines& lines, const MixedNumber& a, const MixedNumber& b) {
    const Int improper1 = ImproperNumerator(a);
    const Int improper2 = ImproperNumerator(b);
    OpenFractionBlock(lines, "keine gemischte Zahl umzuwandeln");
    if (a.whole != 0) {
        ConversionColumns(lines, a, improper1);
        AppendColumn(lines, "", "   ", "", ";");
    }
    if (b.whole != 0) ConversionColumns(lines, b, improper2);
    CloseFractionBlock(lines);
    return {improper1, improper2};
}

// The road of a product and of a quotient alike: top1*top2 over
// bottom1*bottom2 as the rule says, cancelled across (top1 with bottom2,
// top2 with bottom1), and the result.
// The caption is said as spokenCaption.
void WriteCancelledProduct(SolutionLines& lines, const std::string& rule, const std::string& caption,
                           const std::string& spokenCaption, Int top1, Int top2, Int bottom1, Int bottom2) {
    WriteProductRule(lines, rule, caption, spokenCaption, top1, top2, bottom1, bottom2);

    lines.Append("*) Jetzt noch einmal über Kreuz kürzen, falls möglich"_w);
    OpenFractionBlock(lines, "nichts zu kürzen"_w);
    TextColumn(lines, "   ");
    WriteReductionStep(lines, {0, top1, bottom2});
    WriteReductionStep(lines, {0, top2, bottom1});
    Int numerator = Mul(top1, top2);
    Int denominator = Mul(bottom1, bottom2);
    ReduceFraction(numerator, denominator);
    CloseFractionBlock(lines);

    WriteProductResult(lines, numerator, denominator);
}

// A writer of a worked solution and the closed formula of its result.
struct Operation {
    char op;
    void (*write)(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b);
    MixedNumber (*result)(const MixedNumber& a, const MixedNumber& b);
};

const Operation kOperations[] = {
    {'+', WriteAdditionSteps, Sum},
    {'-', WriteSubtractionSteps, Difference},
    {'*', WriteMultiplicationSteps, Product},
    {':', WriteDivisionSteps, Quotient},
};

// The opening of a sum or a difference: the labels, the header, and both
// reduced operands expanded to their least common denominator.
OperandPair WriteOverCommonDenominator(Walkthrough& solution, const OperandLabels& labels, const std::string& name,
                                       const MixedNumber& a, const MixedNumber& b) {
    solution.labels = labels;
    const OperandPair reduced = WriteExerciseHeader(solution, name, a, b);
    return WriteCommonDenominator(solution.lines, reduced.first, reduced.second);
}

}  // namespace

void WriteAdditionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    const auto [x, y] = WriteOverCommonDenominator(solution, {"1. Summand", "2. Summand", "Summe"}, "Addition", a, b);
    const Int lcd = x.denominator;
    Int s = Add(x.numerator, y.numerator);
    lines.Append("*) Zähler addieren, Nenner beibehalten"_w);
    if (x.whole > 0 || y.whole > 0) AppendBySplitting(lines, ",\r\n   ganzzahlige Teile addieren");

    OpenFractionBlock(lines);
    LikeFractionsColumns(lines, x, '+', y, Add(x.whole, y.whole), s);
    Int c = Div(s, lcd);
    Int r = Rem(s, lcd);
    Int whole = Add(Add(x.whole, c), y.whole);
    if (c > 0) WriteSplitColumns(lines, whole, r, lcd);
    CloseFractionBlock(lines);

    WriteResultReduction(lines, {whole, r, lcd});
}

void WriteSubtractionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    const auto [before, y] =
        WriteOverCommonDenominator(solution, {"Minuend", "Subtrahend", "Differenz"}, "Subtraktion", a, b);
    const Int lcd = before.denominator;
    const auto [x, d] = BorrowForSubtraction(before, y);
    lines.Append("*) Zähler subtrahieren, Nenner beibehalten"_w);
    if (x.whole != 0 || y.whole != 0) lines.Append("   ganzzahlige Teile subtrahieren");

    OpenFractionBlock(lines);
    Int wholeDifference = Sub(x.whole, y.whole);
    LikeFractionsColumns(lines, x, '-', y, wholeDifference, d);
    Int q = Div(Abs(d), lcd);
    Int m = Rem(Abs(d), lcd);
    Int rest = m;
    if (d < 0) {
        q = -q;
        rest = -m;
    }
    Int whole = Add(q, wholeDifference);
    if (q != 0) WriteSplitColumns(lines, whole, rest, lcd);
    CloseFractionBlock(lines);

    if (before.whole > x.whole && rest > 0) WriteMinuendRewritten(lines, before, x);

    WriteResultReduction(lines, {whole, rest, lcd});
    if (rest < 0 || whole < 0) {
        lines.Append("Falls Du noch keine negativen Zahlen kennst,\r\nheißt Dein Ergebnis jetzt:Geht nicht!"_w);
    }
}

void WriteMultiplicationSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    solution.labels = {"1. Faktor", "2. Faktor", "Produkt"};
    const auto [x, y] = WriteExerciseHeader(solution, "Multiplikation", a, b);
    if (x.whole != 0 || y.whole != 0) AppendBySplitting(lines, "*) Gemischte Zahl in unechten Bruch umwandeln:");
    const auto [improper1, improper2] = WriteConversionBlock(lines, x, y);

    WriteCancelledProduct(lines, "*) Produkt=Zähler mal Zähler durch Nenner mal Nenner"_w, "   Produkt=", "Produkt ist gleich",
                          improper1, improper2, x.denominator, y.denominator);
}

void WriteDivisionSteps(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    solution.labels = {"Dividend", "Divisor", "Quotient"};
    const auto [x, y] = WriteExerciseHeader(solution, "Division", a, b);
    if (x.whole != 0 || y.whole != 0) lines.Append("*) Gemischte Zahl in unechten Bruch umwandeln:");
    const auto [improper1, improper2] = WriteConversionBlock(lines, x, y);

    WriteCancelledProduct(lines, "*) Quotient=1. Bruch * Kehrwert des 2. Bruchs", "   Quotient=",
                          "Quotient mit dem Kehrwert des zweiten Bruchs ist gleich", improper1, y.denominator,
                          x.denominator, improper2);
}

MixedNumber Evaluate(char op, Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    for (const Operation& operation : kOperations) {
        if (operation.op != op) continue;
        operation.write(solution, a, b);
        return operation.result(a, b);
    }
    throw Error(ErrorKind::UnknownOperation, std::string(1, op));
}

}  // namespace quorvel
