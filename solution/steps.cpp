#include "solution/steps.h"

#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"
#include "speech/speech.h"

namespace quorvel {

namespace {

const char kHeadingOpening[] =
    "<div  style=\" margin-left:3cm; font-size:large;font-family:Lucida Handwriting,Comic Sans "
    "MS,Chicago;color:red;font-weight:bold;\">";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string FirstLetter(const std::string& item) {
    return item.empty() ? std::string() : std::string(1, LowerAscii(item.front()));
}

// The title line and the exercise drawn as a fraction block, exactly as
// passed in.
void WriteExerciseLine(Walkthrough& solution, const MixedNumber& a, const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    WriteExerciseTitle(lines, solution.context);

    OpenFractionBlock(lines);
    TextColumn(lines, "      ");
    TextColumn(lines, WholePartText(a.whole));
    FractionColumn(lines, a.numerator, a.denominator);
    TextColumn(lines, " " + solution.context.operatorCaption + " ");
    TextColumn(lines, WholePartText(b.whole));
    FractionColumn(lines, b.numerator, b.denominator);
    CloseFractionBlock(lines);
}

}  // namespace

void TextColumn(SolutionLines& lines, const std::string& text) { AppendColumn(lines, "", text, ""); }

void FractionColumn(SolutionLines& lines, Int numerator, Int denominator) {
    AppendColumn(lines, DecimalText(numerator), "-", DecimalText(denominator));
}

void TopColumn(SolutionLines& lines, const std::string& text) { AppendColumn(lines, text, "", ""); }

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

bool WriteReductionStep(SolutionLines& lines, const MixedNumber& n) {
    if (n.numerator == 0) return true;
    const MixedNumber reduced = n.Reduced();
    if (Abs(reduced.denominator) == Abs(n.denominator)) return false;
    TextColumn(lines, WholePartText(n.whole));
    FractionColumn(lines, n.numerator, n.denominator);
    TextColumn(lines, " = " + WholePartText(n.whole));
    FractionColumn(lines, reduced.numerator, reduced.denominator);
    const Int divisor = Gcd(n.numerator, n.denominator);
    AppendColumn(lines, "", " (... mit " + DecimalText(divisor) + ") ", "",
                 ", gekürzt mit "_w + NumberWords(Abs(divisor)) + ";");
    return true;
}

Int WriteExpansionStep(SolutionLines& lines, const MixedNumber& n, Int common) {
    if (Abs(n.denominator) == Abs(common)) return n.numerator;
    TextColumn(lines, "   " + WholePartText(n.whole));
    FractionColumn(lines, n.numerator, n.denominator);
    TextColumn(lines, " = " + WholePartText(n.whole));
    // With common a multiple of the denominator (as the least common multiple
    // is), multiplying by the factor equals the product divided afterwards
    // and cannot overflow where the result fits.
    const Int factor = Div(common, n.denominator);
    const Int numerator = Rem(common, n.denominator) == 0 ? Mul(n.numerator, factor)
                                                          : Div(Mul(n.numerator, common), n.denominator);
    FractionColumn(lines, numerator, common);
    AppendColumn(lines, "", " (... mit " + DecimalText(factor) + ")", "",
                 ", erweitert mit " + NumberWords(factor) + ";");
    return numerator;
}

void WriteHeading(SolutionLines& lines, const std::string& name) { lines.Append(kHeadingOpening + name + "</div>"); }

void WriteExerciseTitle(SolutionLines& lines, const ExerciseContext& context) {
    std::string bracket =
        ") [" + FirstLetter(context.difficulty) + " " + FirstLetter(context.kind) + "]";
    lines.Append("Aufgabe " + HtmlEscape(context.exerciseNumber) + bracket + "<br>");
}

OperandPair WriteExerciseHeader(Walkthrough& solution, const std::string& name, const MixedNumber& a,
                                const MixedNumber& b) {
    SolutionLines& lines = solution.lines;
    WriteHeading(lines, name);
    WriteExerciseLine(solution, a, b);

    lines.Append("*) Ausgangsbrüche kürzen mit ..."_w);
    OpenFractionBlock(lines, "nichts zu kürzen"_w);
    TextColumn(lines, "   ");
    WriteReductionStep(lines, a);
    TextColumn(lines, "  ");
    WriteReductionStep(lines, b);
    OperandPair reduced{a.Reduced(), b.Reduced()};
    CloseFractionBlock(lines);
    return reduced;
}

OperandPair WriteCommonDenominator(SolutionLines& lines, const MixedNumber& a, const MixedNumber& b) {
    const Int common = Lcm(a.denominator, b.denominator);
    lines.Append("*) Brüche erweitern auf "_w + LcmText(a.denominator, b.denominator, common) + " mit ...");
    OpenFractionBlock(lines, "nichts zu erweitern");
    OperandPair expanded{{a.whole, WriteExpansionStep(lines, a, common), common}, {}};
    expanded.second = {b.whole, WriteExpansionStep(lines, b, common), common};
    CloseFractionBlock(lines);
    return expanded;
}

}  // namespace quorvel
