#include "entry/checking.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {

namespace {

__extension__ typedef __int128 Wide;

// In lowest terms, or nothing when it does not fit or has no denominator.
std::optional<Rational> Make(Wide numerator, Wide denominator) {
    if (denominator == 0) return std::nullopt;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide a = numerator < 0 ? -numerator : numerator, b = denominator;
    while (b != 0) a = std::exchange(b, a % b);
    numerator /= a;
    denominator /= a;
    const Wide limit = INT64_MAX;
    if (numerator > limit || numerator < -limit || denominator > limit) return std::nullopt;
    return Rational{std::int64_t(numerator), std::int64_t(denominator)};
}

std::optional<Rational> Combine(char op, Rational x, Rational y) {
    const Wide a = x.numerator, b = x.denominator, c = y.numerator, d = y.denominator;
    switch (op) {
        case '+': return Make(a * d + c * b, b * d);
        case '-': return Make(a * d - c * b, b * d);
        case '*': return Make(a * c, b * d);
        case ':': return Make(a * d, b * c);
    }
    return std::nullopt;
}

bool IsFraction(const MixedFraction& x) { return x.whole == 0 && x.numerator != 0; }
bool IsWhole(const MixedFraction& x) { return x.whole != 0 && x.numerator == 0; }
bool IsMixed(const MixedFraction& x) { return x.whole != 0 && x.numerator != 0; }
// The fraction part alone, as a value.
Rational FractionPart(const MixedFraction& x) { return ValueOf({0, x.numerator, x.denominator}); }

struct Rule {
    char op;
    WrongStrategy strategy;
    std::optional<Rational> (*apply)(const MixedFraction& a, const MixedFraction& b);
};

WrongStrategy Named(const char* name, const char* advice) { return {cp1252::FromUtf8(name), cp1252::FromUtf8(advice)}; }

// A mixed number made improper the wrong way, then the operation done right.
std::optional<Rational> WithWrongConversion(char op, const MixedFraction& a, const MixedFraction& b, bool added) {
    if (!IsMixed(a) && !IsMixed(b)) return std::nullopt;
    auto convert = [added](const MixedFraction& x) {
        if (!IsMixed(x)) return std::optional<Rational>(ValueOf(x));
        const std::int64_t top = added ? std::int64_t(x.whole) + x.numerator : std::int64_t(x.whole) * x.numerator;
        return Make(top, x.denominator);
    };
    const auto x = convert(a), y = convert(b);
    if (!x || !y) return std::nullopt;
    return Combine(op, *x, *y);
}

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = {
        {'+', Named("Zähler plus Zähler, Nenner plus Nenner",
                    "Du hast Zähler und Nenner einzeln addiert. Bring die Brüche erst auf einen gemeinsamen Nenner, "
                    "dann addierst Du nur die Zähler."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
             return Make(std::int64_t(a.numerator) + b.numerator, std::int64_t(a.denominator) + b.denominator);
         }},
        {'+', Named("Gleiche Nenner mit addiert",
                    "Bei gleichen Nennern addierst Du nur die Zähler. Der Nenner bleibt, wie er ist."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return Make(std::int64_t(a.numerator) + b.numerator, 2 * std::int64_t(a.denominator));
         }},
        {'+', Named("Zähler addiert, ohne zu erweitern",
                    "Du hast die Zähler addiert, ohne die Brüche zu erweitern. Erweitere beide Brüche zuerst auf "
                    "den Hauptnenner."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
             return Make(std::int64_t(a.numerator) + b.numerator, std::lcm(std::int64_t(a.denominator), b.denominator));
         }},
        {'+', Named("Zähler addiert, größerer Nenner behalten",
                    "Du hast die Zähler addiert und den größeren Nenner behalten. Erweitere beide Brüche zuerst auf "
                    "den Hauptnenner."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator == b.denominator) return std::nullopt;
             return Make(std::int64_t(a.numerator) + b.numerator, std::max(a.denominator, b.denominator));
         }},
        {'+', Named("Ganze Zahl in den Zähler gesetzt",
                    "Eine ganze Zahl ist kein Zähler. Schreib sie als Bruch mit demselben Nenner (3 = 15/5) oder "
                    "rechne mit ihr als gemischte Zahl."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             const MixedFraction& whole = IsWhole(a) ? a : b;
             const MixedFraction& fraction = IsWhole(a) ? b : a;
             if (!IsWhole(whole) || !IsFraction(fraction)) return std::nullopt;
             return Make(std::int64_t(whole.whole) + fraction.numerator, fraction.denominator);
         }},
        {'-', Named("Ohne Entbündeln subtrahiert",
                    "Der Bruch vorne ist kleiner als der hinten. Dann wandelst Du erst ein Ganzes des Minuenden in "
                    "einen Bruch um, statt die Brüche umzudrehen."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsMixed(a) || a.whole < 0 || b.whole < 0 || b.numerator < 0) return std::nullopt;
             const auto back = Combine('-', FractionPart(b), FractionPart(a));
             if (!back || back->numerator <= 0) return std::nullopt;  // the minuend's fraction is not the smaller
             return Combine('+', Rational{std::int64_t(a.whole) - b.whole, 1}, *back);
         }},
        {'-', Named("Subtraktion umgedreht",
                    "Du hast den kleineren vom größeren Wert abgezogen. Die Reihenfolge bleibt: Minuend minus "
                    "Subtrahend, auch wenn das Ergebnis negativ wird."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             const auto right = Combine('-', ValueOf(a), ValueOf(b));
             if (!right || right->numerator >= 0) return std::nullopt;
             return Combine('-', ValueOf(b), ValueOf(a));
         }},
        {'*', Named("Ganze Zahl mit Zähler und Nenner malgenommen",
                    "Eine ganze Zahl multiplizierst Du nur mit dem Zähler. Der Nenner bleibt."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             const MixedFraction& fraction = IsWhole(a) ? b : a;
             if (!(IsWhole(a) || IsWhole(b)) || !IsFraction(fraction)) return std::nullopt;
             return ValueOf(fraction);
         }},
        {'*', Named("Nenner beim Malnehmen behalten",
                    "Beim Multiplizieren nimmst Du auch die Nenner miteinander mal, auch wenn sie gleich sind."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return Make(std::int64_t(a.numerator) * b.numerator, a.denominator);
         }},
        {'*', Named("Gemischte Zahlen teilweise malgenommen",
                    "Ganze mal Ganze und Bruch mal Bruch reicht nicht. Wandle gemischte Zahlen erst in unechte "
                    "Brüche um."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsMixed(a) || !IsMixed(b)) return std::nullopt;
             const auto parts = Combine('*', FractionPart(a), FractionPart(b));
             if (!parts) return std::nullopt;
             return Combine('+', Rational{std::int64_t(a.whole) * b.whole, 1}, *parts);
         }},
        {':', Named("Divisor nicht umgedreht",
                    "Beim Dividieren nimmst Du mit dem Kehrwert des zweiten Bruchs mal: Zähler und Nenner des "
                    "Divisors tauschen die Plätze."),
         [](const MixedFraction& a, const MixedFraction& b) { return Combine('*', ValueOf(a), ValueOf(b)); }},
        {':', Named("Dividend umgedreht",
                    "Umgedreht wird nur der zweite Bruch, der Divisor. Der erste bleibt, wie er ist."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             const auto inverse = Combine(':', Rational{1, 1}, ValueOf(a));
             if (!inverse) return std::nullopt;
             return Combine('*', *inverse, ValueOf(b));
         }},
        {':', Named("Nenner beim Teilen behalten",
                    "Bei gleichen Nennern ist der Quotient Zähler durch Zähler: 6/7 : 2/7 = 6 : 2 = 3. Der Nenner "
                    "bleibt nicht stehen."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsFraction(b) || a.denominator != b.denominator) return std::nullopt;
             return Make(a.numerator, std::int64_t(b.numerator) * a.denominator);
         }},
        {':', Named("Zähler und Nenner durch die ganze Zahl geteilt",
                    "Teilst Du durch eine ganze Zahl, nimmst Du nur den Nenner mit ihr mal (oder teilst nur den "
                    "Zähler)."),
         [](const MixedFraction& a, const MixedFraction& b) -> std::optional<Rational> {
             if (!IsFraction(a) || !IsWhole(b)) return std::nullopt;
             return ValueOf(a);
         }},
    };
    return rules;
}

const WrongStrategy& ConvertedByAdding() {
    static const WrongStrategy strategy =
        Named("Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)",
              "Beim Umwandeln rechnest Du Ganze mal Nenner plus Zähler: 2 1/3 = (2 · 3 + 1)/3 = 7/3.");
    return strategy;
}

const WrongStrategy& ConvertedByMultiplying() {
    static const WrongStrategy strategy =
        Named("Gemischte Zahl falsch umgewandelt (Ganze mal Zähler)",
              "Beim Umwandeln rechnest Du Ganze mal Nenner plus Zähler: 2 1/3 = (2 · 3 + 1)/3 = 7/3.");
    return strategy;
}

const WrongStrategy& WrongSign() {
    static const WrongStrategy strategy =
        Named("Richtiger Betrag, falsches Vorzeichen", "Der Betrag stimmt. Prüfe noch einmal das Vorzeichen.");
    return strategy;
}

std::optional<Rational> RightResult(char op, const MixedFraction& a, const MixedFraction& b) {
    if (op == ':' && ValueOf(b).numerator == 0) throw DivisionByZero();
    return Combine(op, ValueOf(a), ValueOf(b));
}

}  // namespace

Rational ValueOf(const MixedFraction& x) {
    return *Make(Wide(x.whole) * x.denominator + x.numerator, x.denominator != 0 ? x.denominator : 1);
}

std::vector<WrongResult> WrongResults(char op, const MixedFraction& a, const MixedFraction& b) {
    const std::optional<Rational> right = RightResult(op, a, b);
    std::vector<WrongResult> results;
    auto add = [&](const WrongStrategy& strategy, std::optional<Rational> value) {
        if (value && value != right) results.push_back({&strategy, *value});
    };
    for (const Rule& rule : Rules()) {
        if (rule.op == op) add(rule.strategy, rule.apply(a, b));
    }
    if (op == '*' || op == ':') {
        add(ConvertedByAdding(), WithWrongConversion(op, a, b, true));
        add(ConvertedByMultiplying(), WithWrongConversion(op, a, b, false));
    }
    if (right && right->numerator != 0) add(WrongSign(), Rational{-right->numerator, right->denominator});
    return results;
}

Check CheckResult(char op, const MixedFraction& a, const MixedFraction& b, const MixedFraction& pupil) {
    const std::optional<Rational> right = RightResult(op, a, b);
    const Rational value = ValueOf(pupil);
    Check check;
    if (right && value == *right) {
        const std::int64_t numerator = pupil.numerator < 0 ? -std::int64_t(pupil.numerator) : pupil.numerator;
        const bool reduced = pupil.denominator > 0 && std::gcd(numerator, std::int64_t(pupil.denominator)) <= 1 &&
                             (pupil.whole == 0 || numerator < pupil.denominator);
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
