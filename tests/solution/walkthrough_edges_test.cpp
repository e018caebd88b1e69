// The walkthroughs at their edges: signs, zeros, borrowing, limits.
#include <gtest/gtest.h>

#include "fraction/errors.h"
#include "solve.h"

namespace quorvel {
namespace {

// The rows of the n-th block from the end (0 is the last one).
std::vector<std::string> BlockFromEnd(const Solved& run, int n) {
    const auto& l = run.solution.lines.Lines();
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
    EXPECT_EQ(run.result, (MixedNumber{1, 0, 1}));
}

TEST(AdditionEdgeCases, NegativeWholePartsDoNotCountAsWholeParts) {
    Solved run = Solve('+', {-1, -3, 4}, {-1, -3, 4});
    EXPECT_FALSE(Contains(run, ","));
    EXPECT_FALSE(Contains(run, "   ganzzahlige Teile addieren"));
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"       -3       -3       -6", "   -1+ —— + -1+ —— = -2+ ——",
                                                              "       4        4        4"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"       -2       -1", "   -3+ —— = -3+ —— (... mit -2) ",
                                                              "       4        2 "}));
    EXPECT_EQ(run.result, (MixedNumber{-3, -1, 2}));
}

TEST(AdditionEdgeCases, ZeroNumeratorIsExpandedFromZeroOverOne) {
    Solved run = Solve('+', {0, 0, 5}, {0, 1, 3});
    EXPECT_EQ(BlockFromEnd(run, 2)[1], "   — = — (... mit 3)");
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "   0   0");
    EXPECT_EQ(run.result, (MixedNumber{0, 1, 3}));
}

TEST(SubtractionEdgeCases, EqualOperandsGiveZero) {
    Solved run = Solve('-', {0, 3, 4}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — - — = —");
    EXPECT_EQ(BlockFromEnd(run, 1)[0], "   3   3   0");
    EXPECT_TRUE(BlockFromEnd(run, 0).empty());
    EXPECT_FALSE(Contains(run, kNegativeNote1));
    EXPECT_EQ(run.result, (MixedNumber{0, 0, 1}));
}

TEST(SubtractionEdgeCases, NegativeDifferenceWithoutBorrowing) {
    Solved run = Solve('-', {0, 1, 4}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   1   3   -2", "   — - — = ——", "   4   4   4"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"   -2   -1", "   —— = —— (... mit -2) ", "   4    2 "}));
    const auto& l = run.solution.lines.Lines();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[l.size() - 2], kNegativeNote1);
    EXPECT_EQ(l[l.size() - 1], kNegativeNote2);
    EXPECT_EQ(run.result, (MixedNumber{0, -1, 2}));
}

TEST(SubtractionEdgeCases, NegativeWholePartInTheDifference) {
    Solved run = Solve('-', {1, 3, 4}, {2, 1, 4}, "Gemischte Zahlen");
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   1— - 2— = -1+ —");
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"       2       1", "   -1+ — = -1+ — (... mit 2) ",
                                                              "       4       2"}));
    EXPECT_EQ(run.solution.lines.Lines().back(), kNegativeNote2);
    EXPECT_EQ(run.result, (MixedNumber{0, -1, 2}));
}

TEST(SubtractionEdgeCases, ImproperFractionsGiveAWholeNumber) {
    Solved run = Solve('-', {0, 7, 3}, {0, 1, 3}, "Unechte Brüche");
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   7   1   6    0", "   — - — = — = 2—",
                                                              "   3   3   3    3"}));
    EXPECT_TRUE(BlockFromEnd(run, 0).empty());
    EXPECT_EQ(run.result, (MixedNumber{2, 0, 1}));
}

TEST(SubtractionEdgeCases, TwoWholesBorrowedToExactlyZero) {
    Solved run = Solve('-', {3, 1, 4}, {0, 9, 4}, "Gemischte Zahlen");
    EXPECT_FALSE(Contains(run, "   Vorher Minuenden umformen:"));
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"    9   9    0", "   1— - — = 1—", "    4   4    4"}));
    EXPECT_EQ(run.result, (MixedNumber{1, 0, 1}));
}

// Borrowing two billion wholes is done at once: the solution shows the minuend
// after borrowing as the stepwise borrowing would have left it.
TEST(SubtractionEdgeCases, HugeBorrowingIsDoneAtOnce) {
    Solved run = Solve('-', {2147483646, 0, 1}, {0, 2147483645, 1});
    EXPECT_EQ(BlockFromEnd(run, 1)[0], "    2147483645   2147483645    0");
    EXPECT_EQ(run.result, (MixedNumber{1, 0, 1}));
    Walkthrough solution;  // one whole more than the numerator can hold
    EXPECT_THROW(Evaluate('-', solution, {3, 1, 2147483647}, {0, 2147483646, 2147483647}), ArithmeticOverflow);
}

TEST(SubtractionEdgeCases, NegativeWholePartCountsForTheWholePartsLine) {
    Solved run = Solve('-', {-1, -1, 2}, {0, 1, 3});
    EXPECT_TRUE(Contains(run, "   ganzzahlige Teile subtrahieren"));
    EXPECT_EQ(run.result, (MixedNumber{-1, -5, 6}));
}

// A whole part and a remainder of opposite signs would read as a wrong value
// in the mixed-number form ("-1" then 1/3 reads as -1 1/3): the whole part is
// drawn with "+ " and the remainder keeps its sign.
TEST(SplitColumns, OppositeSignsStillReadAsTheValue) {
    Solved diff = Solve('-', {0, 7, 3}, {3, 0, 1}, "Unechte Brüche");
    EXPECT_EQ(BlockFromEnd(diff, 1)[1], "   — - 3— = -3+ — = -1+ —");
    EXPECT_EQ(BlockFromEnd(diff, 1)[0], "   7    0       7       1");
    EXPECT_EQ(diff.result, (MixedNumber{0, -2, 3}));

    Solved sum = Solve('+', {-3, 0, 1}, {0, 7, 4});
    EXPECT_EQ(BlockFromEnd(sum, 1)[1], "   -3+ — + — = -3+ — = -2+ —");
    EXPECT_EQ(sum.result, (MixedNumber{-1, -1, 4}));

    Solved negativeRest = Solve('-', {0, -7, 4}, {-3, -1, 4});
    EXPECT_EQ(BlockFromEnd(negativeRest, 1)[0], "   -7       -1    -6    -2");
    EXPECT_EQ(BlockFromEnd(negativeRest, 1)[1], "   —— - -3+ —— = 3—— = 2——");
    EXPECT_EQ(negativeRest.result, (MixedNumber{1, 1, 2}));
}

TEST(MultiplicationEdgeCases, ProperFractionsHaveAnEmptyConversionBlock) {
    Solved run = Solve('*', {0, 4, 9}, {0, 3, 8});
    EXPECT_FALSE(Contains(run, "*) Gemischte Zahl in unechten Bruch umwandeln:"));
    const auto& l = run.solution.lines.Lines();
    // The header's reduction block is followed directly by the empty conversion block.
    EXPECT_EQ(std::vector<std::string>(l.begin() + 8, l.begin() + 14),
              (std::vector<std::string>{cp1252::FromUtf8("*) Ausgangsbrüche kürzen mit ..."), testing::kOpening,
                                        "</pre>", "<br>", testing::kOpening, "</pre>"}));
    EXPECT_EQ(BlockFromEnd(run, 2), (std::vector<std::string>{"           4*3", "   Produkt=———", "           9*8"}));
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — = — (... mit 4) — = — (... mit 3) ");
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"              1", "*) Ergebnis = —", "              6"}));
    EXPECT_EQ(run.result, (MixedNumber{0, 1, 6}));
}

TEST(MultiplicationEdgeCases, ZeroFactor) {
    Solved run = Solve('*', {0, 0, 5}, {0, 3, 4});
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "           0*3");
    EXPECT_EQ(BlockFromEnd(run, 2)[2], "           1*4");
    EXPECT_TRUE(BlockFromEnd(run, 1).empty());
    EXPECT_EQ(BlockFromEnd(run, 0)[0], "              0");
    EXPECT_EQ(run.result, (MixedNumber{0, 0, 1}));
}

TEST(DivisionEdgeCases, ProperFractions) {
    Solved run = Solve(':', {0, 3, 4}, {0, 9, 10});
    EXPECT_EQ(BlockFromEnd(run, 2)[0], "            3*10");
    EXPECT_EQ(BlockFromEnd(run, 2)[2], "            4*9");
    EXPECT_EQ(BlockFromEnd(run, 1)[1], "   — = — (... mit 3) —— = — (... mit 2) ");
    EXPECT_EQ(run.result, (MixedNumber{0, 5, 6}));
}

TEST(DivisionEdgeCases, WholeNumberResultAndOnlyFirstOperandMixed) {
    Solved run = Solve(':', {1, 1, 2}, {0, 3, 4}, "Gemischte Zahlen");
    EXPECT_EQ(BlockFromEnd(run, 3), (std::vector<std::string>{"    1   3", "   1— = —   ", "    2   2"}));
    EXPECT_EQ(BlockFromEnd(run, 0), (std::vector<std::string>{"              2    0", "*) Ergebnis = — = 2—",
                                                              "              1    1"}));
    EXPECT_EQ(run.result, (MixedNumber{2, 0, 1}));
}

TEST(DivisionEdgeCases, NoCrossCancellingDrawsNothing) {
    Solved run = Solve(':', {0, 3, 4}, {0, 5, 6});
    // 3 over 5 draws nothing; 6 over 4 is cancelled by 2.
    EXPECT_EQ(BlockFromEnd(run, 1), (std::vector<std::string>{"   6   3", "   — = — (... mit 2) ", "   4   2"}));
    EXPECT_FALSE(Contains(run, "(Kann nicht gekürzt werden.)"));
}

TEST(Errors, ZeroDenominatorLeavesTheLinesWrittenSoFar) {
    for (char op : {'+', '-', '*', ':'}) {
        Walkthrough solution;
        solution.context.operatorCaption = std::string(1, op);
        EXPECT_THROW(Evaluate(op, solution, {0, 1, 0}, {0, 1, 2}), DivisionByZero) << op;
        EXPECT_EQ(solution.lines.Count(), 13u) << op;
        EXPECT_FALSE(solution.labels.result.empty()) << op;
    }
}

TEST(Errors, DivisionByZeroValueFailsAtTheCrossCancelling) {
    for (MixedNumber dividend : {MixedNumber{0, 1, 2}, MixedNumber{0, 0, 2}}) {
        Walkthrough solution;
        solution.context.operatorCaption = ":";
        EXPECT_THROW(Evaluate(':', solution, dividend, {0, 0, 3}), DivisionByZero);
        const auto& l = solution.lines.Lines();
        EXPECT_EQ(l[l.size() - 4], testing::kOpening);
        EXPECT_EQ(l[l.size() - 5], cp1252::FromUtf8("*) Jetzt noch einmal über Kreuz kürzen, falls möglich"));
    }
}

TEST(Errors, ValuesNearTheLimitsOverflowInsteadOfGivingWrongResults) {
    const Int big = 2147483647;
    struct Case { char op; MixedNumber a, b; };
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
        Walkthrough solution;
        solution.context.operatorCaption = std::string(1, c.op);
        EXPECT_THROW(Evaluate(c.op, solution, c.a, c.b), ArithmeticOverflow) << c.op;
    }
}

}  // namespace
}  // namespace quorvel
