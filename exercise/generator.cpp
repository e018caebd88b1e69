#include "exercise/generator.h"

#include <algorithm>

#include "exercise/designation.h"
#include "fraction/arithmetic.h"

namespace quorvel {

namespace {

std::string WholeFieldText(Int whole) { return whole < 1 ? std::string() : DecimalText(whole); }

// Size bound S and factor bound F of a difficulty row.
struct DifficultyBounds {
    Int size;
    Int factor;
};

DifficultyBounds BoundsOfDifficulty(int row) {
    switch (row) {
        case 1: return {20, 10};
        case 2: return {10, 20};
        case 3: return {20, 20};
        default: return {10, 10};
    }
}

// Makes the operand proper, improper or mixed by the kind row.
void ShapeOperand(RandomSource& random, int kind, MixedNumber& operand, Int factorBound) {
    operand.whole = 0;
    operand.numerator = operand.numerator % operand.denominator;
    if (operand.numerator == 0) operand.numerator = 1;
    if (kind == kMixedNumbers) {
        operand.whole = random.RandomBelow(factorBound / 2) + 1;
    } else if (kind == kImproperFractions) {
        operand.numerator = Add(operand.numerator, Mul(random.RandomBelow(factorBound / 2) + 1, operand.denominator));
    }
}

void DrawOperands(RandomSource& random, int kind, Int S, Int F, MixedNumber& first, MixedNumber& second) {
    first.numerator = random.RandomBelow(S - S / 3) + S / 3 + 1;
    first.denominator = random.RandomBelow(S - S / 3) + S / 3 + 1;
    ReduceFraction(first.numerator, first.denominator);
    Int factor1 = random.RandomBelow(F - F / 3) + F / 3;
    first.numerator = Mul(first.numerator, factor1);
    first.denominator = Mul(first.denominator, factor1);
    ShapeOperand(random, kind, first, F);

    second.numerator = random.RandomBelow(S - S / 2) + S / 2 + 1;
    second.denominator = random.RandomBelow(S - S / 2) + S / 2 + 1;
    ReduceFraction(second.numerator, second.denominator);
    Int factor2 = random.RandomBelow(F - F / 2) + F / 2 + 1;
    second.numerator = Mul(second.numerator, factor2);
    second.denominator = Mul(second.denominator, factor2);
    ShapeOperand(random, kind, second, F);
}

}  // namespace

char DrawRandomOperator(RandomSource& random, char shown) {
    char op;
    do {
        Int r = random.RandomBelow(100);
        op = r >= 75 ? '+' : r >= 50 ? '-' : r >= 25 ? '*' : ':';
    } while (op == shown);
    return op;
}

Int LeastOperationCount(const OperationCounts& counts) {
    if (std::all_of(counts.begin(), counts.end(), [&](Int c) { return c == counts[0]; })) return -1;
    return *std::min_element(counts.begin(), counts.end());
}

char DrawBalancedOperator(RandomSource& random, const OperationCounts& counts, char shown) {
    Int least = LeastOperationCount(counts);
    for (int i = 0; i < 4; ++i) {
        if (counts[i] == least) return kOperators[i];
    }
    return DrawRandomOperator(random, shown);
}

PosedExercise ExerciseGenerator::Pose(const ExerciseSettings& settings) {
    PosedExercise posed;
    posed.exerciseNumber = PrepareExerciseField(settings.exerciseNumber);
    SeedFromExerciseNumber(posed.exerciseNumber, settings.advance, random_);

    DifficultyBounds bounds = BoundsOfDifficulty(settings.difficulty);
    DrawOperands(random_, settings.kind, bounds.size, bounds.factor, posed.first, posed.second);
    posed.firstNumerator = DecimalText(posed.first.numerator);
    posed.firstDenominator = DecimalText(posed.first.denominator);
    posed.secondNumerator = DecimalText(posed.second.numerator);
    posed.secondDenominator = DecimalText(posed.second.denominator);
    posed.firstWhole = WholeFieldText(posed.first.whole);
    posed.secondWhole = WholeFieldText(posed.second.whole);

    posed.op = settings.shownOperator;
    if (settings.operation == kMixedOperationRow) {
        Int r = random_.RandomBelow(100);
        posed.op = r < 50 ? DrawBalancedOperator(random_, counts_, settings.shownOperator)
                          : DrawRandomOperator(random_, settings.shownOperator);
        ++counts_[RowOfOperator(posed.op)];
    }
    return posed;
}

}  // namespace quorvel
