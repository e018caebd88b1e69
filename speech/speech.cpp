#include "speech/speech.h"

#include <array>
#include <string_view>

#include "fraction/cp1252.h"

namespace quorvel {

namespace {

// The words the numbers are built of.
const std::array<std::string, 20> kUnits = {
    "null", "eins", "zwei", "drei", "vier", "fünf"_w, "sechs", "sieben", "acht", "neun",
    "zehn", "elf", "zwölf"_w, "dreizehn", "vierzehn", "fünfzehn"_w, "sechzehn", "siebzehn", "achtzehn", "neunzehn"};
const std::array<std::string, 10> kTens = {
    "", "zehn", "zwanzig", "dreißig"_w, "vierzig", "fünfzig"_w, "sechzig", "siebzig", "achtzig", "neunzig"};
// The parts of the denominators 2 to 19; from 20 on the number gets "stel".
const std::array<std::string, 20> kParts = {
    "", "", "Halbe", "Drittel", "Viertel", "Fünftel"_w, "Sechstel", "Siebtel", "Achtel", "Neuntel",
    "Zehntel", "Elftel", "Zwölftel"_w, "Dreizehntel", "Vierzehntel", "Fünfzehntel"_w, "Sechzehntel",
    "Siebzehntel", "Achtzehntel", "Neunzehntel"};
constexpr std::int64_t kLargestWord = 9999;

std::uint64_t Size(std::int64_t n) { return n < 0 ? 0 - std::uint64_t(n) : std::uint64_t(n); }

// 1 to 99; "ein" instead of "eins" where a word follows ("einundzwanzig",
// "einhundert").
std::string BelowHundred(unsigned n, bool followed) {
    if (n == 1 && followed) return "ein";
    if (n < 20) return kUnits[n];
    const unsigned unit = n % 10;
    if (unit == 0) return kTens[n / 10];
    return (unit == 1 ? std::string("ein") : kUnits[unit]) + "und" + kTens[n / 10];
}

// 1 to 9999 as one word. Hundreds and thousands alone are "hundert" and
// "tausend"; after a thousand, "einhundert".
std::string Word(unsigned n, bool followed) {
    std::string word;
    if (n >= 1000) {
        if (n / 1000 > 1) word += BelowHundred(n / 1000, true);
        word += "tausend";
        n %= 1000;
    }
    if (n >= 100) {
        if (n / 100 > 1 || !word.empty()) word += BelowHundred(n / 100, true);
        word += "hundert";
        n %= 100;
    }
    if (n > 0) word += BelowHundred(n, followed);
    return word;
}

std::string Capitalised(std::string word) {
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = char(word[0] - 'a' + 'A');
    return word;
}

std::string Digits(std::uint64_t n) { return std::to_string(n); }

// A size spoken as a count in front of a noun: "ein", "drei", "hunderteins".
std::string Count(std::uint64_t n) {
    if (n > kLargestWord) return Digits(n);
    if (n == 0) return kUnits[0];
    return n == 1 ? std::string("ein") : Word(unsigned(n), false);
}

std::string Sized(std::uint64_t n) {
    if (n > kLargestWord) return Digits(n);
    return n == 0 ? kUnits[0] : Word(unsigned(n), false);
}

// "ein Halb", "sieben Zwölftel", "3 durch 101": the fraction without sign.
std::string PositiveFraction(std::uint64_t numerator, std::uint64_t denominator) {
    const std::int64_t d = denominator > std::uint64_t(kLargestWord) ? 0 : std::int64_t(denominator);
    const std::string part = PartName(d, numerator != 1);
    if (part.empty()) return Sized(numerator) + " durch " + Sized(denominator);
    return Count(numerator) + " " + part;
}

}  // namespace

std::string NumberWords(std::int64_t number) {
    const std::string size = Sized(Size(number));
    return number < 0 ? "minus " + size : size;
}

std::string PartName(std::int64_t denominator, bool several) {
    if (denominator < 2 || denominator > kLargestWord) return "";
    if (denominator == 2) return several ? "Halbe" : "Halb";
    if (denominator < 20) return kParts[std::size_t(denominator)];
    // From 20 on: the number and "stel" ("Zwanzigstel", "Hundertstel"). A
    // number ending in 1 to 19 after its hundreds ends in that part
    // ("Hundertdrittel"), except 1, which no one says.
    const unsigned below = unsigned(denominator % 100);
    if (denominator > 100 && below > 0 && below < 20) {
        if (below == 1) return "";
        return Capitalised(Word(unsigned(denominator - below), true) + std::string(1, char(kParts[below][0] - 'A' + 'a')) +
                           kParts[below].substr(1));
    }
    return Capitalised(Word(unsigned(denominator), false)) + "stel";
}

std::string FractionWords(std::int64_t numerator, std::int64_t denominator) {
    const std::string words = PositiveFraction(Size(numerator), Size(denominator));
    const bool negative = numerator != 0 && (numerator < 0) != (denominator < 0);
    return negative ? "minus " + words : words;
}

std::string MixedNumberWords(std::int64_t whole, std::int64_t numerator, std::int64_t denominator) {
    const bool negative = (whole < 0) || (whole == 0 && numerator != 0 && (numerator < 0) != (denominator < 0));
    const std::uint64_t w = Size(whole);
    std::string words;
    if (numerator == 0) {
        words = Sized(w);
    } else if (w == 0) {
        words = PositiveFraction(Size(numerator), Size(denominator));
    } else if (Size(denominator) == 2 && Size(numerator) == 1 && w <= kLargestWord) {
        // "eineinhalb", "zweieinhalb", "hunderteinhalb"
        words = Word(unsigned(w), true) + "einhalb";
    } else {
        words = Sized(w) + " und " + PositiveFraction(Size(numerator), Size(denominator));
    }
    return negative ? "minus " + words : words;
}

std::string WrittenNumberWords(const WrittenNumber& written) {
    const std::int64_t whole = written.minus ? -written.whole : written.whole;
    if (!written.hasFraction) return NumberWords(whole);
    if (!written.hasWhole) {
        const bool negative = written.minus != (written.fractionSign == '-');
        return FractionWords(negative ? -written.numerator : written.numerator, written.denominator);
    }
    if (written.fractionSign != 0) {
        return NumberWords(whole) + " " + OperatorWords(written.fractionSign) + " " +
               FractionWords(written.numerator, written.denominator);
    }
    return MixedNumberWords(whole, written.minus ? -written.numerator : written.numerator, written.denominator);
}

std::string OperatorWords(char op) {
    switch (op) {
        case '+': return "plus";
        case '-': return "minus";
        case '*': return "mal";
        case ':': return "geteilt durch";
        case '=': return "ist gleich";
        default: return std::string(1, op);
    }
}

}  // namespace quorvel
