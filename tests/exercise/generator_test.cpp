#include <gtest/gtest.h>

#include "exercise/generator.h"

namespace quorvel {
namespace {

PosedExercise PoseFirst(int difficulty, int kind, int operation = 0) {
    ExerciseGenerator generator;
    return generator.Pose({"Bsp.", difficulty, kind, operation, '+'});
}

TEST(Generator, FirstExerciseInEverySetting) {
    struct Case { int difficulty, kind; MixedNumber first, second; };
    const Case cases[] = {
        {0, 0, {0, 1, 4}, {0, 18, 42}},   {0, 1, {0, 21, 4}, {0, 117, 54}}, {0, 2, {5, 1, 4}, {2, 9, 54}},
        {1, 0, {0, 1, 4}, {0, 42, 78}},   {1, 1, {0, 21, 4}, {0, 225, 108}}, {1, 2, {5, 1, 4}, {2, 9, 108}},
        {2, 0, {0, 1, 9}, {0, 36, 84}},   {2, 1, {0, 91, 9}, {0, 342, 108}}, {2, 2, {10, 1, 9}, {3, 18, 108}},
        {3, 0, {0, 1, 9}, {0, 84, 156}},  {3, 1, {0, 91, 9}, {0, 666, 216}}, {3, 2, {10, 1, 9}, {3, 18, 216}},
    };
    for (const auto& c : cases) {
        PosedExercise posed = PoseFirst(c.difficulty, c.kind);
        EXPECT_EQ(posed.exerciseNumber, "1 a");
        EXPECT_EQ(posed.first, c.first) << c.difficulty << "/" << c.kind;
        EXPECT_EQ(posed.second, c.second) << c.difficulty << "/" << c.kind;
    }
}

TEST(Generator, FieldTextsLeaveWholePartsBelowOneEmpty) {
    PosedExercise proper = PoseFirst(0, 0);
    EXPECT_EQ(proper.firstNumerator, "1");
    EXPECT_EQ(proper.firstDenominator, "4");
    EXPECT_EQ(proper.secondNumerator, "18");
    EXPECT_EQ(proper.secondDenominator, "42");
    EXPECT_EQ(proper.firstWhole, "");
    EXPECT_EQ(proper.secondWhole, "");
    PosedExercise mixed = PoseFirst(2, 2);
    EXPECT_EQ(mixed.firstWhole, "10");
    EXPECT_EQ(mixed.secondWhole, "3");
}

TEST(Generator, SameDesignationSameOperandsWhateverCameBefore) {
    ExerciseGenerator fresh;
    PosedExercise expected = fresh.Pose({"250", 3, 2, 0, '+'});
    ExerciseGenerator used;
    for (int i = 0; i < 17; ++i) used.Pose({"7 c", i % 4, i % 3, 4, '*'});
    PosedExercise again = used.Pose({"250", 3, 2, 0, '+'});
    EXPECT_EQ(again.exerciseNumber, "250 a");
    EXPECT_EQ(again.first, expected.first);
    EXPECT_EQ(again.second, expected.second);
}

TEST(Generator, ProperFractionsStayProperAndOperandsKeepTheirRanges) {
    ExerciseGenerator generator;
    std::string number = "Bsp.";
    for (int i = 0; i < 500; ++i) {
        PosedExercise p = generator.Pose({number, i % 4, 0, 0, '+'});
        number = p.exerciseNumber;
        for (const MixedNumber& m : {p.first, p.second}) {
            EXPECT_EQ(m.whole, 0);
            EXPECT_GT(m.numerator, 0);
            EXPECT_LT(m.numerator, m.denominator) << number;
        }
        EXPECT_GE(p.first.denominator, 3);
        EXPECT_GE(p.second.denominator, 6);
    }
}

TEST(MixedOperation, SequenceFromStart) {
    ExerciseGenerator generator;
    std::string number = "Bsp.";
    char shown = '+';
    const char* expected[] = {"1 a", "1 b", "1 c", "1 d"};
    const char ops[] = {'*', '+', '-', ':'};
    for (int i = 0; i < 4; ++i) {
        PosedExercise p = generator.Pose({number, 0, 0, kMixedOperationRow, shown});
        EXPECT_EQ(p.exerciseNumber, expected[i]);
        EXPECT_EQ(p.op, ops[i]) << expected[i];
        number = p.exerciseNumber;
        shown = p.op;
    }
    EXPECT_EQ(generator.Counts(), (OperationCounts{1, 1, 1, 1}));
}

TEST(MixedOperation, OtherRowsKeepTheShownOperator) {
    ExerciseGenerator generator;
    PosedExercise p = generator.Pose({"Bsp.", 0, 0, 2, '*'});
    EXPECT_EQ(p.op, '*');
    EXPECT_EQ(generator.Counts(), (OperationCounts{0, 0, 0, 0}));
}

TEST(BalancedOperator, LeastCountFirstTiesToTheEarlier) {
    RandomSource random;
    EXPECT_EQ(LeastOperationCount({2, 3, 3, 2}), 2);
    EXPECT_EQ(DrawBalancedOperator(random, {2, 3, 3, 2}, '+'), '+');
    EXPECT_EQ(DrawBalancedOperator(random, {3, 3, 1, 2}, '*'), '*');
    EXPECT_EQ(random.State(), 0u);  // no draw of its own
    EXPECT_EQ(LeastOperationCount({4, 4, 4, 4}), -1);
    char op = DrawBalancedOperator(random, {4, 4, 4, 4}, ':');
    EXPECT_NE(op, ':');
    EXPECT_NE(random.State(), 0u);
}

TEST(RandomOperator, NeverTheShownOneAndRepeatsCostDraws) {
    for (char shown : {'+', '-', '*', ':'}) {
        RandomSource random;
        for (int i = 0; i < 300; ++i) EXPECT_NE(DrawRandomOperator(random, shown), shown);
    }
    // From state 0 the first draw of 100 is 0, which is ":" and is repeated
    // when ":" is shown; the second is 3, again ":", the third 86 gives "+".
    RandomSource random;
    EXPECT_EQ(DrawRandomOperator(random, ':'), '+');
    EXPECT_EQ(random.State(), 3698175007u);
}

}  // namespace
}  // namespace quorvel
