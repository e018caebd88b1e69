#include <gtest/gtest.h>

#include "fraction/walkthroughs.h"
#include "sheet_notation.h"

namespace quorvel {
namespace {

using testing::Readable;
using testing::SheetFromNotation;

struct Solved {
    MixedFraction result;
    Walkthrough sheet;
};

// Evaluates as the "=" action does: walkthrough, then blank lines removed.
Solved Solve(char op, MixedFraction a, MixedFraction b, const char* kind = "Echte Brüche") {
    Solved run;
    run.sheet.context = {"Bsp.", "Normal", cp1252::FromUtf8(kind), std::string(1, op)};
    run.result = Evaluate(op, run.sheet, a, b);
    RemoveBlankLines(run.sheet.lines);
    return run;
}

void ExpectSheet(const Solved& run, const char* notation) {
    EXPECT_EQ(run.sheet.lines.Lines(), SheetFromNotation(notation)) << Readable(run.sheet.lines.Lines());
}

bool Contains(const Solved& run, const std::string& line) {
    for (const auto& l : run.sheet.lines.Lines()) {
        if (l == line) return true;
    }
    return false;
}

TEST(Addition, ExampleA_DefaultFields) {
    Solved run = Solve('+', {0, 7, 14}, {0, 18, 27});
    ExpectSheet(run, R"(
(heading line with the title Addition)
Aufgabe Bsp.) [n e]<br>
(block)
|      7    18|
|      —— + ——|
|      14   27|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
|   7    1               18   2|
|   —— = — (... mit 7)   —— = — (... mit 9) |
|   14   2               27   3|
(end of block)
*) Brüche erweitern auf kgV(2,3)=6 mit ...
(block)
|   1   3               2   4|
|   — = — (... mit 3)   — = — (... mit 2)|
|   2   6               3   6|
(end of block)
*) Zähler addieren, Nenner beibehalten
(block)
|   3   4   7    1|
|   — + — = — = 1—|
|   6   6   6    6|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|   (Kann nicht gekürzt werden.)|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedFraction{1, 1, 6}));
    EXPECT_EQ(run.sheet.labels.first, "1. Summand");
    EXPECT_EQ(run.sheet.labels.second, "2. Summand");
    EXPECT_EQ(run.sheet.labels.result, "Summe");
}

TEST(Addition, ExampleB_MixedNumbers) {
    Solved run = Solve('+', {1, 10, 12}, {2, 2, 3}, "Gemischte Zahlen");
    ExpectSheet(run, R"(
(heading line with the title Addition)
Aufgabe Bsp.) [n g]<br>
(block)
|       10    2|
|      1—— + 2—|
|       12    3|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
|    10    5             |
|   1—— = 1— (... mit 2)   |
|    12    6             |
(end of block)
*) Brüche erweitern auf kgV(6,3)=6 mit ...
(block)
|    2    4|
|   2— = 2— (... mit 2)|
|    3    6|
(end of block)
*) Zähler addieren, Nenner beibehalten
,
   ganzzahlige Teile addieren
(block)
|    5    4    9    3|
|   1— + 2— = 3— = 4—|
|    6    6    6    6|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|    3    1|
|   4— = 4— (... mit 3) |
|    6    2|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedFraction{4, 1, 2}));
}

TEST(Subtraction, ExampleC_Borrowing) {
    Solved run = Solve('-', {3, 1, 4}, {1, 7, 12}, "Gemischte Zahlen");
    ExpectSheet(run, R"(
(heading line with the title Subtraktion)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    7|
|      3— - 1——|
|       4    12|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Brüche erweitern auf kgV(4,12)=12 mit ...
(block)
|    1    3 |
|   3— = 3—— (... mit 3)|
|    4    12|
(end of block)
*) Zähler subtrahieren, Nenner beibehalten
   ganzzahlige Teile subtrahieren
(block)
|    15    7     8|
|   2—— - 1—— = 1——|
|    12    12    12|
(end of block)
   Vorher Minuenden umformen:
(block)
|    3     15|
|   3—— = 2——|
|    12    12|
(end of block)
Ergebnis kürzen, falls möglich.
(block)
|    8     2|
|   1—— = 1— (... mit 4) |
|    12    3|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedFraction{1, 2, 3}));
    EXPECT_EQ(run.sheet.labels.result, "Differenz");
}

TEST(Multiplication, ExampleA_MixedNumbers) {
    Solved run = Solve('*', {1, 1, 2}, {2, 2, 9}, "Gemischte Zahlen");
    ExpectSheet(run, R"(
(heading line with the title Multiplikation)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    2|
|      1— * 2—|
|       2    9|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Gemischte Zahl in unechten Bruch umwandeln:
(block)
|    1   3       2   20|
|   1— = —      2— = ——|
|    2   2       9   9|
(end of block)
*) Produkt=Zähler mal Zähler durch Nenner mal Nenner
(block)
|           3*20|
|   Produkt=————|
|           2*9|
(end of block)
*) Jetzt noch einmal über Kreuz kürzen, falls möglich
(block)
|   3   1             20   10|
|   — = — (... mit 3) —— = —— (... mit 2) |
|   9   3             2    1 |
(end of block)
(block)
|              10    1|
|*) Ergebnis = —— = 3—|
|              3     3|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedFraction{3, 1, 3}));
    EXPECT_EQ(run.sheet.labels.result, "Produkt");
}

TEST(Division, ExampleB_MixedNumbers) {
    Solved run = Solve(':', {2, 1, 4}, {1, 1, 2}, "Gemischte Zahlen");
    ExpectSheet(run, R"(
(heading line with the title Division)
Aufgabe Bsp.) [n g]<br>
(block)
|       1    1|
|      2— : 1—|
|       4    2|
(end of block)
*) Ausgangsbrüche kürzen mit ...
(block)
(end of block)
*) Gemischte Zahl in unechten Bruch umwandeln:
(block)
|    1   9       1   3|
|   2— = —      1— = —|
|    4   4       2   2|
(end of block)
*) Quotient=1. Bruch * Kehrwert des 2. Bruchs
(block)
|            9*2|
|   Quotient=———|
|            4*3|
(end of block)
*) Jetzt noch einmal über Kreuz kürzen, falls möglich
(block)
|   9   3             2   1|
|   — = — (... mit 3) — = — (... mit 2) |
|   3   1             4   2|
(end of block)
(block)
|              3    1|
|*) Ergebnis = — = 1—|
|              2    2|
(end of block)
)");
    EXPECT_EQ(run.result, (MixedFraction{1, 1, 2}));
    EXPECT_EQ(run.sheet.labels.first, "Dividend");
    EXPECT_EQ(run.sheet.labels.second, "Divisor");
    EXPECT_EQ(run.sheet.labels.result, "Quotient");
}

// The rows of the n-th block from the end (0 is the last one).
std::vector<std::string> BlockFromEnd(const Solved& run, int n) {
    const auto& l = run.sheet.lines.Lines();
    std::vector<std::size_t> openings;
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (l[i] == testing::kOpening) openings.push_back(i);
    }
    std::size_t start = openings.at(openings.size() - 1 - std::size_t(n)) + 1;
    std::vector<std::string> rows;
    for (std::size_t i = start; l[i] != "</pre>"; ++i) rows.push_back(cp1252::ToUtf8(l[i]));
    return rows;
}

const std::string kNegativeNote1 = "Falls Du noch keine negativen Zahlen kennst,";
const std::string kNegativeNote2 = cp1252::FromUtf8("heißt Dein Ergebnis jetzt:Geht nicht!");

TEST(AdditionEdgeCases, HalfPlusHalfEndsWithZeroOverTwo) {
    Solved run = Solve('+', {0, 1, 2}, {0, 1, 2});
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   1   1   2    0", "   — + — = — = 1—",
                                                              "   2   2   2    2"}));
    EXPECT_TRUE(BlockFromEnd(run, 0).empty());
    EXPECT_FALSE(Contains(run, "(Kann nicht gekürzt werden.)"));
    EXPECT_EQ(run.result, (MixedFraction{1, 0, 1}));
}

TEST(AdditionEdgeCases, NegativeWholePartsDoNotCountAsWholeParts) {
    Solved run = Solve('+', {-1, -3, 4}, {-1, -3, 4});
    EXPECT_FALSE(Contains(run, ","));
    EXPECT_FALSE(Contains(run, "   ganzzahlige Teile addieren"));
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"       -3       -3       -6", "   -1+ —— + -1+ —— = -2+ ——",
                                                              "       4        4        4"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"       -2       -1", "   -3+ —— = -3+ —— (... mit -2) ",
                                                              "       4        2 "}));
    EXPECT_EQ(run.result, (MixedFraction{-3, -1, 2}));
}

TEST(AdditionEdgeCases, ZeroNumeratorIsExpandedFromZeroOverOne) {
    Solved run = Solve('+', {0, 0, 5}, {0, 1, 3});
    EXPECT_EQ(BlockFromEnd(run, 2)[1], "   — = — (... mit 3)");
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "   0   0");
    EXPECT_EQ(run.result, (MixedFraction{0, 1, 3}));
}

TEST(SubtractionEdgeCases, EqualOperandsGiveZero) {
    Solved run = Solve('-', {0, 3, 4}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — - — = —");
    EXPECT_EQ(BlockFromEnd(run, 1)[0], "   3   3   0");
    EXPECT_TRUE(BlockFromEnd(run, 0).empty());
    EXPECT_FALSE(Contains(run, kNegativeNote1));
    EXPECT_EQ(run.result, (MixedFraction{0, 0, 1}));
}

TEST(SubtractionEdgeCases, NegativeDifferenceWithoutBorrowing) {
    Solved run = Solve('-', {0, 1, 4}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   1   3   -2", "   — - — = ——", "   4   4   4"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"   -2   -1", "   —— = —— (... mit -2) ", "   4    2 "}));
    const auto& l = run.sheet.lines.Lines();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[l.size() - 2], kNegativeNote1);
    EXPECT_EQ(l[l.size() - 1], kNegativeNote2);
    EXPECT_EQ(run.result, (MixedFraction{0, -1, 2}));
}

TEST(SubtractionEdgeCases, NegativeWholePartInTheDifference) {
    Solved run = Solve('-', {1, 3, 4}, {2, 1, 4}, "Gemischte Zahlen");
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   1— - 2— = -1+ —");
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"       2       1", "   -1+ — = -1+ — (... mit 2) ",
                                                              "       4       2"}));
    EXPECT_EQ(run.sheet.lines.Lines().back(), kNegativeNote2);
    EXPECT_EQ(run.result, (MixedFraction{0, -1, 2}));
}

TEST(SubtractionEdgeCases, ImproperFractionsGiveAWholeNumber) {
    Solved run = Solve('-', {0, 7, 3}, {0, 1, 3}, "Unechte Brüche");
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   7   1   6    0", "   — - — = — = 2—",
                                                              "   3   3   3    3"}));
    EXPECT_TRUE(BlockFromEnd(run, 0).empty());
    EXPECT_EQ(run.result, (MixedFraction{2, 0, 1}));
}

TEST(SubtractionEdgeCases, TwoWholesBorrowedToExactlyZero) {
    Solved run = Solve('-', {3, 1, 4}, {0, 9, 4}, "Gemischte Zahlen");
    EXPECT_FALSE(Contains(run, "   Vorher Minuenden umformen:"));
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"    9   9    0", "   1— - — = 1—", "    4   4    4"}));
    EXPECT_EQ(run.result, (MixedFraction{1, 0, 1}));
}

// Borrowing two billion wholes is done at once: the sheet shows the minuend
// after borrowing as the stepwise borrowing would have left it.
TEST(SubtractionEdgeCases, HugeBorrowingIsDoneAtOnce) {
    Solved run = Solve('-', {2147483646, 0, 1}, {0, 2147483645, 1});
    EXPECT_EQ(BlockFromEnd(run, 1)[0], "    2147483645   2147483645    0");
    EXPECT_EQ(run.result, (MixedFraction{1, 0, 1}));
    Walkthrough sheet;  // one whole more than the numerator can hold
    EXPECT_THROW(Evaluate('-', sheet, {3, 1, 2147483647}, {0, 2147483646, 2147483647}), ArithmeticOverflow);
}

TEST(SubtractionEdgeCases, NegativeWholePartCountsForTheWholePartsLine) {
    Solved run = Solve('-', {-1, -1, 2}, {0, 1, 3});
    EXPECT_TRUE(Contains(run, "   ganzzahlige Teile subtrahieren"));
    EXPECT_EQ(run.result, (MixedFraction{-1, -5, 6}));
}

// A whole part and a remainder of opposite signs would read as a wrong value
// in the mixed-number form ("-1" then 1/3 reads as -1 1/3): the whole part is
// drawn with "+ " and the remainder keeps its sign.
TEST(SplitColumns, OppositeSignsStillReadAsTheValue) {
    Solved diff = Solve('-', {0, 7, 3}, {3, 0, 1}, "Unechte Brüche");
    EXPECT_EQ(BlockFromEnd(diff, 1)[1], "   — - 3— = -3+ — = -1+ —");
    EXPECT_EQ(BlockFromEnd(diff, 1)[0], "   7    0       7       1");
    EXPECT_EQ(diff.result, (MixedFraction{0, -2, 3}));

    Solved sum = Solve('+', {-3, 0, 1}, {0, 7, 4});
    EXPECT_EQ(BlockFromEnd(sum, 1)[1], "   -3+ — + — = -3+ — = -2+ —");
    EXPECT_EQ(sum.result, (MixedFraction{-1, -1, 4}));

    Solved negativeRest = Solve('-', {0, -7, 4}, {-3, -1, 4});
    EXPECT_EQ(BlockFromEnd(negativeRest, 1)[0], "   -7       -1    -6    -2");
    EXPECT_EQ(BlockFromEnd(negativeRest, 1)[1], "   —— - -3+ —— = 3—— = 2——");
    EXPECT_EQ(negativeRest.result, (MixedFraction{1, 1, 2}));
}

TEST(MultiplicationEdgeCases, ProperFractionsHaveAnEmptyConversionBlock) {
    Solved run = Solve('*', {0, 4, 9}, {0, 3, 8});
    EXPECT_FALSE(Contains(run, "*) Gemischte Zahl in unechten Bruch umwandeln:"));
    const auto& l = run.sheet.lines.Lines();
    // The header's reduction block is followed directly by the empty conversion block.
    EXPECT_EQ(std::vector<std::string>(l.begin() + 8, l.begin() + 14),
              (std::vector<std::string>{cp1252::FromUtf8("*) Ausgangsbrüche kürzen mit ..."), testing::kOpening,
                                        "</pre>", "<br>", testing::kOpening, "</pre>"}));
    EXPECT_EQ(BlockFromEnd(run, 2), (std::vector<std::string>{"           4*3", "   Produkt=———", "           9*8"}));
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — = — (... mit 4) — = — (... mit 3) ");
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"              1", "*) Ergebnis = —", "              6"}));
    EXPECT_EQ(run.result, (MixedFraction{0, 1, 6}));
}

TEST(MultiplicationEdgeCases, ZeroFactor) {
    Solved run = Solve('*', {0, 0, 5}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "           0*3");
    EXPECT_EQ(BlockFromEnd(run, 2)[2], "           1*4");
    EXPECT_TRUE(BlockFromEnd(run, 1).empty());
    EXPECT_EQ(BlockFromEnd(run, 0)[0], "              0");
    EXPECT_EQ(run.result, (MixedFraction{0, 0, 1}));
}

TEST(DivisionEdgeCases, ProperFractions) {
    Solved run = Solve(':', {0, 3, 4}, {0, 9, 10});
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "            3*10");
    EXPECT_EQ(BlockFromEnd(run, 2)[2], "            4*9");
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — = — (... mit 3) —— = — (... mit 2) ");
    EXPECT_EQ(run.result, (MixedFraction{0, 5, 6}));
}

TEST(DivisionEdgeCases, WholeNumberResultAndOnlyFirstOperandMixed) {
    Solved run = Solve(':', {1, 1, 2}, {0, 3, 4}, "Gemischte Zahlen");
    EXPECT_EQ(BlockFromEnd(run, 3), (std::vector<std::string>{"    1   3", "   1— = —   ", "    2   2"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"              2    0", "*) Ergebnis = — = 2—",
                                                              "              1    1"}));
    EXPECT_EQ(run.result, (MixedFraction{2, 0, 1}));
}

TEST(DivisionEdgeCases, NoCrossCancellingDrawsNothing) {
    Solved run = Solve(':', {0, 3, 4}, {0, 5, 6});
    // 3 over 5 draws nothing; 6 over 4 is cancelled by 2.
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   6   3", "   — = — (... mit 2) ", "   4   2"}));
    EXPECT_FALSE(Contains(run, "(Kann nicht gekürzt werden.)"));
}

TEST(Errors, ZeroDenominatorLeavesTheLinesWrittenSoFar) {
    for (char op : {'+', '-', '*', ':'}) {
        Walkthrough sheet;
        sheet.context.operatorCaption = std::string(1, op);
        EXPECT_THROW(Evaluate(op, sheet, {0, 1, 0}, {0, 1, 2}), DivisionByZero) << op;
        EXPECT_EQ(sheet.lines.Count(), 13u) << op;
        EXPECT_FALSE(sheet.labels.result.empty()) << op;
    }
}

TEST(Errors, DivisionByZeroValueFailsAtTheCrossCancelling) {
    for (MixedFraction dividend : {MixedFraction{0, 1, 2}, MixedFraction{0, 0, 2}}) {
        Walkthrough sheet;
        sheet.context.operatorCaption = ":";
        EXPECT_THROW(Evaluate(':', sheet, dividend, {0, 0, 3}), DivisionByZero);
        const auto& l = sheet.lines.Lines();
        EXPECT_EQ(l[l.size() - 4], testing::kOpening);
        EXPECT_EQ(l[l.size() - 5], cp1252::FromUtf8("*) Jetzt noch einmal über Kreuz kürzen, falls möglich"));
    }
}

TEST(Errors, ValuesNearTheLimitsOverflowInsteadOfGivingWrongResults) {
    const Int big = 2147483647;
    struct Case { char op; MixedFraction a, b; };
    const Case cases[] = {
        {'+', {0, 1, 65537}, {0, 1, 65539}},
        {'+', {big, 0, 1}, {1, 0, 1}},
        {'-', {-big, 0, 1}, {2, 0, 1}},
        {'*', {0, 70000, 1}, {0, 70000, 1}},
        {':', {0, 1, 70000}, {0, 70001, 1}},
        {'*', {0, -2147483647 - 1, 1}, {0, -1, 1}},
        {'+', {0, -2147483647 - 1, -1}, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        Walkthrough sheet;
        sheet.context.operatorCaption = std::string(1, c.op);
        EXPECT_THROW(Evaluate(c.op, sheet, c.a, c.b), ArithmeticOverflow) << c.op;
    }
}

}  // namespace
}  // namespace quorvel
