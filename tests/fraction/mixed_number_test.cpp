#include <gtest/gtest.h>

#include <climits>

#include "fraction/rational.h"

namespace quorvel {
namespace {

TEST(MixedNumber, OfGivesTheNormalForm) {
    EXPECT_EQ(MixedNumber::Of(-7, 4), (MixedNumber{-1, -3, 4}));
    EXPECT_EQ(MixedNumber::Of(7, -4), (MixedNumber{-1, -3, 4}));
    EXPECT_EQ(MixedNumber::Of(6, -8), (MixedNumber{0, -3, 4}));
    EXPECT_EQ(MixedNumber::Of(10, 5), (MixedNumber{2, 0, 1}));
    EXPECT_EQ(MixedNumber::Of(0, -5), (MixedNumber{0, 0, 1}));
    EXPECT_THROW(MixedNumber::Of(1, 0), DivisionByZero);
    EXPECT_THROW(MixedNumber::Of(INT_MIN, -1), ArithmeticOverflow);
}

TEST(MixedNumber, ReducedOnRequestOnlyTheFraction) {
    EXPECT_EQ((MixedNumber{1, 6, 8}.Reduced()), (MixedNumber{1, 3, 4}));
    EXPECT_EQ((MixedNumber{0, 10, 4}.Reduced()), (MixedNumber{0, 5, 2}));
    EXPECT_EQ((MixedNumber{0, 3, -6}.Reduced()), (MixedNumber{0, -1, 2}));
    EXPECT_THROW((MixedNumber{0, 0, 0}.Reduced()), DivisionByZero);
    EXPECT_TRUE((MixedNumber{1, 3, 4}.IsFullyReduced()));
    EXPECT_TRUE((MixedNumber{0, 7, 4}.IsFullyReduced()));
    EXPECT_FALSE((MixedNumber{1, 7, 4}.IsFullyReduced()));
    EXPECT_FALSE((MixedNumber{0, 2, 4}.IsFullyReduced()));
    EXPECT_FALSE((MixedNumber{0, -1, -2}.IsFullyReduced()));
}

TEST(MixedNumber, OperationsAreExactAndChecked) {
    EXPECT_EQ(Sum({1, 2, 4}, {0, 2, 3}), (MixedNumber{2, 1, 6}));
    EXPECT_EQ(Difference({0, 1, 3}, {1, 0, 1}), (MixedNumber{0, -2, 3}));
    EXPECT_EQ(Product({-1, -1, 2}, {0, 2, 3}), (MixedNumber{-1, 0, 1}));
    EXPECT_EQ(Quotient({0, 3, 4}, {1, 1, 2}), (MixedNumber{0, 1, 2}));
    EXPECT_THROW(Quotient({0, 1, 2}, {0, 0, 1}), DivisionByZero);
    EXPECT_THROW(Product({0, 65537, 1}, {0, 65537, 1}), ArithmeticOverflow);
    EXPECT_THROW(Sum({INT_MAX, 0, 1}, {1, 0, 1}), ArithmeticOverflow);
}

TEST(MixedNumber, WrittenAsAPupilWritesIt) {
    struct Case { MixedNumber n; const char* text; const char* typed; };
    const Case cases[] = {
        {{0, 0, 1}, "0", "0"},           {{5, 0, 1}, "5", "5"},
        {{0, 3, 4}, "3/4", "3/4"},       {{0, -3, 4}, "-3/4", "-3/4"},
        {{-1, -3, 4}, "-1 3/4", "-1 3/4"}, {{2, -1, 4}, "2 -1/4", "2 -1/4"},
        {{-1, 3, 4}, "-1 +3/4", "-1 +3/4"}, {{2, 3, 1}, "5", "2 3/1"},
        {{0, -6, 1}, "-6", "-6/1"},      {{0, 6, 8}, "6/8", "6/8"},
        {{0, INT_MIN, 3}, "-2147483648/3", "-2147483648/3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText(c.n), c.text);
        EXPECT_EQ(NumberText(c.n, OverOne::AsTyped), c.typed);
    }
    const Notation marked{"<m>", "_", [](std::int64_t n, std::int64_t d) { return "[" + std::to_string(n) + "|" +
                                                                                   std::to_string(d) + "]"; }};
    EXPECT_EQ(NumberText(Written({-1, -3, 4}), marked), "<m>1_[3|4]");
    EXPECT_EQ(NumberText(Written({2, -1, 4}), marked), "2_<m>[1|4]");
    EXPECT_EQ(NumberText(Written({0, -7, 1}), marked), "<m>7");
}

TEST(Rational, LowestTermsOrNothing) {
    EXPECT_EQ(MakeRational(6, -8), (Rational{-3, 4}));
    EXPECT_EQ(MakeRational(0, -8), (Rational{0, 1}));
    EXPECT_EQ(MakeRational(-1, 2, 3), (Rational{-1, 3}));
    EXPECT_EQ(MakeRational(1, 0), std::nullopt);
    EXPECT_EQ(MakeRational(Wide(INT64_MAX) + 1, 1), std::nullopt);
    EXPECT_EQ(MakeRational(Wide(INT64_MAX) + 1, 2), (Rational{INT64_MAX / 2 + 1, 1}));
}

TEST(Rational, CombinesWithoutWrapping) {
    const Rational big{INT64_MAX, 2};
    EXPECT_EQ(Combine('*', big, {2, INT64_MAX}), (Rational{1, 1}));
    EXPECT_EQ(Combine('+', big, big), (Rational{INT64_MAX, 1}));
    EXPECT_EQ(Combine('+', {INT64_MAX, 1}, {1, 1}), std::nullopt);
    EXPECT_EQ(Combine('-', {1, 2}, {1, 3}), (Rational{1, 6}));
    EXPECT_EQ(Combine(':', {1, 2}, {-1, 3}), (Rational{-3, 2}));
    EXPECT_EQ(Combine(':', {1, 2}, {0, 1}), std::nullopt);
    EXPECT_EQ(CombineAcross('+', 1, 2, 1, 3), (Rational{2, 5}));
    EXPECT_EQ(CombineAcross('-', 1, 2, 1, 2), std::nullopt);
}

TEST(Rational, ValueOfAMixedNumberAndItsText) {
    EXPECT_EQ(ValueOf({-1, -3, 4}), (Rational{-7, 4}));
    EXPECT_EQ(ValueOf({2, 6, 8}), (Rational{11, 4}));
    EXPECT_EQ(ValueOf({2, 0, 0}), (Rational{2, 1}));  // a zero denominator counts as 1
    EXPECT_EQ(ValueOf({INT_MAX, INT_MAX, 1}), (Rational{2 * std::int64_t(INT_MAX), 1}));
    EXPECT_EQ(NumberText(Rational{-7, 4}), "-1 3/4");
    EXPECT_EQ(NumberText(Rational{-3, 4}), "-3/4");
    EXPECT_EQ(NumberText(Rational{4 * std::int64_t(INT_MAX), 1}), "8589934588");
}

}  // namespace
}  // namespace quorvel
