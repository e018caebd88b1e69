// Drawn formulas and text lines of a worked solution in spoken German.
//
// A SpokenFormula is filled column by column while a fraction block is
// drawn, and speaks the block as a teacher reads it aloud:
//   - a fraction of two plain numbers by its name: "drei Viertel", "minus
//     ein Halb", "sieben durch eins";
//   - a whole number drawn right before a fraction as a mixed number:
//     "zwei und ein Drittel", "zweieinhalb"; with a signed fraction as the
//     sum it is drawn as: "zwei minus ein Viertel", "minus eins plus drei
//     Viertel";
//   - a fraction of anything else, as the products "3*4" over "5*7", as
//     numerator "über" denominator: "drei mal vier über fünf mal sieben";
//     "über" always stands for the bar, "durch" only inside a name;
//   - numbers in words (in digits beyond 9999), + - * : = as "plus",
//     "minus", "mal", "geteilt durch", "ist gleich"; words as they are.
// Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class SpokenFormula {
public:
    // silence is what the formula says when nothing was drawn into it.
    explicit SpokenFormula(std::string silence = "leer") : silence_(std::move(silence)) {}

    // A drawn text: numbers, operators and words; character references are
    // decoded, brackets and the bullet "*)" are not spoken.
    void Text(std::string_view drawn);
    // A fraction column: top over bottom.
    void Fraction(std::string_view top, std::string_view bottom);
    // Words already spoken, said as they are. Words that begin with "," or
    // ";" follow the words before without a blank; a "," or ";" at either
    // end of the whole formula is not said.
    void Words(std::string words);

    std::string Spoken() const;

private:
    enum class Kind { Number, Operator, Fraction, Words };
    struct Token {
        Kind kind;
        std::string text;    // digits, the operator, the numerator or the words
        std::string bottom;  // the denominator of a fraction
    };
    std::vector<Token> tokens_;
    std::string silence_;
};

// Character references ("&uuml;", "&amp;", "&#252;") as the characters they
// stand for; one the code page cannot hold becomes "?".
std::string DecodeEntities(std::string_view html);

// A text line of a worked solution as spoken: tags dropped, references
// decoded, blanks collapsed, the bullet "*)" and a closing " mit ..." (its
// number follows in the block below) dropped; "kgV(a,b)=c" as "den
// Hauptnenner c, das kleinste gemeinsame Vielfache von a und b"; fractions
// and mixed numbers written "3/4", "-1 3/4" by name; "=" and the operators
// between blanks as words. Other numbers stay digits.
std::string SpokenLine(std::string_view html);

}  // namespace quorvel
