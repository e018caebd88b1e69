// Worked solutions read aloud as a teacher reads them, and one spoken form
// for every drawn block.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "entry/evaluation.h"
#include "exercise/generator.h"
#include "solution/spoken.h"
#include "solve.h"

namespace quorvel {
namespace {

std::string Spoken(char op, MixedNumber a, MixedNumber b) {
    return cp1252::ToUtf8(SpokenSolution(Solve(op, a, b).solution.lines));
}

TEST(SpokenSolution, TheFourOperationsReadAloudWholly) {
    EXPECT_EQ(Spoken('+', {0, 3, 4}, {0, 1, 6}),
              "Addition. Aufgabe Bsp.) [n e]. Drei Viertel plus ein Sechstel. Ausgangsbrüche kürzen. Nichts zu kürzen. "
              "Brüche erweitern auf den Hauptnenner zwölf, das kleinste gemeinsame Vielfache von vier und sechs. "
              "Drei Viertel ist gleich neun Zwölftel, erweitert mit drei; ein Sechstel ist gleich zwei Zwölftel, "
              "erweitert mit zwei. Zähler addieren, Nenner beibehalten. Neun Zwölftel plus zwei Zwölftel ist gleich "
              "elf Zwölftel. Ergebnis kürzen, falls möglich. Kann nicht gekürzt werden.");
    EXPECT_EQ(
        Spoken('-', {2, 1, 3}, {0, 3, 4}),
        "Subtraktion. Aufgabe Bsp.) [n e]. Zwei und ein Drittel minus drei Viertel. Ausgangsbrüche kürzen. "
        "Nichts zu kürzen. Brüche erweitern auf den Hauptnenner zwölf, das kleinste gemeinsame Vielfache von drei "
        "und vier. Zwei und ein Drittel ist gleich zwei und vier Zwölftel, erweitert mit vier; drei Viertel ist "
        "gleich neun Zwölftel, erweitert mit drei. Zähler subtrahieren, Nenner beibehalten. Ganzzahlige Teile "
        "subtrahieren. Eins und sechzehn Zwölftel minus neun Zwölftel ist gleich eins und sieben Zwölftel. "
        "Vorher Minuenden umformen: zwei und vier Zwölftel ist gleich eins und sechzehn Zwölftel. Ergebnis "
        "kürzen, falls möglich. Kann nicht gekürzt werden.");
    EXPECT_EQ(Spoken('*', {2, 1, 2}, {0, 4, 5}),
              "Multiplikation. Aufgabe Bsp.) [n e]. Zweieinhalb mal vier Fünftel. Ausgangsbrüche kürzen. Nichts zu "
              "kürzen. Gemischte Zahl in unechten Bruch umwandeln: zweieinhalb ist gleich fünf Halbe. Produkt ist "
              "gleich Zähler mal Zähler durch Nenner mal Nenner. Produkt ist gleich fünf mal vier über zwei mal fünf. "
              "Jetzt noch einmal über Kreuz kürzen, falls möglich. Fünf Fünftel ist gleich eins durch eins, gekürzt "
              "mit fünf; vier Halbe ist gleich zwei durch eins, gekürzt mit zwei. Ergebnis ist gleich zwei durch eins "
              "ist gleich zwei.");
    EXPECT_EQ(Spoken(':', {0, 3, 4}, {1, 1, 2}),
              "Division. Aufgabe Bsp.) [n e]. Drei Viertel geteilt durch eineinhalb. Ausgangsbrüche kürzen. Nichts zu "
              "kürzen. Gemischte Zahl in unechten Bruch umwandeln: eineinhalb ist gleich drei Halbe. Quotient ist "
              "gleich erster Bruch mal Kehrwert des zweiten Bruchs. Quotient mit dem Kehrwert des zweiten Bruchs ist "
              "gleich drei mal zwei über vier mal drei. Jetzt noch einmal über Kreuz kürzen, falls möglich. Drei "
              "Drittel ist gleich eins durch eins, gekürzt mit drei; zwei Viertel ist gleich ein Halb, gekürzt mit "
              "zwei. Ergebnis ist gleich ein Halb.");
}

TEST(SpokenSolution, NegativeValuesAndLargeNumbers) {
    const auto blocks = [](char op, MixedNumber a, MixedNumber b) {
        std::vector<std::string> utf8;
        for (const auto& block : Solve(op, a, b).solution.lines.SpokenBlocks()) utf8.push_back(cp1252::ToUtf8(block));
        return utf8;
    };
    EXPECT_EQ(blocks('-', {0, 1, 4}, {0, 3, 4}),
              (std::vector<std::string>{"ein Viertel minus drei Viertel", "nichts zu kürzen", "nichts zu erweitern",
                                        "ein Viertel minus drei Viertel ist gleich minus zwei Viertel",
                                        "minus zwei Viertel ist gleich minus ein Halb, gekürzt mit zwei"}));
    // Drawn as -1 + (-1/4) and 2 - 1/4: said as drawn.
    EXPECT_EQ(blocks('+', {-1, -1, 4}, {2, -1, 4}).front(),
              "minus eins plus minus ein Viertel plus zwei minus ein Viertel");
    EXPECT_EQ(blocks('*', {0, 12345, 2}, {0, 1, 3})[3], "Produkt ist gleich 12345 mal eins über zwei mal drei");
}

TEST(SpokenLine, MarkupFormulasAndNumbersInText) {
    const std::pair<const char*, const char*> cases[] = {
        {"<div style=\"color:red;\">Addition</div>", "Addition"},
        {"Richtig!</span> Als gemischte Zahl hei&szlig;t es -1 3/4.<br>",
         "Richtig! Als gemischte Zahl heißt es minus eins und drei Viertel."},
        {"eigene Aufgabe: 6/8 + 2 -1/4<br>", "eigene Aufgabe: sechs Achtel plus zwei minus ein Viertel"},
        {"Auch richtig:Die &#252;brigen 12 * 3 = 36", "Auch richtig: Die übrigen 12 mal 3 ist gleich 36"},
    };
    for (const auto& [line, said] : cases) EXPECT_EQ(cp1252::ToUtf8(SpokenLine(cp1252::FromUtf8(line))), said) << line;
}

// Every block drawn has its spoken form, in words: no bar, no operator sign,
// no number below 10000 in digits.
TEST(SpokenSolution, EveryBlockOfThousandsOfExercisesIsSpoken) {
    ExerciseGenerator generator;
    std::string number = "1";
    for (int i = 0; i < 3000; ++i) {
        const PosedExercise posed =
            generator.Pose({number, i % 4, (i / 4) % 3, (i / 12) % 5, OperatorOfRow((i / 12) % 5)});
        number = posed.exerciseNumber;
        OperandFields first{posed.firstWhole, posed.firstNumerator, posed.firstDenominator};
        OperandFields second{posed.secondWhole, posed.secondNumerator, posed.secondDenominator};
        Walkthrough solution;
        solution.context.operatorCaption = std::string(1, posed.op);
        try {
            EvaluateExercise(first, second, (i / 4) % 3, solution);
        } catch (const Error&) {
        }
        const auto& lines = solution.lines.Lines();
        const auto blocks = solution.lines.SpokenBlocks();
        ASSERT_EQ(blocks.size(), std::size_t(std::count_if(lines.begin(), lines.end(),
                                                           [](const std::string& l) { return l.starts_with("<pre"); })))
            << number;
        for (const std::string& block : blocks) {
            ASSERT_FALSE(block.empty()) << number;
            EXPECT_EQ(block.find_first_of("=*/:()\x97"), std::string::npos) << number << ": " << block;
            std::size_t digits = 0;
            for (char c : block + " ") {
                const std::size_t run = c >= '0' && c <= '9' ? 0 : std::exchange(digits, 0);
                if (c >= '0' && c <= '9') ++digits;
                if (run > 0) {
                    EXPECT_GE(run, 5u) << number << ": " << block;
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
