#include "speech/speech.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "fraction/cp1252.h"

namespace quorvel {
namespace {

std::string Utf8(const std::string& text) { return cp1252::ToUtf8(text); }

TEST(Speech, EveryDenominatorFromTwoToHundredHasItsPartName) {
    const std::string expected =
        "Halbe Drittel Viertel Fünftel Sechstel Siebtel Achtel Neuntel Zehntel Elftel Zwölftel Dreizehntel "
        "Vierzehntel Fünfzehntel Sechzehntel Siebzehntel Achtzehntel Neunzehntel "
        "Zwanzigstel Einundzwanzigstel Zweiundzwanzigstel Dreiundzwanzigstel Vierundzwanzigstel "
        "Fünfundzwanzigstel Sechsundzwanzigstel Siebenundzwanzigstel Achtundzwanzigstel Neunundzwanzigstel "
        "Dreißigstel Einunddreißigstel Zweiunddreißigstel Dreiunddreißigstel Vierunddreißigstel "
        "Fünfunddreißigstel Sechsunddreißigstel Siebenunddreißigstel Achtunddreißigstel Neununddreißigstel "
        "Vierzigstel Einundvierzigstel Zweiundvierzigstel Dreiundvierzigstel Vierundvierzigstel "
        "Fünfundvierzigstel Sechsundvierzigstel Siebenundvierzigstel Achtundvierzigstel Neunundvierzigstel "
        "Fünfzigstel Einundfünfzigstel Zweiundfünfzigstel Dreiundfünfzigstel Vierundfünfzigstel "
        "Fünfundfünfzigstel Sechsundfünfzigstel Siebenundfünfzigstel Achtundfünfzigstel Neunundfünfzigstel "
        "Sechzigstel Einundsechzigstel Zweiundsechzigstel Dreiundsechzigstel Vierundsechzigstel "
        "Fünfundsechzigstel Sechsundsechzigstel Siebenundsechzigstel Achtundsechzigstel Neunundsechzigstel "
        "Siebzigstel Einundsiebzigstel Zweiundsiebzigstel Dreiundsiebzigstel Vierundsiebzigstel "
        "Fünfundsiebzigstel Sechsundsiebzigstel Siebenundsiebzigstel Achtundsiebzigstel Neunundsiebzigstel "
        "Achtzigstel Einundachtzigstel Zweiundachtzigstel Dreiundachtzigstel Vierundachtzigstel "
        "Fünfundachtzigstel Sechsundachtzigstel Siebenundachtzigstel Achtundachtzigstel Neunundachtzigstel "
        "Neunzigstel Einundneunzigstel Zweiundneunzigstel Dreiundneunzigstel Vierundneunzigstel "
        "Fünfundneunzigstel Sechsundneunzigstel Siebenundneunzigstel Achtundneunzigstel Neunundneunzigstel "
        "Hundertstel";
    std::istringstream words(expected);
    std::string word;
    for (int denominator = 2; denominator <= 100; ++denominator) {
        ASSERT_TRUE(words >> word);
        EXPECT_EQ(Utf8(PartName(denominator, true)), word) << denominator;
        EXPECT_EQ(Utf8(FractionWords(3, denominator)), "drei " + word) << denominator;
    }
    EXPECT_FALSE(words >> word);
}

TEST(Speech, NumbersInWordsUpTo9999AndInDigitsBeyond) {
    const std::vector<std::pair<long long, std::string>> cases = {
        {0, "null"},           {1, "eins"},          {16, "sechzehn"},        {17, "siebzehn"},
        {21, "einundzwanzig"}, {30, "dreißig"},      {100, "hundert"},        {101, "hunderteins"},
        {256, "zweihundertsechsundfünfzig"},         {1000, "tausend"},       {1001, "tausendeins"},
        {1100, "tausendeinhundert"},                  {2024, "zweitausendvierundzwanzig"},
        {9999, "neuntausendneunhundertneunundneunzig"}, {10000, "10000"},   {-3, "minus drei"},
        {-2147483648LL, "minus 2147483648"}};
    for (const auto& [number, words] : cases) EXPECT_EQ(Utf8(NumberWords(number)), words) << number;
}

TEST(Speech, FractionsAndMixedNumbersAsATeacherReadsThem) {
    EXPECT_EQ(Utf8(FractionWords(1, 2)), "ein Halb");
    EXPECT_EQ(Utf8(FractionWords(3, 2)), "drei Halbe");
    EXPECT_EQ(Utf8(FractionWords(1, 3)), "ein Drittel");
    EXPECT_EQ(Utf8(FractionWords(5, 76)), "fünf Sechsundsiebzigstel");
    EXPECT_EQ(Utf8(FractionWords(-3, 4)), "minus drei Viertel");
    EXPECT_EQ(Utf8(FractionWords(3, -4)), "minus drei Viertel");
    EXPECT_EQ(Utf8(FractionWords(-3, -4)), "drei Viertel");
    EXPECT_EQ(Utf8(FractionWords(0, 5)), "null Fünftel");
    EXPECT_EQ(Utf8(FractionWords(7, 103)), "sieben Hundertdrittel");
    EXPECT_EQ(Utf8(FractionWords(1, 200)), "ein Zweihundertstel");
    // Where German has no word, the fraction is read as a division, never dropped.
    EXPECT_EQ(Utf8(FractionWords(3, 101)), "drei durch hunderteins");
    EXPECT_EQ(Utf8(FractionWords(12345, 67890)), "12345 durch 67890");
    EXPECT_EQ(Utf8(FractionWords(4, 1)), "vier durch eins");

    EXPECT_EQ(Utf8(MixedNumberWords(2, 1, 2)), "zweieinhalb");
    EXPECT_EQ(Utf8(MixedNumberWords(1, 1, 2)), "eineinhalb");
    EXPECT_EQ(Utf8(MixedNumberWords(21, 1, 2)), "einundzwanzigeinhalb");
    EXPECT_EQ(Utf8(MixedNumberWords(3, 3, 4)), "drei und drei Viertel");
    EXPECT_EQ(Utf8(MixedNumberWords(1, 1, 3)), "eins und ein Drittel");
    EXPECT_EQ(Utf8(MixedNumberWords(-1, -1, 3)), "minus eins und ein Drittel");
    EXPECT_EQ(Utf8(MixedNumberWords(0, -5, 6)), "minus fünf Sechstel");
    EXPECT_EQ(Utf8(MixedNumberWords(7, 0, 1)), "sieben");
    EXPECT_EQ(Utf8(MixedNumberWords(12000, 1, 2)), "12000 und ein Halb");
}

TEST(Speech, NumbersAsWrittenAreSpokenAsDrawn) {
    EXPECT_EQ(Utf8(WrittenNumberWords(Written(0, 7, 1))), "sieben");
    EXPECT_EQ(Utf8(WrittenNumberWords(Written(2, -1, 4))), "zwei minus ein Viertel");
    EXPECT_EQ(Utf8(WrittenNumberWords(Written(-1, 3, 4))), "minus eins plus drei Viertel");
}

TEST(Speech, Operators) {
    EXPECT_EQ(OperatorWords('+'), "plus");
    EXPECT_EQ(OperatorWords('-'), "minus");
    EXPECT_EQ(OperatorWords('*'), "mal");
    EXPECT_EQ(OperatorWords(':'), "geteilt durch");
    EXPECT_EQ(OperatorWords('='), "ist gleich");
}

}  // namespace
}  // namespace quorvel
