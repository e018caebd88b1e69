#include <gtest/gtest.h>

#include "entry/checking.h"
#include "exercise/generator.h"
#include "fraction/cp1252.h"

namespace quorvel {
namespace {

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
        MixedFraction a, b, pupil;
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
        {'+', {0, 1, 2}, {0, 1, 3}, {0, -5, 6}, "Richtiger Betrag, falsches Vorzeichen"},
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
    EXPECT_THROW(CheckResult(':', {0, 1, 2}, {0, 0, 3}, {0, 1, 1}), DivisionByZero);
}

// Over many generated exercises: no strategy is reported for the right
// result, and every reported strategy gives exactly the pupil's value.
TEST(Checking, GeneratedExercisesNeverBlameARightResult) {
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
                Walkthrough sheet;
                const Check own = CheckResult(p.op, p.first, p.second, Evaluate(p.op, sheet, p.first, p.second));
                ASSERT_EQ(own.verdict, Verdict::Right) << p.exerciseNumber;
                ASSERT_TRUE(own.strategies.empty());
                for (const WrongResult& wrong : WrongResults(p.op, p.first, p.second)) {
                    const MixedFraction pupil{0, int(wrong.value.numerator), int(wrong.value.denominator)};
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

}  // namespace
}  // namespace quorvel
