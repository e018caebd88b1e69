#include <gtest/gtest.h>

#include "fraction/steps.h"
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
std::vector<std::string> Drawn(const SheetLines& s) {
    return {s.Line(1), s.Line(2), s.Line(3)};
}

TEST(WriteReductionStep, ZeroNumeratorAndLowestTermsDrawNothing) {
    SheetLines s;
    OpenFractionBlock(s);
    EXPECT_TRUE(WriteReductionStep(s, 2, 0, 5));
    EXPECT_FALSE(WriteReductionStep(s, 0, 3, 4));
    EXPECT_FALSE(WriteReductionStep(s, 0, 3, -4));
    EXPECT_EQ(Drawn(s), (std::vector<std::string>{"", "", ""}));
}

TEST(WriteReductionStep, DrawsTheReductionWithTheGcdFactor) {
    SheetLines s;
    OpenFractionBlock(s);
    EXPECT_TRUE(WriteReductionStep(s, 0, 6, 8));
    EXPECT_EQ(Drawn(s), Lines({"6   3", "— = — (... mit 2) ", "8   4"})) << Readable(Drawn(s));
}

TEST(WriteReductionStep, NegativeNumeratorGivesNegativeFactor) {
    SheetLines s;
    OpenFractionBlock(s);
    WriteReductionStep(s, 0, -2, 4);
    EXPECT_EQ(Drawn(s), Lines({"-2   -1", "—— = —— (... mit -2) ", "4    2 "})) << Readable(Drawn(s));
}

TEST(WriteReductionStep, NegativeWholePartIsDrawnTwice) {
    SheetLines s;
    OpenFractionBlock(s);
    WriteReductionStep(s, -2, -6, 8);
    EXPECT_EQ(Drawn(s), Lines({"    -6       -3", "-2+ —— = -2+ —— (... mit 2) ", "    8        4 "}))
        << Readable(Drawn(s));
}

TEST(WriteExpansionStep, EqualDenominatorDrawsNothing) {
    SheetLines s;
    OpenFractionBlock(s);
    Int numerator = 5;
    WriteExpansionStep(s, 1, numerator, 12, 12);
    EXPECT_EQ(numerator, 5);
    EXPECT_EQ(Drawn(s), (std::vector<std::string>{"", "", ""}));
}

TEST(WriteExpansionStep, LargeExpansionOverflows) {
    SheetLines s;
    OpenFractionBlock(s);
    Int numerator = 70000;
    EXPECT_THROW(WriteExpansionStep(s, 0, numerator, 3, 3 * 70000), ArithmeticOverflow);
}

Walkthrough MakeSheet(const char* number, const char* difficulty, const char* kind, const char* op) {
    Walkthrough sheet;
    sheet.context = {cp1252::FromUtf8(number), cp1252::FromUtf8(difficulty), cp1252::FromUtf8(kind), op};
    return sheet;
}

TEST(ExerciseHeader, WorkedExampleWithCommonDenominatorGivesTheTwentyTwoLines) {
    Walkthrough sheet = MakeSheet("250 a", "Normal", "Gemischte Zahlen", "+");
    Int w1 = 0, z1 = 3, d1 = 4, w2 = 1, z2 = 5, d2 = 6, common = 0;
    WriteExerciseHeader(sheet, "Addition", w1, z1, d1, w2, z2, d2);
    WriteCommonDenominator(sheet.lines, w1, z1, d1, w2, z2, d2, common);

    std::vector<std::string> expected = {HeadingLine("Addition"), "Aufgabe 250 a) [n g]<br>", kOpening};
    for (const auto& l : Lines({"      3    5", "      — + 1—", "      4    6", "</pre>", "<br>",
                                "*) Ausgangsbrüche kürzen mit ...", kOpening.c_str(), "   ", "     ", "   ",
                                "</pre>", "<br>", "*) Brüche erweitern auf kgV(4,6)=12 mit ...",
                                kOpening.c_str(), "   3   9                 5    10",
                                "   — = —— (... mit 3)   1— = 1—— (... mit 2)",
                                "   4   12                6    12", "</pre>", "<br>"})) {
        expected.push_back(l);
    }
    EXPECT_EQ(sheet.lines.Lines(), expected) << Readable(sheet.lines.Lines());
    EXPECT_EQ(sheet.lines.Line(0).size(), 129u + 8 + 6);
    EXPECT_EQ((std::vector<Int>{w1, z1, d1, w2, z2, d2, common}), (std::vector<Int>{0, 9, 4, 1, 10, 6, 12}));
}

TEST(ExerciseHeader, ReducibleInputsAreReducedInPlace) {
    Walkthrough sheet = MakeSheet("7 b", "Könner", "Unechte Brüche", "+");
    Int w1 = 0, z1 = 6, d1 = 8, w2 = 1, z2 = 10, d2 = 12;
    WriteExerciseHeader(sheet, "Addition", w1, z1, d1, w2, z2, d2);
    const auto& l = sheet.lines.Lines();
    EXPECT_EQ(l[1], "Aufgabe 7 b) [k u]<br>");
    ASSERT_EQ(l.size(), 15u);
    EXPECT_EQ((std::vector<std::string>{l[10], l[11], l[12]}),
              Lines({"   6   3                10    5", "   — = — (... mit 2)   1—— = 1— (... mit 2) ",
                     "   8   4                12    6"}))
        << Readable(l);
    EXPECT_EQ((std::vector<Int>{z1, d1, z2, d2}), (std::vector<Int>{3, 4, 5, 6}));
}

TEST(ExerciseHeader, ExerciseNumberTextIsTakenAsItIsButEscapedForHtml) {
    Walkthrough sheet = MakeSheet("Nr. zwölf", "Rechengenie", "Echte Brüche", ":");
    Int w1 = 0, z1 = 1, d1 = 2, w2 = 0, z2 = 1, d2 = 3;
    WriteExerciseHeader(sheet, "Division", w1, z1, d1, w2, z2, d2);
    EXPECT_EQ(sheet.lines.Line(1), cp1252::FromUtf8("Aufgabe Nr. zwölf) [r e]<br>"));
    EXPECT_EQ(sheet.lines.Line(4), cp1252::FromUtf8("      — : —"));

    Walkthrough markup = MakeSheet("<b>\"1\" & 2</b>", "Normal", "Echte Brüche", "+");
    WriteExerciseHeader(markup, "Addition", w1, z1, d1, w2, z2, d2);
    EXPECT_EQ(markup.lines.Line(1), "Aufgabe &lt;b&gt;&quot;1&quot; &amp; 2&lt;/b&gt;) [n e]<br>");
}

TEST(ExerciseHeader, ZeroDenominatorFailsAfterTheExerciseIsDrawn) {
    Walkthrough sheet = MakeSheet("Bsp.", "Normal", "Echte Brüche", "+");
    Int w1 = 0, z1 = 3, d1 = 0, w2 = 0, z2 = 1, d2 = 2;
    EXPECT_THROW(WriteExerciseHeader(sheet, "Addition", w1, z1, d1, w2, z2, d2), DivisionByZero);
    ASSERT_EQ(sheet.lines.Count(), 13u);  // heading, exercise, drawn block, line, open reduction block
    EXPECT_EQ(sheet.lines.Line(8), cp1252::FromUtf8("*) Ausgangsbrüche kürzen mit ..."));
    EXPECT_EQ(sheet.lines.Line(9), kOpening);

    Walkthrough zero = MakeSheet("Bsp.", "Normal", "Echte Brüche", "+");
    z1 = 0;  // a zero numerator draws nothing; the reduction afterwards fails
    EXPECT_THROW(WriteExerciseHeader(zero, "Addition", w1, z1, d1, w2, z2, d2), DivisionByZero);
    EXPECT_EQ(zero.lines.Count(), 13u);
}

}  // namespace
}  // namespace quorvel
