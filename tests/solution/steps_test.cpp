#include <gtest/gtest.h>

#include "solution/steps.h"
#include "sheet_notation.h"

namespace quorvel {
namespace {

using testing::HeadingLine;
using testing::kOpening;
using testing::Readable;

std::vector<std::string> Lines(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* l : utf8) out.push_back(cp1252::FromUtf8(l));
    return out;
}

// The columns a step drew, as the three rows of a block opened for it.
std::vector<std::string> Drawn(const SolutionLines& s) {
    return {s.Line(1), s.Line(2), s.Line(3)};
}

TEST(WriteReductionStep, ZeroNumeratorAndLowestTermsDrawNothing) {
    SolutionLines s;
    OpenFractionBlock(s);
    EXPECT_TRUE(WriteReductionStep(s, {2, 0, 5}));
    EXPECT_FALSE(WriteReductionStep(s, {0, 3, 4}));
    EXPECT_FALSE(WriteReductionStep(s, {0, 3, -4}));
    EXPECT_EQ(Drawn(s), (std::vector<std::string>{"", "", ""}));
}

TEST(WriteReductionStep, DrawsTheReductionWithTheGcdFactor) {
    SolutionLines s;
    OpenFractionBlock(s);
    EXPECT_TRUE(WriteReductionStep(s, {0, 6, 8}));
    EXPECT_EQ(Drawn(s), Lines({"6   3", "— = — (... mit 2) ", "8   4"})) << Readable(Drawn(s));
}

TEST(WriteReductionStep, NegativeNumeratorGivesNegativeFactor) {
    SolutionLines s;
    OpenFractionBlock(s);
    WriteReductionStep(s, {0, -2, 4});
    EXPECT_EQ(Drawn(s), Lines({"-2   -1", "—— = —— (... mit -2) ", "4    2 "})) << Readable(Drawn(s));
}

TEST(WriteReductionStep, NegativeWholePartIsDrawnTwice) {
    SolutionLines s;
    OpenFractionBlock(s);
    WriteReductionStep(s, {-2, -6, 8});
    EXPECT_EQ(Drawn(s), Lines({"    -6       -3", "-2+ —— = -2+ —— (... mit 2) ", "    8        4 "}))
        << Readable(Drawn(s));
}

TEST(WriteExpansionStep, EqualDenominatorDrawsNothing) {
    SolutionLines s;
    OpenFractionBlock(s);
    EXPECT_EQ(WriteExpansionStep(s, {1, 5, 12}, 12), 5);
    EXPECT_EQ(Drawn(s), (std::vector<std::string>{"", "", ""}));
}

TEST(WriteExpansionStep, LargeExpansionOverflows) {
    SolutionLines s;
    OpenFractionBlock(s);
    EXPECT_THROW(WriteExpansionStep(s, {0, 70000, 3}, 3 * 70000), ArithmeticOverflow);
}

Walkthrough MakeSolution(const char* number, const char* difficulty, const char* kind, const char* op) {
    Walkthrough solution;
    solution.context = {cp1252::FromUtf8(number), cp1252::FromUtf8(difficulty), cp1252::FromUtf8(kind), op};
    return solution;
}

TEST(ExerciseHeader, WorkedExampleWithCommonDenominatorGivesTheTwentyTwoLines) {
    Walkthrough solution = MakeSolution("250 a", "Normal", "Gemischte Zahlen", "+");
    const OperandPair reduced = WriteExerciseHeader(solution, "Addition", {0, 3, 4}, {1, 5, 6});
    const auto [a, b] = WriteCommonDenominator(solution.lines, reduced.first, reduced.second);

    std::vector<std::string> expected = {HeadingLine("Addition"), "Aufgabe 250 a) [n g]<br>", kOpening};
    for (const auto& l : Lines({"      3    5", "      — + 1—", "      4    6", "</pre>", "<br>",
                                "*) Ausgangsbrüche kürzen mit ...", kOpening.c_str(), "   ", "     ", "   ",
                                "</pre>", "<br>", "*) Brüche erweitern auf kgV(4,6)=12 mit ...",
                                kOpening.c_str(), "   3   9                 5    10",
                                "   — = —— (... mit 3)   1— = 1—— (... mit 2)",
                                "   4   12                6    12", "</pre>", "<br>"})) {
        expected.push_back(l);
    }
    EXPECT_EQ(solution.lines.Lines(), expected) << Readable(solution.lines.Lines());
    EXPECT_EQ(solution.lines.Line(0).size(), 129u + 8 + 6);
    EXPECT_EQ((std::vector<Int>{a.whole, a.numerator, b.whole, b.numerator, a.denominator, b.denominator}),
              (std::vector<Int>{0, 9, 1, 10, 12, 12}));
}

TEST(ExerciseHeader, ReducibleInputsAreReturnedReduced) {
    Walkthrough solution = MakeSolution("7 b", "Könner", "Unechte Brüche", "+");
    const auto [first, second] = WriteExerciseHeader(solution, "Addition", {0, 6, 8}, {1, 10, 12});
    const auto& l = solution.lines.Lines();
    EXPECT_EQ(l[1], "Aufgabe 7 b) [k u]<br>");
    ASSERT_EQ(l.size(), 15u);
    EXPECT_EQ((std::vector<std::string>{l[10], l[11], l[12]}),
              Lines({"   6   3                10    5", "   — = — (... mit 2)   1—— = 1— (... mit 2) ",
                     "   8   4                12    6"}))
        << Readable(l);
    EXPECT_EQ((std::vector<Int>{first.numerator, first.denominator, second.numerator, second.denominator}),
              (std::vector<Int>{3, 4, 5, 6}));
}

TEST(ExerciseHeader, ExerciseNumberTextIsTakenAsItIsButEscapedForHtml) {
    Walkthrough solution = MakeSolution("Nr. zwölf", "Rechengenie", "Echte Brüche", ":");
    WriteExerciseHeader(solution, "Division", {0, 1, 2}, {0, 1, 3});
    EXPECT_EQ(solution.lines.Line(1), cp1252::FromUtf8("Aufgabe Nr. zwölf) [r e]<br>"));
    EXPECT_EQ(solution.lines.Line(4), cp1252::FromUtf8("      — : —"));

    Walkthrough markup = MakeSolution("<b>\"1\" & 2</b>", "Normal", "Echte Brüche", "+");
    WriteExerciseHeader(markup, "Addition", {0, 1, 2}, {0, 1, 3});
    EXPECT_EQ(markup.lines.Line(1), "Aufgabe &lt;b&gt;&quot;1&quot; &amp; 2&lt;/b&gt;) [n e]<br>");
}

TEST(ExerciseHeader, ZeroDenominatorFailsAfterTheExerciseIsDrawn) {
    Walkthrough solution = MakeSolution("Bsp.", "Normal", "Echte Brüche", "+");
    EXPECT_THROW(WriteExerciseHeader(solution, "Addition", {0, 3, 0}, {0, 1, 2}), DivisionByZero);
    ASSERT_EQ(solution.lines.Count(), 13u);  // heading, exercise, drawn block, line, open reduction block
    EXPECT_EQ(solution.lines.Line(8), cp1252::FromUtf8("*) Ausgangsbrüche kürzen mit ..."));
    EXPECT_EQ(solution.lines.Line(9), kOpening);

    Walkthrough zero = MakeSolution("Bsp.", "Normal", "Echte Brüche", "+");
    // A zero numerator draws nothing; the reduction afterwards fails.
    EXPECT_THROW(WriteExerciseHeader(zero, "Addition", {0, 0, 0}, {0, 1, 2}), DivisionByZero);
    EXPECT_EQ(zero.lines.Count(), 13u);
}

}  // namespace
}  // namespace quorvel
