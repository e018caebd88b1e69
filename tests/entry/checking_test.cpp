#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "entry/checking.h"
#include "entry/evaluation.h"
#include "exercise/generator.h"
#include "fraction/cp1252.h"

namespace quorvel {
namespace {

// The test's own exact arithmetic: values as reduced fractions of wide
// integers, and each operand read as a pupil reads it, a sign in front of
// three magnitudes (-1 3/4: s -1, w 1, n 3, d 4).
__extension__ typedef __int128 Big;
struct Q {
    Big n, d;
    friend bool operator==(const Q&, const Q&) = default;
};
Big Gcd(Big a, Big b) { return b == 0 ? (a < 0 ? -a : a) : Gcd(b, a % b); }
std::optional<Q> F(Big n, Big d) {
    if (d == 0) return std::nullopt;
    const Big g = Gcd(n, d) * (d < 0 ? -1 : 1);
    return Q{n / g, d / g};
}
std::optional<Q> Op(char op, Q x, Q y) {
    switch (op) {
        case '+': return F(x.n * y.d + y.n * x.d, x.d * y.d);
        case '-': return F(x.n * y.d - y.n * x.d, x.d * y.d);
        case '*': return F(x.n * y.n, x.d * y.d);
    }
    return F(x.n * y.d, x.d * y.n);
}
struct Read {
    Big s, w, n, d;
};
Read Of(const MixedNumber& x) {
    auto abs = [](Big v) { return v < 0 ? -v : v; };
    return {x.whole < 0 || (x.whole == 0 && x.numerator < 0) ? -1 : 1, abs(x.whole), abs(x.numerator), x.denominator};
}
Q Val(const Read& p) { return *F(p.s * (p.w * p.d + p.n), p.d); }

// What each strategy gives, worked out from its name.
using Oracle = std::function<std::optional<Q>(char op, const Read& a, const Read& b)>;
Oracle Across(Big sign) {
    return [sign](char, const Read& a, const Read& b) { return F(a.s * a.n + sign * b.s * b.n, a.d + sign * b.d); };
}
Oracle ReducedAcross(Big sign) {
    return [sign](char, const Read& a, const Read& b) {
        const Q x = Val(a), y = Val(b);
        return F(x.n + sign * y.n, x.d + sign * y.d);
    };
}
Oracle Converted(Big (*top)(const Read&)) {
    return [top](char op, const Read& a, const Read& b) {
        auto value = [top](const Read& p) { return p.w != 0 && p.n != 0 ? *F(p.s * top(p), p.d) : Val(p); };
        return Op(op, value(a), value(b));
    };
}
// The whole number and the fraction of "3 + 2/5" or "2/5 * 3".
std::pair<Read, Read> WholeAndFraction(const Read& a, const Read& b) {
    return a.n == 0 ? std::pair{a, b} : std::pair{b, a};
}
const std::map<std::string, Oracle>& Oracles() {
    static const std::map<std::string, Oracle> oracles = {
        {"Zähler plus Zähler, Nenner plus Nenner", Across(1)},
        {"Gleiche Nenner mit addiert", Across(1)},
        {"Erst gekürzt, dann Zähler plus Zähler, Nenner plus Nenner", ReducedAcross(1)},
        {"Zähler minus Zähler, Nenner minus Nenner", Across(-1)},
        {"Erst gekürzt, dann Zähler minus Zähler, Nenner minus Nenner", ReducedAcross(-1)},
        {"Zähler addiert, ohne zu erweitern",
         [](char, const Read& a, const Read& b) { return F(a.s * a.n + b.s * b.n, a.d * b.d / Gcd(a.d, b.d)); }},
        {"Zähler addiert, größerer Nenner behalten",
         [](char, const Read& a, const Read& b) { return F(a.s * a.n + b.s * b.n, std::max(a.d, b.d)); }},
        {"Ganze Zahl in den Zähler gesetzt",
         [](char, const Read& a, const Read& b) {
             const auto [w, f] = WholeAndFraction(a, b);
             return F(w.s * w.w + f.s * f.n, f.d);
         }},
        {"Ohne Entbündeln subtrahiert",  // wholes minus wholes, the smaller fraction from the larger; no signs
         [](char, const Read& a, const Read& b) {
             return a.s < 0 || b.s < 0 ? std::nullopt : F((a.w - b.w) * a.d * b.d + b.n * a.d - a.n * b.d, a.d * b.d);
         }},
        {"Subtraktion umgedreht", [](char, const Read& a, const Read& b) { return Op('-', Val(b), Val(a)); }},
        {"Ganze Zahl mit Zähler und Nenner malgenommen",
         [](char, const Read& a, const Read& b) {
             const auto [w, f] = WholeAndFraction(a, b);
             return F(w.s * f.s * w.w * f.n, w.w * f.d);
         }},
        {"Nenner beim Malnehmen behalten",
         [](char, const Read& a, const Read& b) { return F(a.s * b.s * a.n * b.n, a.d); }},
        {"Gemischte Zahlen teilweise malgenommen",
         [](char, const Read& a, const Read& b) {
             return F(a.s * b.s * (a.w * b.w * a.d * b.d + a.n * b.n), a.d * b.d);
         }},
        {"Divisor nicht umgedreht", [](char, const Read& a, const Read& b) { return Op('*', Val(a), Val(b)); }},
        {"Dividend umgedreht",
         [](char, const Read& a, const Read& b) { return F(Val(a).d * Val(b).n, Val(a).n * Val(b).d); }},
        {"Nenner beim Teilen behalten",
         [](char, const Read& a, const Read& b) { return F(a.s * b.s * a.n, b.n * a.d); }},
        {"Zähler und Nenner durch die ganze Zahl geteilt",  // (6 : 2)/(8 : 2) is 6/8, signed by the rule
         [](char, const Read& a, const Read& b) { return F(a.s * b.s * a.n, a.d); }},
        {"Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)", Converted([](const Read& p) { return p.w + p.n; })},
        {"Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)", Converted([](const Read& p) { return p.w * p.n; })},
        {"Richtiger Betrag, falsches Vorzeichen",  // where a sign rule is in play
         [](char op, const Read& a, const Read& b) -> std::optional<Q> {
             const std::optional<Q> right = Op(op, Val(a), Val(b));
             if (!right || !(a.s < 0 || b.s < 0 || (op == '-' && right->n < 0))) return std::nullopt;
             return Q{-right->n, right->d};
         }},
    };
    return oracles;
}

// The first value the catalogue lists for the exercise that is not what its
// strategy gives by the test's own arithmetic, or ""; adds the names listed.
std::string Mismatch(char op, const MixedNumber& a, const MixedNumber& b, std::set<std::string>& names) {
    for (const WrongResult& wrong : WrongResults(op, a, b)) {
        const std::string name = cp1252::ToUtf8(wrong.strategy->name);
        const auto oracle = Oracles().find(name);
        const auto value = oracle == Oracles().end() ? std::nullopt : oracle->second(op, Of(a), Of(b));
        if (!value || *value != Q{wrong.value.numerator, wrong.value.denominator}) {
            return name + " for " + std::to_string(a.whole) + " " + std::to_string(a.numerator) + "/" +
                   std::to_string(a.denominator) + " " + op + " " + std::to_string(b.whole) + " " +
                   std::to_string(b.numerator) + "/" + std::to_string(b.denominator);
        }
        names.insert(name);
    }
    return "";
}

// An operand as typed into its three fields, with a minus in front or not.
MixedNumber Typed(OperandFields fields, bool negative) {
    if (negative) (fields.whole.empty() ? fields.numerator : fields.whole).insert(0, "-");
    return ReadOperand(fields);
}

// The names of the strategies that give the pupil's value.
std::vector<std::string> Named(const Check& check) {
    std::vector<std::string> names;
    for (const WrongStrategy* s : check.strategies) names.push_back(cp1252::ToUtf8(s->name));
    return names;
}

bool Names(const Check& check, const char* name) {
    const auto names = Named(check);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Each strategy from its own example: the exercise, the pupil's wrong result.
TEST(Checking, EachStrategyFromItsExample) {
    struct Case {
        char op;
        MixedNumber a, b, pupil;
        const char* strategy;
    };
    const Case cases[] = {
        {'+', {0, 1, 2}, {0, 1, 3}, {0, 2, 5}, "Zähler plus Zähler, Nenner plus Nenner"},
        {'+', {0, 2, 5}, {0, 1, 5}, {0, 3, 10}, "Gleiche Nenner mit addiert"},
        {'+', {0, 1, 2}, {0, 1, 3}, {0, 2, 6}, "Zähler addiert, ohne zu erweitern"},
        {'+', {0, 1, 4}, {0, 1, 6}, {0, 2, 6}, "Zähler addiert, größerer Nenner behalten"},
        {'+', {3, 0, 1}, {0, 2, 5}, {0, 5, 5}, "Ganze Zahl in den Zähler gesetzt"},
        {'-', {3, 1, 4}, {1, 1, 2}, {2, 1, 4}, "Ohne Entbündeln subtrahiert"},
        {'-', {0, 1, 2}, {0, 3, 4}, {0, 1, 4}, "Subtraktion umgedreht"},
        {'*', {3, 0, 1}, {0, 2, 5}, {0, 6, 15}, "Ganze Zahl mit Zähler und Nenner malgenommen"},
        {'*', {0, 2, 5}, {0, 3, 5}, {0, 6, 5}, "Nenner beim Malnehmen behalten"},
        {'*', {2, 1, 2}, {3, 1, 3}, {6, 1, 6}, "Gemischte Zahlen teilweise malgenommen"},
        {':', {0, 2, 3}, {0, 4, 5}, {0, 8, 15}, "Divisor nicht umgedreht"},
        {':', {0, 2, 3}, {0, 4, 5}, {0, 6, 5}, "Dividend umgedreht"},
        {':', {0, 6, 7}, {0, 2, 7}, {0, 3, 7}, "Nenner beim Teilen behalten"},
        {':', {0, 6, 8}, {2, 0, 1}, {0, 3, 4}, "Zähler und Nenner durch die ganze Zahl geteilt"},
        {'*', {2, 1, 3}, {0, 3, 1}, {3, 0, 1}, "Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)"},
        {'*', {2, 1, 3}, {0, 3, 1}, {0, 2, 1}, "Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)"},
        {'+', {0, -1, 2}, {0, 1, 3}, {0, 1, 6}, "Richtiger Betrag, falsches Vorzeichen"},
        {'+', {0, 1, 5}, {0, 30, 70}, {0, 4, 12}, "Erst gekürzt, dann Zähler plus Zähler, Nenner plus Nenner"},
        {'-', {0, 3, 4}, {0, 1, 2}, {0, 2, 2}, "Zähler minus Zähler, Nenner minus Nenner"},
        {'-', {0, 6, 8}, {0, 1, 3}, {2, 0, 1}, "Erst gekürzt, dann Zähler minus Zähler, Nenner minus Nenner"},
        // The sign stays: -1 3/4 is -7/4, wrongly -3/4 (-2 1/2 wrongly -2/2).
        {':', {-1, -3, 4}, {0, 2, 5}, {-1, -7, 8}, "Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)"},
        {'*', {-2, -1, 2}, {4, 0, 1}, {-4, 0, 1}, "Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)"},
        {':', {0, 2, 5}, {-1, -3, 4}, {0, -8, 15}, "Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)"},
        {'+', {0, 1, 2}, {0, 1, -3}, {0, 0, 1}, "Zähler plus Zähler, Nenner plus Nenner"},  // 1/-3 is -1/3
    };
    for (const Case& c : cases) {
        const Check check = CheckResult(c.op, c.a, c.b, c.pupil);
        EXPECT_EQ(check.verdict, Verdict::Wrong) << c.strategy;
        EXPECT_TRUE(Names(check, c.strategy)) << c.strategy;
    }
}

TEST(Checking, RightNotReducedAndTheOtherForm) {
    EXPECT_EQ(CheckResult('+', {0, 1, 2}, {0, 1, 3}, {0, 5, 6}).verdict, Verdict::Right);
    EXPECT_EQ(CheckResult('+', {0, 1, 2}, {0, 1, 3}, {0, 10, 12}).verdict, Verdict::NotReduced);
    EXPECT_EQ(CheckResult('+', {0, 3, 4}, {0, 1, 2}, {0, 5, 4}).improperForm, true);
    EXPECT_EQ(CheckResult('+', {0, 3, 4}, {0, 1, 2}, {1, 1, 4}).improperForm, false);
    EXPECT_EQ(CheckResult('+', {0, 3, 4}, {0, 1, 2}, {0, 10, 8}).verdict, Verdict::NotReduced);
    EXPECT_EQ(CheckResult('-', {0, 1, 2}, {0, 1, 2}, {0, 0, 1}).verdict, Verdict::Right);
    EXPECT_TRUE(CheckResult('+', {0, 1, 2}, {0, 1, 3}, {0, 7, 9}).strategies.empty());
    // No sign rule in play: the sign is no typical mistake there.
    EXPECT_TRUE(CheckResult('+', {0, 1, 2}, {0, 1, 3}, {0, -5, 6}).strategies.empty());
    EXPECT_TRUE(CheckResult(':', {0, 1, 2}, {0, 1, 3}, {-1, -1, 2}).strategies.empty());
    EXPECT_THROW(CheckResult(':', {0, 1, 2}, {0, 0, 3}, {0, 1, 1}), DivisionByZero);
}

// Over many generated exercises: no strategy is reported for the right
// result, and every reported strategy gives exactly the pupil's value: the
// value the test works out for it, also with the operands typed negative.
TEST(Checking, GeneratedExercisesNeverBlameARightResult) {
    std::set<std::string> listed;
    ExerciseGenerator generator;
    std::string number = "1";
    char shown = '+';
    int checked = 0;
    for (int difficulty = 0; difficulty < 4; ++difficulty) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int i = 0; i < 900; ++i, ++checked) {
                const PosedExercise p = generator.Pose({number, difficulty, kind, kMixedOperationRow, shown});
                number = p.exerciseNumber;
                shown = p.op;
                // The program's own result is right, and blames nothing.
                Walkthrough solution;
                const Check own = CheckResult(p.op, p.first, p.second, Evaluate(p.op, solution, p.first, p.second));
                ASSERT_EQ(own.verdict, Verdict::Right) << p.exerciseNumber;
                ASSERT_TRUE(own.strategies.empty());
                for (int signs = 0; signs < 4; ++signs) {
                    const MixedNumber a = Typed({p.firstWhole, p.firstNumerator, p.firstDenominator}, signs & 1);
                    const MixedNumber b = Typed({p.secondWhole, p.secondNumerator, p.secondDenominator}, signs & 2);
                    ASSERT_EQ(Mismatch(p.op, a, b, listed), "") << p.exerciseNumber;
                }
                for (const WrongResult& wrong : WrongResults(p.op, p.first, p.second)) {
                    const MixedNumber pupil{0, int(wrong.value.numerator), int(wrong.value.denominator)};
                    if (ValueOf(pupil) != wrong.value) continue;  // beyond 32 bits: no pupil types it
                    const Check check = CheckResult(p.op, p.first, p.second, pupil);
                    ASSERT_EQ(check.verdict, Verdict::Wrong) << p.exerciseNumber;
                    for (const WrongStrategy* s : check.strategies) {
                        bool gives = false;
                        for (const WrongResult& w : WrongResults(p.op, p.first, p.second)) {
                            gives = gives || (w.strategy == s && w.value == wrong.value);
                        }
                        EXPECT_TRUE(gives) << p.exerciseNumber;
                    }
                }
            }
        }
    }
    EXPECT_GE(checked, 10000);
}

// Typed exercises with and without signs: wholes, fractions that reduce or
// share a denominator, mixed numbers. Every strategy shows up, and all but
// the one for differences without signs also with a negative operand.
TEST(Checking, TypedExercisesListWhatEachStrategyGives) {
    const OperandFields operands[] = {{"4", "", ""},      {"", "1", "5"},   {"", "2", "5"},
                                      {"", "30", "70"}, {"1", "3", "4"}, {"2", "1", "2"}};
    std::set<std::string> all, listed, listedWithSign;
    for (const auto& [name, oracle] : Oracles()) all.insert(name);
    for (char op : {'+', '-', '*', ':'}) {
        for (const OperandFields& x : operands) {
            for (const OperandFields& y : operands) {
                for (int signs = 0; signs < 4; ++signs) {
                    const MixedNumber a = Typed(x, signs & 1), b = Typed(y, signs & 2);
                    ASSERT_EQ(Mismatch(op, a, b, signs == 0 ? listed : listedWithSign), "");
                }
            }
        }
    }
    EXPECT_EQ(listed, all);
    all.erase("Ohne Entbündeln subtrahiert");
    EXPECT_EQ(listedWithSign, all);
}

}  // namespace
}  // namespace quorvel
