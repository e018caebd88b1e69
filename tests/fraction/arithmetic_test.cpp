#include <gtest/gtest.h>

#include <climits>

#include "document/messages.h"
#include "fraction/arithmetic.h"
#include "fraction/cp1252.h"

namespace quorvel {
namespace {

TEST(Gcd, KeepsTheSignOfTheLastDivisor) {
    struct Case { Int a, b, gcd; };
    const Case cases[] = {{12, 18, 6}, {18, 12, 6}, {7, 7, 7},   {5, 1, 1},   {0, 5, 5},    {0, -5, -5},
                          {-6, 4, -2}, {6, -4, 2},  {-4, 6, 2},  {-6, -4, -2}, {12, -18, -6}};
    for (const auto& c : cases) EXPECT_EQ(Gcd(c.a, c.b), c.gcd) << c.a << ", " << c.b;
}

TEST(Gcd, ZeroSecondArgumentIsDivisionByZero) {
    EXPECT_THROW(Gcd(5, 0), DivisionByZero);
    EXPECT_THROW(Gcd(0, 0), DivisionByZero);
    try {
        Gcd(3, 0);
        FAIL() << "no error";
    } catch (const DivisionByZero& e) {
        EXPECT_EQ(MessageOf(e), "Division durch Null");
    }
}

TEST(Lcm, OfDenominators) {
    EXPECT_EQ(Lcm(4, 6), 12);
    EXPECT_EQ(Lcm(6, 4), 12);
    EXPECT_EQ(Lcm(3, 5), 15);
    EXPECT_EQ(Lcm(12, 18), 36);
    EXPECT_EQ(Lcm(-4, 6), -12);
    EXPECT_THROW(Lcm(4, 0), DivisionByZero);
}

TEST(Lcm, LargeDenominatorsOverflowInsteadOfWrapping) {
    EXPECT_THROW(Lcm(65537, 65539), ArithmeticOverflow);
    // The result itself fits although the plain product would not.
    EXPECT_EQ(Lcm(65536, 65536), 65536);
    EXPECT_EQ(Lcm(46341 * 2, 46341 * 3), 46341 * 6);
}

TEST(ReduceFraction, LowestTermsWithPositiveDenominator) {
    struct Case { Int n, d, rn, rd; };
    const Case cases[] = {{6, 8, 3, 4},  {-6, 8, -3, 4}, {6, -8, -3, 4}, {-6, -8, 3, 4}, {0, 5, 0, 1},
                          {0, -5, 0, 1}, {7, 7, 1, 1},   {-4, 6, -2, 3}, {5, 1, 5, 1},   {3, -4, -3, 4}};
    for (const auto& c : cases) {
        Int n = c.n, d = c.d;
        ReduceFraction(n, d);
        EXPECT_EQ(n, c.rn) << c.n << "/" << c.d;
        EXPECT_EQ(d, c.rd) << c.n << "/" << c.d;
    }
}

TEST(ReduceFraction, ZeroDenominatorIsAnError) {
    Int n = 0, d = 0;
    EXPECT_THROW(ReduceFraction(n, d), DivisionByZero);
    n = 3;
    EXPECT_THROW(ReduceFraction(n, d), DivisionByZero);
}

TEST(ReduceFraction, NegatingTheSmallestNumberOverflows) {
    Int n = INT_MIN, d = -1;
    EXPECT_THROW(ReduceFraction(n, d), ArithmeticOverflow);
    n = 1;
    d = INT_MIN;
    EXPECT_THROW(ReduceFraction(n, d), ArithmeticOverflow);
}

TEST(SplitWhole, RemainderHasTheNumeratorsSign) {
    struct Case { Int n, d, whole, rest; };
    const Case cases[] = {{7, 3, 2, 1},  {-7, 3, -2, -1}, {2, 3, 0, 2}, {-2, 3, 0, -2},
                          {3, 3, 1, 0},  {-3, 3, -1, 0},  {6, 3, 2, 0}, {0, 3, 0, 0},
                          {INT_MIN, 1, INT_MIN, 0}};
    for (const auto& c : cases) {
        Int whole = 99, rest = 99;
        SplitWhole(c.n, c.d, whole, rest);
        EXPECT_EQ(whole, c.whole) << c.n << "/" << c.d;
        EXPECT_EQ(rest, c.rest) << c.n << "/" << c.d;
    }
}

TEST(SplitWhole, RestMayBeTheNumeratorVariable) {
    Int numerator = 7, whole = 0;
    SplitWhole(numerator, 3, whole, numerator);
    EXPECT_EQ(whole, 2);
    EXPECT_EQ(numerator, 1);
}

TEST(SplitWhole, ZeroDenominatorIsAnError) {
    Int whole, rest;
    EXPECT_THROW(SplitWhole(5, 0, whole, rest), DivisionByZero);
    EXPECT_THROW(SplitWhole(0, 0, whole, rest), DivisionByZero);
}

TEST(WholePartText, EmptyPlainOrWithPlus) {
    EXPECT_EQ(WholePartText(0), "");
    EXPECT_EQ(WholePartText(12), "12");
    EXPECT_EQ(WholePartText(-3), "-3+ ");
    EXPECT_EQ(WholePartText(-3).size(), 4u);
    EXPECT_EQ(DecimalText(INT_MIN), "-2147483648");
}

TEST(Overflow, MessageIsTheProgramsOwn) {
    try {
        Mul(INT_MAX, 2);
        FAIL() << "no overflow raised";
    } catch (const ArithmeticOverflow& e) {
        EXPECT_EQ(MessageOf(e), "Arithmetischer Überlauf"_w);
    }
    EXPECT_THROW(Neg(INT_MIN), ArithmeticOverflow);
    EXPECT_THROW(Div(INT_MIN, -1), ArithmeticOverflow);
    EXPECT_EQ(Rem(INT_MIN, -1), 0);
    EXPECT_EQ(Div(-7, 2), -3);
    EXPECT_EQ(Rem(-7, 2), -1);
    EXPECT_EQ(Rem(7, -2), 1);
}

TEST(Cp1252, LiteralsAndConversions) {
    EXPECT_EQ("Brüche"_w, std::string("Br\xFC" "che"));
    EXPECT_EQ("—"_w, std::string(1, '\x97'));
    EXPECT_EQ("Schließen"_w.size(), 9u);
    EXPECT_EQ(cp1252::ToUtf8("Gr\xF6\xDF" "e \x80\x97"), "Größe €—");
    EXPECT_EQ(cp1252::FromUtf8("Größe €—"), "Gr\xF6\xDF" "e \x80\x97");
    EXPECT_EQ(cp1252::FromUtf8("\xE2\x88\x9E"), "?");  // no infinity sign in the code page
    for (int b = 0; b < 256; ++b) {
        std::string one(1, char(b));
        EXPECT_EQ(cp1252::FromUtf8(cp1252::ToUtf8(one)), one) << b;
    }
}

}  // namespace
}  // namespace quorvel
