#include "entry/checking.h"

#include <algorithm>
#include <numeric>

#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {

namespace {

// An operand as a pupil writes it: the denominator positive, the sign in
// front (-1 3/4 is -1 and -3 over 4, never -1 and 3). Another form, such as
// a minus in the denominator, is taken as its value's own mixed form.
struct Operand {
    std::int64_t whole = 0;
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

Operand AsWritten(const MixedNumber& x) {
    Operand o{x.whole, x.numerator, x.denominator};
    if (o.denominator < 0) {
        o.numerator = -o.numerator;
        o.denominator = -o.denominator;
    }
    if (o.denominator == 0 || (o.whole < 0 && o.numerator > 0) || (o.whole > 0 && o.numerator < 0)) {
        const Rational value = ValueOf(x);
        o = {value.numerator / value.denominator, value.numerator % value.denominator, value.denominator};
    }
    return o;
}

bool IsFraction(const Operand& x) { return x.whole == 0 && x.numerator != 0; }
bool IsWhole(const Operand& x) { return x.whole != 0 && x.numerator == 0; }
bool IsMixed(const Operand& x) { return x.whole != 0 && x.numerator != 0; }
bool IsNegative(const Operand& x) { return x.whole < 0 || x.numerator < 0; }
Rational Value(const Operand& x) { return *MakeRational(x.whole, x.numerator, x.denominator); }
// The fraction part alone, as a value.
Rational FractionPart(const Operand& x) { return *MakeRational(x.numerator, x.denominator); }

struct Rule {
    char op;
    WrongStrategy strategy;
    std::optional<Rational> (*apply)(const Operand& a, const Operand& b);
};

WrongStrategy Named(const char* name, const char* advice, const char* lookAt) {
    return {cp1252::FromUtf8(name), cp1252::FromUtf8(advice), cp1252::FromUtf8(lookAt)};
}

// A mixed number made improper the wrong way, then the operation done right.
// The sign stays in front: -2 1/3 becomes -(2 + 1)/3 or -(2 · 1)/3.
std::optional<Rational> WithWrongConversion(char op, const Operand& a, const Operand& b, bool added) {
    if (!IsMixed(a) && !IsMixed(b)) return std::nullopt;
    auto convert = [added](const Operand& x) {
        if (!IsMixed(x)) return std::optional<Rational>(Value(x));
        const std::int64_t size = x.numerator < 0 ? -x.numerator : x.numerator;
        const Wide top = added ? Wide(x.whole) + x.numerator : Wide(x.whole) * size;
        return MakeRational(top, x.denominator);
    };
    const auto x = convert(a), y = convert(b);
    if (!x || !y) return std::nullopt;
    return Combine(op, *x, *y);
}

// Two fractions with different denominators combined across as written.
std::optional<Rational> AcrossAsWritten(char op, const Operand& a, const Operand& b) {
    if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
    return CombineAcross(op, a.numerator, a.denominator, b.numerator, b.denominator);
}

// Two fractions reduced first, at least one of them, and then combined across.
std::optional<Rational> ReducedThenAcross(char op, const Operand& a, const Operand& b) {
    if (!IsFraction(a) || !IsFraction(b)) return std::nullopt;
    const Rational x = Value(a), y = Value(b);
    if (x.denominator == a.denominator && y.denominator == b.denominator) return std::nullopt;  // nothing to reduce
    return CombineAcross(op, x.numerator, x.denominator, y.numerator, y.denominator);
}

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = {
        {'+', Named("Zähler plus Zähler, Nenner plus Nenner",
                    "Du hast Zähler und Nenner einzeln addiert. Bring die Brüche erst auf einen gemeinsamen Nenner, "
                    "dann addierst Du nur die Zähler.",
                    "Bei der Addition brauchen beide Brüche denselben Nenner."),
         [](const Operand& a, const Operand& b) { return AcrossAsWritten('+', a, b); }},
        {'+', Named("Erst gekürzt, dann Zähler plus Zähler, Nenner plus Nenner",
                    "Kürzen darfst Du vorher, aber dann addierst Du nicht Zähler und Nenner einzeln. Bring die "
                    "gekürzten Brüche auf einen gemeinsamen Nenner und addiere nur die Zähler.",
                    "Bei der Addition brauchen beide Brüche denselben Nenner."),
         [](const Operand& a, const Operand& b) { return ReducedThenAcross('+', a, b); }},
        {'+', Named("Gleiche Nenner mit addiert",
                    "Bei gleichen Nennern addierst Du nur die Zähler. Der Nenner bleibt, wie er ist.",
                    "Schau auf die Nenner: Sie sind schon gleich und bleiben stehen."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return MakeRational(Wide(a.numerator) + b.numerator, 2 * Wide(a.denominator));
         }},
        {'+', Named("Zähler addiert, ohne zu erweitern",
                    "Du hast die Zähler addiert, ohne die Brüche zu erweitern. Erweitere beide Brüche zuerst auf "
                    "den Hauptnenner.",
                    "Schau, ob Du beim Erweitern auch die Zähler mitgenommen hast."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
             return MakeRational(Wide(a.numerator) + b.numerator, std::lcm(a.denominator, b.denominator));
         }},
        {'+', Named("Zähler addiert, größerer Nenner behalten",
                    "Du hast die Zähler addiert und den größeren Nenner behalten. Erweitere beide Brüche zuerst auf "
                    "den Hauptnenner.",
                    "Bei der Addition brauchen beide Brüche denselben Nenner. Schau auch auf die Zähler."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
             return MakeRational(Wide(a.numerator) + b.numerator, std::max(a.denominator, b.denominator));
         }},
        {'+', Named("Ganze Zahl in den Zähler gesetzt",
                    "Eine ganze Zahl ist kein Zähler. Schreib sie als Bruch mit demselben Nenner (3 = 15/5) oder "
                    "rechne mit ihr als gemischte Zahl.",
                    "Schau auf die ganze Zahl: Sie ist kein Zähler."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             const Operand& whole = IsWhole(a) ? a : b;
             const Operand& fraction = IsWhole(a) ? b : a;
             if (!IsWhole(whole) || !IsFraction(fraction)) return std::nullopt;
             return MakeRational(Wide(whole.whole) + fraction.numerator, fraction.denominator);
         }},
        {'-', Named("Zähler minus Zähler, Nenner minus Nenner",
                    "Du hast Zähler und Nenner einzeln subtrahiert. Bring die Brüche erst auf einen gemeinsamen "
                    "Nenner, dann subtrahierst Du nur die Zähler.",
                    "Bei der Subtraktion brauchen beide Brüche denselben Nenner."),
         [](const Operand& a, const Operand& b) { return AcrossAsWritten('-', a, b); }},
        {'-', Named("Erst gekürzt, dann Zähler minus Zähler, Nenner minus Nenner",
                    "Kürzen darfst Du vorher, aber dann subtrahierst Du nicht Zähler und Nenner einzeln. Bring die "
                    "gekürzten Brüche auf einen gemeinsamen Nenner und subtrahiere nur die Zähler.",
                    "Bei der Subtraktion brauchen beide Brüche denselben Nenner."),
         [](const Operand& a, const Operand& b) { return ReducedThenAcross('-', a, b); }},
        {'-', Named("Ohne Entbündeln subtrahiert",
                    "Der Bruch vorne ist kleiner als der hinten. Dann wandelst Du erst ein Ganzes des Minuenden in "
                    "einen Bruch um, statt die Brüche umzudrehen.",
                    "Schau, ob der Bruch vorne groß genug ist, um den hinteren abzuziehen."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsMixed(a) || IsNegative(a) || IsNegative(b)) return std::nullopt;
             const auto back = Combine('-', FractionPart(b), FractionPart(a));
             if (!back || back->numerator <= 0) return std::nullopt;  // the minuend's fraction is not the smaller
             return Combine('+', Rational{a.whole - b.whole, 1}, *back);
         }},
        {'-', Named("Subtraktion umgedreht",
                    "Du hast den kleineren vom größeren Wert abgezogen. Die Reihenfolge bleibt: Minuend minus "
                    "Subtrahend, auch wenn das Ergebnis negativ wird.",
                    "Schau auf die Reihenfolge: erst der Minuend, dann der Subtrahend."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             const auto right = Combine('-', Value(a), Value(b));
             if (!right || right->numerator >= 0) return std::nullopt;
             return Combine('-', Value(b), Value(a));
         }},
        {'*', Named("Ganze Zahl mit Zähler und Nenner malgenommen",
                    "Eine ganze Zahl multiplizierst Du nur mit dem Zähler. Der Nenner bleibt.",
                    "Schau auf die ganze Zahl: Sie wird nur mit dem Zähler malgenommen."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             const Operand& whole = IsWhole(a) ? a : b;
             const Operand& fraction = IsWhole(a) ? b : a;
             if (!IsWhole(whole) || !IsFraction(fraction)) return std::nullopt;
             // The fraction as it was, with the product's sign.
             return MakeRational(whole.whole < 0 ? -fraction.numerator : fraction.numerator, fraction.denominator);
         }},
        {'*', Named("Nenner beim Malnehmen behalten",
                    "Beim Multiplizieren nimmst Du auch die Nenner miteinander mal, auch wenn sie gleich sind.",
                    "Beim Multiplizieren nimmst Du auch die Nenner mal."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return MakeRational(Wide(a.numerator) * b.numerator, a.denominator);
         }},
        {'*', Named("Gemischte Zahlen teilweise malgenommen",
                    "Ganze mal Ganze und Bruch mal Bruch reicht nicht. Wandle gemischte Zahlen erst in unechte "
                    "Brüche um.",
                    "Schau auf die gemischten Zahlen: Wandle sie zuerst in unechte Brüche um."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsMixed(a) || !IsMixed(b)) return std::nullopt;
             const auto wholes = MakeRational(Wide(a.whole) * b.whole, 1);
             const auto parts = Combine('*', FractionPart(a), FractionPart(b));
             if (!wholes || !parts) return std::nullopt;
             return Combine('+', *wholes, *parts);
         }},
        {':', Named("Divisor nicht umgedreht",
                    "Beim Dividieren nimmst Du mit dem Kehrwert des zweiten Bruchs mal: Zähler und Nenner des "
                    "Divisors tauschen die Plätze.",
                    "Beim Dividieren brauchst Du den Kehrwert des zweiten Bruchs."),
         [](const Operand& a, const Operand& b) { return Combine('*', Value(a), Value(b)); }},
        {':', Named("Dividend umgedreht",
                    "Umgedreht wird nur der zweite Bruch, der Divisor. Der erste bleibt, wie er ist.",
                    "Schau, welcher Bruch umgedreht wird: nur der zweite."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             const auto inverse = Combine(':', Rational{1, 1}, Value(a));
             if (!inverse) return std::nullopt;
             return Combine('*', *inverse, Value(b));
         }},
        {':', Named("Nenner beim Teilen behalten",
                    "Bei gleichen Nennern ist der Quotient Zähler durch Zähler: 6/7 : 2/7 = 6 : 2 = 3. Der Nenner "
                    "bleibt nicht stehen.",
                    "Schau auf den Nenner: Beim Teilen bleibt er nicht einfach stehen."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return MakeRational(a.numerator, Wide(b.numerator) * a.denominator);
         }},
        {':', Named("Zähler und Nenner durch die ganze Zahl geteilt",
                    "Teilst Du durch eine ganze Zahl, nimmst Du nur den Nenner mit ihr mal (oder teilst nur den "
                    "Zähler).",
                    "Schau auf die ganze Zahl: Du teilst nicht Zähler und Nenner durch sie."),
         [](const Operand& a, const Operand& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsWhole(b)) return std::nullopt;
             // The fraction as it was, with the quotient's sign.
             return MakeRational(b.whole < 0 ? -a.numerator : a.numerator, a.denominator);
         }},
    };
    return rules;
}

const WrongStrategy& ConvertedByAdding() {
    static const WrongStrategy strategy =
        Named("Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)",
              "Beim Umwandeln rechnest Du Ganze mal Nenner plus Zähler: 2 1/3 = (2 · 3 + 1)/3 = 7/3.",
                    "Schau, wie Du die gemischte Zahl in einen unechten Bruch umwandelst.");
    return strategy;
}

const WrongStrategy& ConvertedByMultiplying() {
    static const WrongStrategy strategy =
        Named("Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)",
              "Beim Umwandeln rechnest Du Ganze mal Nenner plus Zähler: 2 1/3 = (2 · 3 + 1)/3 = 7/3.",
                    "Schau, wie Du die gemischte Zahl in einen unechten Bruch umwandelst.");
    return strategy;
}

const WrongStrategy& WrongSign() {
    static const WrongStrategy strategy =
        Named("Richtiger Betrag, falsches Vorzeichen", "Der Betrag stimmt. Prüfe noch einmal das Vorzeichen.",
                    "Schau noch einmal auf das Vorzeichen.");
    return strategy;
}

std::optional<Rational> RightResult(char op, const MixedNumber& a, const MixedNumber& b) {
    if (op == ':' && ValueOf(b).numerator == 0) throw DivisionByZero();
    return Combine(op, ValueOf(a), ValueOf(b));
}

}  // namespace

std::vector<WrongResult> WrongResults(char op, const MixedNumber& a, const MixedNumber& b) {
    const std::optional<Rational> right = RightResult(op, a, b);
    const Operand x = AsWritten(a), y = AsWritten(b);
    std::vector<WrongResult> results;
    auto add = [&](const WrongStrategy& strategy, std::optional<Rational> value) {
        if (value && value != right) results.push_back({&strategy, *value});
    };
    for (const Rule& rule : Rules()) {
        if (rule.op == op) add(rule.strategy, rule.apply(x, y));
    }
    if (op == '*' || op == ':') {
        add(ConvertedByAdding(), WithWrongConversion(op, x, y, true));
        add(ConvertedByMultiplying(), WithWrongConversion(op, x, y, false));
    }
    // A sign to get wrong only where a sign rule is in play: a negative
    // operand, or a difference below zero.
    const bool signRule = IsNegative(x) || IsNegative(y) || (op == '-' && right && right->numerator < 0);
    if (signRule && right && right->numerator != 0) add(WrongSign(), Rational{-right->numerator, right->denominator});
    return results;
}

std::vector<const WrongStrategy*> CatalogueStrategies() {
    std::vector<const WrongStrategy*> all;
    for (const Rule& rule : Rules()) all.push_back(&rule.strategy);
    for (const WrongStrategy* s : {&ConvertedByAdding(), &ConvertedByMultiplying(), &WrongSign()}) all.push_back(s);
    return all;
}

Check CheckResult(char op, const MixedNumber& a, const MixedNumber& b, const MixedNumber& pupil) {
    const std::optional<Rational> right = RightResult(op, a, b);
    const Rational value = ValueOf(pupil);
    Check check;
    if (right && value == *right) {
        const std::int64_t numerator = pupil.numerator < 0 ? -std::int64_t(pupil.numerator) : pupil.numerator;
        const bool reduced = pupil.IsFullyReduced();
        check.verdict = reduced ? Verdict::Right : Verdict::NotReduced;
        check.improperForm = reduced && pupil.whole == 0 && numerator > pupil.denominator && pupil.denominator > 1;
        return check;
    }
    for (const WrongResult& wrong : WrongResults(op, a, b)) {
        if (wrong.value == value) check.strategies.push_back(wrong.strategy);
    }
    return check;
}

}  // namespace quorvel
