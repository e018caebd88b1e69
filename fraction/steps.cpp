#include "fraction/steps.h"

#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"

namespace quorvel {

namespace {

const char kHeadingOpening[] =
    "<div  style=\" margin-left:3cm; font-size:large;font-family:Lucida Handwriting,Comic Sans "
    "MS,Chicago;color:red;font-weight:bold;\">";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string FirstLetter(const std::string& item) {
    return item.empty() ? std::string() : std::string(1, LowerAscii(item.front()));
}

}  // namespace

void TextColumn(SheetLines& lines, const std::string& text) { AppendColumn(lines, "", text, ""); }

void FractionColumn(SheetLines& lines, Int numerator, Int denominator) {
    AppendColumn(lines, DecimalText(numerator), "-", DecimalText(denominator));
}

void TopColumn(SheetLines& lines, const std::string& text) { AppendColumn(lines, text, "", ""); }

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

bool WriteReductionStep(SheetLines& lines, Int whole, Int numerator, Int denominator) {
    if (numerator == 0) return true;
    Int reducedNumerator = numerator;
    Int reducedDenominator = denominator;
    ReduceFraction(reducedNumerator, reducedDenominator);
    if (Abs(reducedDenominator) == Abs(denominator)) return false;
    TextColumn(lines, WholePartText(whole));
    FractionColumn(lines, numerator, denominator);
    TextColumn(lines, " = " + WholePartText(whole));
    FractionColumn(lines, reducedNumerator, reducedDenominator);
    TextColumn(lines, " (... mit " + DecimalText(Gcd(numerator, denominator)) + ") ");
    return true;
}

void WriteExpansionStep(SheetLines& lines, Int whole, Int& numerator, Int denominator, Int common) {
    if (Abs(denominator) == Abs(common)) return;
    TextColumn(lines, "   " + WholePartText(whole));
    FractionColumn(lines, numerator, denominator);
    TextColumn(lines, " = " + WholePartText(whole));
    // With common a multiple of the denominator (as the least common multiple
    // is), multiplying by the factor equals the product divided afterwards
    // and cannot overflow where the result fits.
    Int factor = Div(common, denominator);
    numerator = Rem(common, denominator) == 0 ? Mul(numerator, factor)
                                              : Div(Mul(numerator, common), denominator);
    FractionColumn(lines, numerator, common);
    TextColumn(lines, " (... mit " + DecimalText(factor) + ")");
}

void WriteHeading(SheetLines& lines, const std::string& name) { lines.Append(kHeadingOpening + name + "</div>"); }

void WriteExerciseTitle(SheetLines& lines, const ExerciseContext& context) {
    std::string bracket =
        ") [" + FirstLetter(context.difficulty) + " " + FirstLetter(context.kind) + "]";
    lines.Append("Aufgabe " + HtmlEscape(context.exerciseNumber) + bracket + "<br>");
}

void WriteExerciseLine(Walkthrough& sheet, Int whole1, Int numerator1, Int denominator1, Int whole2, Int numerator2,
                       Int denominator2) {
    SheetLines& lines = sheet.lines;
    const ExerciseContext& context = sheet.context;
    WriteExerciseTitle(lines, context);

    OpenFractionBlock(lines);
    TextColumn(lines, "      ");
    TextColumn(lines, WholePartText(whole1));
    FractionColumn(lines, numerator1, denominator1);
    TextColumn(lines, " " + context.operatorCaption + " ");
    TextColumn(lines, WholePartText(whole2));
    FractionColumn(lines, numerator2, denominator2);
    CloseFractionBlock(lines);
}

void WriteExerciseHeader(Walkthrough& sheet, const std::string& name, Int& whole1, Int& numerator1,
                         Int& denominator1, Int& whole2, Int& numerator2, Int& denominator2) {
    SheetLines& lines = sheet.lines;
    WriteHeading(lines, name);
    WriteExerciseLine(sheet, whole1, numerator1, denominator1, whole2, numerator2, denominator2);

    lines.Append("*) Ausgangsbrüche kürzen mit ..."_w);
    OpenFractionBlock(lines);
    TextColumn(lines, "   ");
    WriteReductionStep(lines, whole1, numerator1, denominator1);
    TextColumn(lines, "  ");
    WriteReductionStep(lines, whole2, numerator2, denominator2);
    ReduceFraction(numerator1, denominator1);
    ReduceFraction(numerator2, denominator2);
    CloseFractionBlock(lines);
}

void WriteCommonDenominator(SheetLines& lines, Int whole1, Int& numerator1, Int denominator1,
                            Int whole2, Int& numerator2, Int denominator2, Int& common) {
    common = Lcm(denominator1, denominator2);
    lines.Append("*) Brüche erweitern auf "_w + LcmText(denominator1, denominator2, common) + " mit ...");
    OpenFractionBlock(lines);
    WriteExpansionStep(lines, whole1, numerator1, denominator1, common);
    WriteExpansionStep(lines, whole2, numerator2, denominator2, common);
    CloseFractionBlock(lines);
}

}  // namespace quorvel
