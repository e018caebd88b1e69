#include "fraction/walkthroughs.h"

#include <algorithm>
#include <cstdint>

#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"

namespace quorvel {

void NumberColumns(SheetLines& lines, const MixedFraction& n) {
    if (n.numerator == 0 || n.denominator == 1) {
        TextColumn(lines, std::to_string(std::int64_t(n.whole) + (n.numerator == 0 ? 0 : n.numerator)));
    } else if (n.whole == 0) {
        FractionColumn(lines, n.numerator, n.denominator);
    } else {
        // A fraction whose sign differs from the whole part's keeps its minus (2 -1/4).
        TextColumn(lines, DecimalText(n.whole));
        FractionColumn(lines, n.whole < 0 ? Abs(n.numerator) : n.numerator, n.denominator);
    }
}

void ExerciseColumns(SheetLines& lines, const MixedFraction& a, char op, const MixedFraction& b) {
    TextColumn(lines, "      ");
    NumberColumns(lines, a);
    TextColumn(lines, std::string(" ") + op + " ");
    NumberColumns(lines, b);
}

namespace {



// Appends text to the sheet by joining its lines, adding the text and
// splitting again.
void AppendBySplitting(SheetLines& lines, const std::string& text) { lines.SetText(lines.Join() + text); }

// The final block of the addition and the subtraction.
void WriteResultReduction(SheetLines& lines, Int whole, Int numerator, Int denominator) {
    lines.Append("Ergebnis kürzen, falls möglich."_w);
    OpenFractionBlock(lines);
    TextColumn(lines, "   ");
    if (!WriteReductionStep(lines, whole, numerator, denominator)) TopColumn(lines, "(Kann nicht gekürzt werden.)"_w);
    CloseFractionBlock(lines);
}

// The conversion of mixed numbers into improper fractions (multiplication
// and division).
void WriteConversionBlock(SheetLines& lines, Int w1, Int z1, Int d1, Int improper1, Int w2, Int z2, Int d2, Int improper2) {
    OpenFractionBlock(lines);
    if (w1 != 0) {
        TextColumn(lines, "   " + DecimalText(w1));
        FractionColumn(lines, z1, d1);
        TextColumn(lines, " = ");
        FractionColumn(lines, improper1, d1);
        TextColumn(lines, "   ");
    }
    if (w2 != 0) {
        TextColumn(lines, "   " + DecimalText(w2));
        FractionColumn(lines, z2, d2);
        TextColumn(lines, " = ");
        FractionColumn(lines, improper2, d2);
    }
    CloseFractionBlock(lines);
}

// "*) Ergebnis = " numerator/denominator, and its whole part if it has one.
void WriteProductResult(SheetLines& lines, Int numerator, Int denominator) {
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

// The road of a product and of a quotient alike: top1*top2 over
// bottom1*bottom2 as the rule says, cancelled across (top1 with bottom2,
// top2 with bottom1), and the result.
void WriteCancelledProduct(SheetLines& lines, const std::string& rule, const std::string& caption, Int top1, Int top2,
                           Int bottom1, Int bottom2) {
    lines.Append(rule);
    OpenFractionBlock(lines);
    TextColumn(lines, caption);
    AppendColumn(lines, DecimalText(top1) + "*" + DecimalText(top2), "-", DecimalText(bottom1) + "*" + DecimalText(bottom2));
    CloseFractionBlock(lines);

    lines.Append("*) Jetzt noch einmal über Kreuz kürzen, falls möglich"_w);
    OpenFractionBlock(lines);
    TextColumn(lines, "   ");
    WriteReductionStep(lines, 0, top1, bottom2);
    WriteReductionStep(lines, 0, top2, bottom1);
    Int numerator = Mul(top1, top2);
    Int denominator = Mul(bottom1, bottom2);
    ReduceFraction(numerator, denominator);
    CloseFractionBlock(lines);

    WriteProductResult(lines, numerator, denominator);
}

// The whole part and remainder after a sum or difference, as " = " and two
// columns. Where the pair reads as a mixed number (the remainder carries the
// sign of the whole part, or is not negative beside a zero whole part) the
// remainder is drawn without its sign; otherwise the whole part is drawn
// with "+ " and the remainder with its sign, so that the pair still reads as
// the value.
void WriteSplitColumns(SheetLines& lines, Int whole, Int rest, Int denominator) {
    bool readsAsMixedNumber = whole < 0 ? rest <= 0 : rest >= 0;
    TextColumn(lines, " = " + (readsAsMixedNumber ? DecimalText(whole) : WholePartText(whole)));
    FractionColumn(lines, readsAsMixedNumber ? Abs(rest) : rest, denominator);
}

MixedFraction ToMixed(Int numerator, Int denominator) {
    ReduceFraction(numerator, denominator);
    MixedFraction result;
    SplitWhole(numerator, denominator, result.whole, result.numerator);
    result.denominator = denominator;
    return result;
}

}  // namespace

void WriteAdditionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2) {
    SheetLines& lines = sheet.lines;
    sheet.labels = {"1. Summand", "2. Summand", "Summe"};
    WriteExerciseHeader(sheet, "Addition", w1, z1, d1, w2, z2, d2);
    Int lcd;
    WriteCommonDenominator(lines, w1, z1, d1, w2, z2, d2, lcd);
    Int s = Add(z1, z2);
    lines.Append("*) Zähler addieren, Nenner beibehalten"_w);
    if (w1 > 0 || w2 > 0) AppendBySplitting(lines, ",\r\n   ganzzahlige Teile addieren");

    OpenFractionBlock(lines);
    TextColumn(lines, "   " + WholePartText(w1));
    FractionColumn(lines, z1, lcd);
    TextColumn(lines, " + " + WholePartText(w2));
    FractionColumn(lines, z2, lcd);
    TextColumn(lines, " = " + WholePartText(Add(w1, w2)));
    FractionColumn(lines, s, lcd);
    Int c = Div(s, lcd);
    Int r = Rem(s, lcd);
    Int whole = Add(Add(w1, c), w2);
    if (c > 0) WriteSplitColumns(lines, whole, r, lcd);
    CloseFractionBlock(lines);

    WriteResultReduction(lines, whole, r, lcd);
}

void WriteSubtractionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2) {
    SheetLines& lines = sheet.lines;
    sheet.labels = {"Minuend", "Subtrahend", "Differenz"};
    WriteExerciseHeader(sheet, "Subtraktion", w1, z1, d1, w2, z2, d2);
    Int lcd;
    WriteCommonDenominator(lines, w1, z1, d1, w2, z2, d2, lcd);
    Int b = Sub(z1, z2);
    const Int w1Before = w1;
    const Int z1Before = z1;
    if (b < 0 && w1 > 0) {
        // Borrow as many wholes of the minuend as the numerators need, one
        // whole being lcd/lcd; all at once rather than one whole at a time, which
        // would take billions of steps for large whole parts. z1 only grows,
        // so it overflows exactly when its final value does.
        const std::int64_t needed = (-std::int64_t(b) + lcd - 1) / lcd;
        const std::int64_t borrowed = std::min<std::int64_t>(w1, needed);
        b = Int(b + borrowed * lcd);
        z1 = Checked(z1 + borrowed * lcd);
        w1 = Int(w1 - borrowed);
    }
    lines.Append("*) Zähler subtrahieren, Nenner beibehalten"_w);
    if (w1 != 0 || w2 != 0) lines.Append("   ganzzahlige Teile subtrahieren");

    OpenFractionBlock(lines);
    TextColumn(lines, "   " + WholePartText(w1));
    FractionColumn(lines, z1, lcd);
    TextColumn(lines, " - " + WholePartText(w2));
    FractionColumn(lines, z2, lcd);
    Int wholeDifference = Sub(w1, w2);
    TextColumn(lines, " = " + WholePartText(wholeDifference));
    FractionColumn(lines, b, lcd);
    Int q = Div(Abs(b), lcd);
    Int m = Rem(Abs(b), lcd);
    Int rest = m;
    if (b < 0) {
        q = -q;
        rest = -m;
    }
    Int whole = Add(q, wholeDifference);
    if (q != 0) WriteSplitColumns(lines, whole, rest, lcd);
    CloseFractionBlock(lines);

    if (w1Before > w1 && rest > 0) {
        lines.Append("   Vorher Minuenden umformen:");
        OpenFractionBlock(lines);
        TextColumn(lines, "   ");
        TextColumn(lines, DecimalText(w1Before));
        FractionColumn(lines, z1Before, lcd);
        TextColumn(lines, " = " + DecimalText(w1));
        FractionColumn(lines, z1, lcd);
        CloseFractionBlock(lines);
    }

    WriteResultReduction(lines, whole, rest, lcd);
    if (rest < 0 || whole < 0) {
        lines.Append("Falls Du noch keine negativen Zahlen kennst,\r\nheißt Dein Ergebnis jetzt:Geht nicht!"_w);
    }
}

void WriteMultiplicationSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2) {
    SheetLines& lines = sheet.lines;
    sheet.labels = {"1. Faktor", "2. Faktor", "Produkt"};
    WriteExerciseHeader(sheet, "Multiplikation", w1, z1, d1, w2, z2, d2);
    if (w1 != 0 || w2 != 0) AppendBySplitting(lines, "*) Gemischte Zahl in unechten Bruch umwandeln:");
    Int improper1 = Add(Mul(w1, d1), z1);
    Int improper2 = Add(Mul(w2, d2), z2);
    WriteConversionBlock(lines, w1, z1, d1, improper1, w2, z2, d2, improper2);

    WriteCancelledProduct(lines, "*) Produkt=Zähler mal Zähler durch Nenner mal Nenner"_w, "   Produkt=", improper1,
                          improper2, d1, d2);
}

void WriteDivisionSteps(Walkthrough& sheet, Int w1, Int w2, Int z1, Int d1, Int z2, Int d2) {
    SheetLines& lines = sheet.lines;
    sheet.labels = {"Dividend", "Divisor", "Quotient"};
    WriteExerciseHeader(sheet, "Division", w1, z1, d1, w2, z2, d2);
    if (w1 != 0 || w2 != 0) lines.Append("*) Gemischte Zahl in unechten Bruch umwandeln:");
    Int improper1 = Add(Mul(w1, d1), z1);
    Int improper2 = Add(Mul(w2, d2), z2);
    WriteConversionBlock(lines, w1, z1, d1, improper1, w2, z2, d2, improper2);

    WriteCancelledProduct(lines, "*) Quotient=1. Bruch * Kehrwert des 2. Bruchs", "   Quotient=", improper1, d2, d1,
                          improper2);
}

MixedFraction AddFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b) {
    WriteAdditionSteps(sheet, a.whole, b.whole, a.numerator, a.denominator, b.numerator, b.denominator);
    Int z1 = a.numerator, d1 = a.denominator, z2 = b.numerator, d2 = b.denominator;
    ReduceFraction(z1, d1);
    ReduceFraction(z2, d2);
    Int denominator = Mul(d1, d2);
    Int numerator = Add(Add(Mul(z1, d2), Mul(d1, z2)), Mul(Add(a.whole, b.whole), denominator));
    return ToMixed(numerator, denominator);
}

MixedFraction SubtractFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b) {
    WriteSubtractionSteps(sheet, a.whole, b.whole, a.numerator, a.denominator, b.numerator, b.denominator);
    Int z1 = a.numerator, d1 = a.denominator, z2 = b.numerator, d2 = b.denominator;
    ReduceFraction(z1, d1);
    ReduceFraction(z2, d2);
    Int denominator = Mul(d1, d2);
    Int numerator = Add(Sub(Mul(z1, d2), Mul(d1, z2)), Mul(Sub(a.whole, b.whole), denominator));
    return ToMixed(numerator, denominator);
}

MixedFraction MultiplyFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b) {
    WriteMultiplicationSteps(sheet, a.whole, b.whole, a.numerator, a.denominator, b.numerator, b.denominator);
    Int z1 = a.numerator, d1 = a.denominator, z2 = b.numerator, d2 = b.denominator;
    ReduceFraction(z1, d1);
    ReduceFraction(z2, d2);
    Int improper1 = Add(z1, Mul(a.whole, d1));
    Int improper2 = Add(z2, Mul(b.whole, d2));
    return ToMixed(Mul(improper1, improper2), Mul(d1, d2));
}

MixedFraction DivideFractions(Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b) {
    WriteDivisionSteps(sheet, a.whole, b.whole, a.numerator, a.denominator, b.numerator, b.denominator);
    Int z1 = a.numerator, d1 = a.denominator, z2 = b.numerator, d2 = b.denominator;
    ReduceFraction(z1, d1);
    ReduceFraction(z2, d2);
    Int improper1 = Add(z1, Mul(a.whole, d1));
    Int improper2 = Add(z2, Mul(b.whole, d2));
    return ToMixed(Mul(improper1, d2), Mul(d1, improper2));
}

MixedFraction Evaluate(char op, Walkthrough& sheet, const MixedFraction& a, const MixedFraction& b) {
    switch (op) {
        case '+': return AddFractions(sheet, a, b);
        case '-': return SubtractFractions(sheet, a, b);
        case '*': return MultiplyFractions(sheet, a, b);
        case ':': return DivideFractions(sheet, a, b);
    }
    throw Error("Unbekannte Rechenart '" + std::string(1, op) + "'");
}

}  // namespace quorvel
