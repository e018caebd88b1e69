#include "tutoring/steps.h"

#include <cctype>

#include "entry/conversion.h"
#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"
#include "solution/walkthroughs.h"

namespace quorvel {

namespace {

std::string Text(const MixedNumber& n) { return NumberText(n, OverOne::AsTyped); }
MixedNumber Whole(Int n) { return {n, 0, 1}; }

// The form a pupil ends with: reduced, 0 over 1, the sign on both parts.
MixedNumber NormalForm(const MixedNumber& n) {
    MixedNumber r = n.Reduced();
    if (r.numerator == 0) return {r.whole, 0, 1};
    if (r.whole > 0 && r.numerator < 0) return {Sub(r.whole, 1), Add(r.numerator, r.denominator), r.denominator};
    if (r.whole < 0 && r.numerator > 0) return {Add(r.whole, 1), Sub(r.numerator, r.denominator), r.denominator};
    return r;
}

// A fraction block drawn by draw, with the text line above it if any.
template <class Draw>
SolutionLines Drawn(const std::string& line, const std::string& silence, Draw draw) {
    SolutionLines lines;
    if (!line.empty()) lines.Append(line);
    OpenFractionBlock(lines, silence);
    draw(lines);
    CloseFractionBlock(lines);
    return lines;
}

class StepList {
public:
    void Add(Skill skill, std::string question, MixedNumber answer, SolutionLines drawing) {
        steps_.push_back({skill, std::move(question), answer, std::move(drawing)});
    }
    // The operands reduced where they can be, as the worked solution's header does.
    void Reductions(const MixedNumber& a, const MixedNumber& b) {
        for (const MixedNumber* n : {&a, &b}) {
            SolutionLines drawing;
            drawing.Append("*) Ausgangsbrüche kürzen mit ..."_w);
            OpenFractionBlock(drawing, "nichts zu kürzen"_w);
            TextColumn(drawing, "   ");
            if (n->numerator == 0 || !WriteReductionStep(drawing, *n)) continue;
            CloseFractionBlock(drawing);
            Add(Skill::Reducing, "Kürze "_w + Text(*n) + ".", n->Reduced(), std::move(drawing));
        }
    }
    // Ends on the result in normal form: the last block of the worked
    // solution reduces what the steps left.
    void Finish(const MixedNumber& left, const SolutionLines& lastBlock) {
        const MixedNumber result = NormalForm(left);
        // A step whose answer is written as the result is ("1" of 2/2 as much as of 1/1) ends it.
        if (!steps_.empty() && AnswersStep(steps_.back(), result)) return;
        const bool reducible = left.Reduced().denominator != left.denominator || left.numerator == 0;
        Add(reducible ? Skill::Reducing : Skill::TakingOutWholes,
            reducible ? "Kürze "_w + Text(left) + "." : "Wie heißt " + Text(left) + " als gemischte Zahl?",
            result, lastBlock);
    }
    std::vector<ExerciseStep> Take() { return std::move(steps_); }

private:
    std::vector<ExerciseStep> steps_;
};

std::string WholesQuestion(Int wholes, Int numerator, Int denominator) {
    const std::string fraction = Text({0, numerator, denominator});
    return "Wie viele Ganze stecken in " + fraction + "? Schreib " +
           (wholes == 0 ? std::string("es") : Text({wholes, numerator, denominator})) + " als gemischte Zahl.";
}

std::vector<ExerciseStep> SumOrDifference(char op, const MixedNumber& a, const MixedNumber& b) {
    StepList steps;
    steps.Reductions(a, b);
    const MixedNumber x = a.Reduced(), y = b.Reduced();
    const Int common = Lcm(x.denominator, y.denominator);
    const std::string expandLine = "*) Brüche erweitern auf "_w + LcmText(x.denominator, y.denominator, common) + " mit ...";
    if (x.denominator != y.denominator) {
        SolutionLines line;
        line.Append(expandLine);
        steps.Add(Skill::CommonDenominator, "Welcher Hauptnenner?", Whole(common), std::move(line));
    }
    MixedNumber over[2] = {x, y};
    for (MixedNumber& n : over) {
        SolutionLines drawing;
        drawing.Append(expandLine);
        OpenFractionBlock(drawing, "nichts zu erweitern");
        const Int numerator = WriteExpansionStep(drawing, n, common);
        CloseFractionBlock(drawing);
        if (Abs(n.denominator) != Abs(common)) {
            steps.Add(Skill::Expanding, "Mit welcher Zahl erweiterst Du "_w + Text(n) + "?",
                      Whole(Div(common, n.denominator)), std::move(drawing));
        }
        n = {n.whole, numerator, common};
    }
    const MixedNumber& yc = over[1];
    MixedNumber xc = over[0];
    Int numerator = 0, wholes = 0, whole = 0, rest = 0;
    bool split = false;
    if (op == '+') {
        numerator = Add(xc.numerator, yc.numerator);
        wholes = Add(xc.whole, yc.whole);
        const Int c = Div(numerator, common);
        rest = Rem(numerator, common);
        whole = Add(Add(xc.whole, c), yc.whole);
        split = c > 0;
    } else {
        const Borrowing borrowing = BorrowForSubtraction(xc, yc);
        numerator = borrowing.difference;
        wholes = Sub(borrowing.minuend.whole, yc.whole);
        Int q = Div(Abs(numerator), common);
        rest = Rem(Abs(numerator), common);
        if (numerator < 0) q = -q, rest = -rest;
        whole = Add(q, wholes);
        split = q != 0;
        if (borrowing.minuend.whole != xc.whole) {
            const MixedNumber& after = borrowing.minuend;
            SolutionLines drawing;
            if (rest > 0) {
                WriteMinuendRewritten(drawing, xc, after);
            } else {
                drawing = Drawn("", "leer", [&](SolutionLines& lines) {
                    TextColumn(lines, "   " + WholePartText(after.whole));
                    FractionColumn(lines, after.numerator, common);
                });
            }
            steps.Add(Skill::Borrowing,
                      "Wie schreibst Du "_w + Text(xc) + " um, damit Du " + Text({0, yc.numerator, common}) +
                          " abziehen kannst?",
                      after, std::move(drawing));
            xc = after;
        }
    }
    const std::string rule = op == '+' ? "*) Zähler addieren, Nenner beibehalten"_w : "*) Zähler subtrahieren, Nenner beibehalten"_w;
    auto combined = [&](SolutionLines& lines) { LikeFractionsColumns(lines, xc, op, yc, wholes, numerator); };
    steps.Add(Skill::CombiningLikeFractions,
              "Was ergibt "_w + Text(xc) + " " + op + " " + Text(yc) + "? Der Nenner bleibt.",
              {wholes, numerator, common}, Drawn(rule, "leer", combined));
    if (split) {
        steps.Add(Skill::TakingOutWholes, WholesQuestion(wholes, numerator, common), {whole, rest, common},
                  Drawn("", "leer", [&](SolutionLines& lines) {
                      combined(lines);
                      WriteSplitColumns(lines, whole, rest, common);
                  }));
    }
    SolutionLines reduction;
    WriteResultReduction(reduction, {whole, rest, common});
    steps.Finish({whole, rest, common}, reduction);
    return steps.Take();
}

std::vector<ExerciseStep> ProductOrQuotient(char op, const MixedNumber& a, const MixedNumber& b) {
    StepList steps;
    steps.Reductions(a, b);
    const MixedNumber x = a.Reduced(), y = b.Reduced();
    const Int improper1 = ImproperNumerator(x), improper2 = ImproperNumerator(y);
    // Plain names, not a structured binding: the lambda below captures them,
    // which the WebAssembly build's compiler refuses for bindings.
    for (const auto& operand : {std::pair{x, improper1}, std::pair{y, improper2}}) {
        const MixedNumber& n = operand.first;
        const Int improper = operand.second;
        if (n.whole == 0) continue;
        steps.Add(Skill::ImproperFractions, "Schreib "_w + Text(n) + " als unechten Bruch.", {0, improper, n.denominator},
                  Drawn("*) Gemischte Zahl in unechten Bruch umwandeln:", "leer",
                        [&](SolutionLines& lines) { ConversionColumns(lines, n, improper); }));
    }
    Int top1 = improper1, top2 = improper2, bottom1 = x.denominator, bottom2 = y.denominator;
    if (op == ':') {
        if (improper2 == 0) throw DivisionByZero();
        std::swap(top2, bottom2);
        SolutionLines rule;
        WriteProductRule(rule, "*) Quotient=1. Bruch * Kehrwert des 2. Bruchs", "   Quotient=",
                         "Quotient mit dem Kehrwert des zweiten Bruchs ist gleich", top1, top2, bottom1, bottom2);
        const MixedNumber reciprocal = bottom2 < 0 ? MixedNumber{0, -top2, -bottom2} : MixedNumber{0, top2, bottom2};
        steps.Add(Skill::Reciprocal, "Welcher Kehrwert gehört zu "_w + Text({0, improper2, y.denominator}) + "?",
                  reciprocal, std::move(rule));
    }
    for (const MixedNumber pair : {MixedNumber{0, top1, bottom2}, MixedNumber{0, top2, bottom1}}) {
        SolutionLines drawing;
        drawing.Append("*) Jetzt noch einmal über Kreuz kürzen, falls möglich"_w);
        OpenFractionBlock(drawing, "nichts zu kürzen"_w);
        TextColumn(drawing, "   ");
        if (pair.numerator == 0 || !WriteReductionStep(drawing, pair)) continue;
        CloseFractionBlock(drawing);
        steps.Add(Skill::CrossCancelling, "Kürze über Kreuz: Was wird aus "_w + Text(pair) + "?", pair.Reduced(),
                  std::move(drawing));
    }
    Int numerator = Mul(top1, top2), denominator = Mul(bottom1, bottom2);
    ReduceFraction(numerator, denominator);
    steps.Add(Skill::MultiplyingFractions,
              "Zähler mal Zähler, Nenner mal Nenner: Welcher Bruch kommt heraus?"_w, {0, numerator, denominator},
              Drawn("", "leer", [&](SolutionLines& lines) {
                  TextColumn(lines, "*) Ergebnis = ");
                  FractionColumn(lines, numerator, denominator);
              }));
    SolutionLines result;
    WriteProductResult(result, numerator, denominator);
    Int whole, rest;
    SplitWhole(numerator, denominator, whole, rest);
    if (whole != 0) {
        steps.Add(Skill::TakingOutWholes, WholesQuestion(0, numerator, denominator), {whole, rest, denominator}, result);
    }
    steps.Finish({whole, rest, denominator}, result);
    return steps.Take();
}


// A decimal integer, its sign included, and nothing else.
std::optional<Int> Integer(const std::string& text) {
    const std::string t(Trimmed(text));
    if (t.empty() || t.find_first_not_of("+-0123456789") != std::string::npos) return std::nullopt;
    return TryConvertInteger(t);
}

// The written form of a number, the sign of a negative denominator moved up.
WrittenNumber Form(MixedNumber n) {
    if (n.denominator < 0) {
        n.numerator = Checked(-std::int64_t(n.numerator));
        n.denominator = Checked(-std::int64_t(n.denominator));
    }
    return Written(n);
}

}  // namespace

std::string SkillName(Skill skill) {
    switch (skill) {
        case Skill::Reducing: return "Kürzen"_w;
        case Skill::CommonDenominator: return "Hauptnenner";
        case Skill::Expanding: return "Erweitern";
        case Skill::CombiningLikeFractions: return "Gleichnamige Brüche addieren und subtrahieren"_w;
        case Skill::Borrowing: return "Entbündeln"_w;
        case Skill::ImproperFractions: return "Unechte Brüche"_w;
        case Skill::Reciprocal: return "Kehrwert";
        case Skill::CrossCancelling: return "Über Kreuz kürzen"_w;
        case Skill::MultiplyingFractions: return "Brüche multiplizieren"_w;
        case Skill::TakingOutWholes: return "Ganze herausziehen";
    }
    return {};
}

std::vector<ExerciseStep> ExerciseSteps(char op, const MixedNumber& a, const MixedNumber& b) {
    switch (op) {
        case '+':
        case '-': return SumOrDifference(op, a, b);
        case '*':
        case ':': return ProductOrQuotient(op, a, b);
    }
    throw Error(ErrorKind::UnknownOperation, std::string(1, op));
}

std::optional<MixedNumber> ReadStepAnswer(const std::string& text) {
    const std::string t(Trimmed(text));
    const std::size_t slash = t.find('/');
    if (slash == std::string::npos) {
        const auto whole = Integer(t);
        if (!whole) return std::nullopt;
        return MixedNumber{*whole, 0, 1};
    }
    const std::string front(Trimmed(std::string_view(t).substr(0, slash)));
    const auto denominator = Integer(t.substr(slash + 1));
    const std::size_t blank = front.find_last_of(" \t");
    const auto numerator = Integer(blank == std::string::npos ? front : front.substr(blank + 1));
    const auto whole = blank == std::string::npos ? std::optional<Int>(0) : Integer(front.substr(0, blank));
    if (!denominator || !numerator || !whole || *denominator == 0) return std::nullopt;
    if (*whole == 0) return MixedNumber{0, *numerator, *denominator};
    if (*numerator < 0) return std::nullopt;  // "1 -3/4": a sign on both parts
    // "-1 3/4" is minus one and three quarters.
    return MixedNumber{*whole, *whole < 0 ? -*numerator : *numerator, *denominator};
}

bool AnswersStep(const ExerciseStep& step, const MixedNumber& answer) {
    const WrittenNumber given = Form(answer), wanted = Form(step.answer);
    return given.minus == wanted.minus && given.hasWhole == wanted.hasWhole && given.whole == wanted.whole &&
           given.hasFraction == wanted.hasFraction && given.fractionSign == wanted.fractionSign &&
           given.numerator == wanted.numerator && given.denominator == wanted.denominator;
}

}  // namespace quorvel
