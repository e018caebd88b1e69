#include <gtest/gtest.h>

#include "document/messages.h"
#include "exercise/designation.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {
namespace {

TEST(RandomBelow, ReferenceValues) {
    struct Case { std::uint32_t start; Int n; std::vector<Int> results; std::vector<std::uint32_t> states; };
    const Case cases[] = {
        {10, 7, {2, 2, 1}, {1347758131u, 1409029376u, 1187014913u}},
        {2500, 7, {3, 1, 4}, {1932083413u, 870586410u, 2973376723u}},
        {0, 100, {0, 3, 86, 20}, {1u, 134775814u, 3698175007u, 870078620u}},
    };
    for (const auto& c : cases) {
        RandomSource random;
        random.Seed(c.start);
        for (std::size_t i = 0; i < c.results.size(); ++i) {
            EXPECT_EQ(random.RandomBelow(c.n), c.results[i]) << c.start << " call " << i;
            EXPECT_EQ(random.State(), c.states[i]) << c.start << " call " << i;
        }
    }
}

// The field text before "Neue Aufgabe", after it, and the seed.
TEST(SeedFromExerciseNumber, DesignationTable) {
    struct Case { const char* before; const char* after; std::uint32_t seed; };
    const Case cases[] = {
        {"Bsp.", "1 a", 10},     {"", "1 a", 10},          {"250", "250 a", 2500},   {"250 a", "250 b", 2501},
        {"250 h", "250 i", 2508}, {"250 i", "251 a", 2510}, {"250 j", "251 a", 2510}, {"250 k", "251 a", 2510},
        {"250 A", "250 a", 2500}, {"250 x", "250 a", 2500}, {"250 z", "250 a", 2500}, {"abc", "1 b", 11},
        {"a7b", "7 b", 71},       {"2 b 5", "25 c", 252},   {"-5", "5 a", 50},        {"0", "0 a", 0},
        {"Nr. 12 c)", "12 d", 123}, {"250 ä", "250 a", 2500}, {" ", "1 a", 10},
    };
    for (const auto& c : cases) {
        RandomSource random;
        std::string text = PrepareExerciseField(cp1252::FromUtf8(c.before));
        SeedFromExerciseNumber(text, true, random);
        EXPECT_EQ(text, c.after) << '"' << c.before << '"';
        EXPECT_EQ(random.State(), c.seed) << '"' << c.before << '"';
    }
}

TEST(SeedFromExerciseNumber, PreparingOnlyTouchesEmptyAndExampleText) {
    EXPECT_EQ(PrepareExerciseField(""), "1`");
    EXPECT_EQ(PrepareExerciseField("Bsp."), "1`");
    EXPECT_EQ(PrepareExerciseField("bsp."), "bsp.");
    EXPECT_EQ(PrepareExerciseField(" "), " ");
}

TEST(SeedFromExerciseNumber, WithoutAdvancingKeepsTheText) {
    RandomSource random;
    std::string text = "7 q";
    SeedFromExerciseNumber(text, false, random);
    EXPECT_EQ(text, "7 q");
    EXPECT_EQ(random.State(), 69u);  // no letter: index -1
}

TEST(SeedFromExerciseNumber, SeedWrapsAround) {
    RandomSource random;
    std::string text = "429496730";
    SeedFromExerciseNumber(text, true, random);
    EXPECT_EQ(text, "429496730 a");
    EXPECT_EQ(random.State(), 4u);
}

TEST(SeedFromExerciseNumber, OverlongNumberIsAConversionError) {
    RandomSource random;
    random.Seed(77);
    std::string text = "99999999999 b";
    try {
        SeedFromExerciseNumber(text, true, random);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(MessageOf(e), "'99999999999' ist kein gültiger Integerwert"_w);
    }
    EXPECT_EQ(text, "99999999999 b");
    EXPECT_EQ(random.State(), 77u);
    // A megabyte of digits is quoted by its start only.
    text.assign(1 << 20, '9');
    try {
        SeedFromExerciseNumber(text, true, random);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(MessageOf(e), "'" + std::string(40, '9') + "…' ist kein gültiger Integerwert"_w);
    }
}

TEST(SeedFromExerciseNumber, AdvancingPastTheLargestNumberIsRefused) {
    RandomSource random;
    random.Seed(5);
    std::string text = "2147483647 i";
    try {
        SeedFromExerciseNumber(text, true, random);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(MessageOf(e), "'2147483648' ist kein gültiger Integerwert"_w);
    }
    EXPECT_EQ(text, "2147483647 i");
    EXPECT_EQ(random.State(), 5u);

    text = "2147483647 h";
    SeedFromExerciseNumber(text, true, random);
    EXPECT_EQ(text, "2147483647 i");
}

TEST(Designation, CanonicalTextParsesBackToItself) {
    for (Int number : {0, 1, 9, 250, 2147483647}) {
        for (int letter = 0; letter <= 8; ++letter) {
            Designation d{number, letter};
            Designation parsed = ParseExerciseNumber(DesignationText(d));
            EXPECT_EQ(parsed.number, number);
            EXPECT_EQ(parsed.letter, letter);
        }
    }
}

}  // namespace
}  // namespace quorvel
