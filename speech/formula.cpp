#include "speech/formula.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "fraction/cp1252.h"
#include "speech/speech.h"

namespace quorvel {

namespace {

// Longer digit runs than this do not fit a 64-bit number and are said digit
// by digit.
constexpr std::size_t kLongestNumber = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

bool IsPause(char c) { return c == ',' || c == ';'; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::size_t DigitsAt(std::string_view s, std::size_t i) {
    std::size_t j = i;
    while (j < s.size() && IsDigit(s[j])) ++j;
    return j - i;
}

std::optional<std::int64_t> Value(std::string_view digits) {
    if (digits.empty() || digits.size() > kLongestNumber) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string DigitWords(std::string_view digits) {
    const auto value = Value(digits);
    return value ? NumberWords(*value) : std::string(digits);
}

// A fraction of two plain numbers; the numerator may carry a sign of its own.
struct PlainFraction {
    char sign = 0;  // 0, '-' or '+'
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
};

std::optional<PlainFraction> Plain(std::string_view top, std::string_view bottom) {
    top = Trimmed(top);
    bottom = Trimmed(bottom);
    PlainFraction f;
    if (!top.empty() && (top.front() == '-' || top.front() == '+')) {
        f.sign = top.front();
        top.remove_prefix(1);
    }
    const bool negativeBottom = !bottom.empty() && bottom.front() == '-';
    if (negativeBottom) bottom.remove_prefix(1);
    const auto n = Value(top), d = Value(bottom);
    if (!n || !d) return std::nullopt;
    f.numerator = *n;
    f.denominator = negativeBottom ? -*d : *d;
    return f;
}

std::string FractionText(std::string_view top, std::string_view bottom) {
    if (const auto f = Plain(top, bottom)) {
        return FractionWords(f->sign == '-' ? -f->numerator : f->numerator, f->denominator);
    }
    SpokenFormula numerator(""), denominator("");
    numerator.Text(top);
    denominator.Text(bottom);
    return numerator.Spoken() + " über "_w + denominator.Spoken();
}

// A whole number drawn right before a fraction.
std::string MixedText(std::string_view whole, std::string_view top, std::string_view bottom) {
    const auto f = Plain(top, bottom);
    const auto w = Value(whole);
    if (!f) return DigitWords(whole) + " und " + FractionText(top, bottom);
    if (f->sign != 0) {
        return DigitWords(whole) + " " + OperatorWords(f->sign) + " " + FractionWords(f->numerator, f->denominator);
    }
    if (!w) return DigitWords(whole) + " und " + FractionWords(f->numerator, f->denominator);
    return MixedNumberWords(*w, f->numerator, f->denominator);
}

}  // namespace

void SpokenFormula::Text(std::string_view drawn) {
    const std::string text = DecodeEntities(drawn);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        std::size_t j = i + 1;
        if (IsDigit(c)) {
            j = i + DigitsAt(text, i);
            tokens_.push_back({Kind::Number, text.substr(i, j - i), {}});
        } else if (IsLetter(c)) {
            while (j < text.size() && IsLetter(text[j])) ++j;
            tokens_.push_back({Kind::Words, text.substr(i, j - i), {}});
        } else if (c == '*' && j < text.size() && text[j] == ')') {
            ++j;  // the bullet of a step
        } else if (c == '+' || c == '-' || c == '*' || c == ':' || c == '=') {
            tokens_.push_back({Kind::Operator, std::string(1, c), {}});
        } else if (c == '\xB7') {  // the middle dot
            tokens_.push_back({Kind::Operator, "*", {}});
        } else if (c == '(' || c == '[' || IsPause(c)) {
            tokens_.push_back({Kind::Words, IsPause(c) ? std::string(1, c) : ",", {}});
        }
        // Blanks, closing brackets, full stops and "..." are not spoken.
        i = j;
    }
}

void SpokenFormula::Fraction(std::string_view top, std::string_view bottom) {
    tokens_.push_back({Kind::Fraction, DecodeEntities(top), DecodeEntities(bottom)});
}

void SpokenFormula::Words(std::string words) { tokens_.push_back({Kind::Words, std::move(words), {}}); }

std::string SpokenFormula::Spoken() const {
    std::string out;
    auto say = [&out](const std::string& piece) {
        if (piece.empty()) return;
        if (IsPause(piece.front())) {
            while (!out.empty() && (out.back() == ' ' || IsPause(out.back()))) out.pop_back();
        } else if (!out.empty()) {
            out += ' ';
        }
        out += piece;
    };
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const Token& t = tokens_[i];
        switch (t.kind) {
            case Kind::Number:
                if (i + 1 < tokens_.size() && tokens_[i + 1].kind == Kind::Fraction) {
                    say(MixedText(t.text, tokens_[i + 1].text, tokens_[i + 1].bottom));
                    ++i;
                } else {
                    say(DigitWords(t.text));
                }
                break;
            case Kind::Operator: say(OperatorWords(t.text.front())); break;
            case Kind::Fraction: say(FractionText(t.text, t.bottom)); break;
            case Kind::Words: say(t.text); break;
        }
    }
    std::size_t begin = 0;
    while (begin < out.size() && (out[begin] == ' ' || IsPause(out[begin]))) ++begin;
    while (out.size() > begin && (out.back() == ' ' || IsPause(out.back()))) out.pop_back();
    out.erase(0, begin);
    return out.empty() ? silence_ : out;
}

std::string DecodeEntities(std::string_view html) {
    static const std::array<std::pair<std::string_view, char32_t>, 17> kNamed = {{
        {"amp", U'&'}, {"lt", U'<'}, {"gt", U'>'}, {"quot", U'"'}, {"apos", U'\''}, {"nbsp", U' '},
        {"auml", U'ä'}, {"ouml", U'ö'}, {"uuml", U'ü'}, {"Auml", U'Ä'}, {"Ouml", U'Ö'}, {"Uuml", U'Ü'},
        {"szlig", U'ß'}, {"middot", U'·'}, {"ndash", U'–'}, {"mdash", U'—'}, {"euro", U'€'}}};
    std::string out;
    std::size_t i = 0;
    while (i < html.size()) {
        const std::size_t end = html[i] == '&' ? html.find(';', i) : std::string_view::npos;
        if (end == std::string_view::npos || end - i > 10) {
            out += html[i++];
            continue;
        }
        const std::string_view name = html.substr(i + 1, end - i - 1);
        std::optional<char32_t> cp;
        if (name.size() > 1 && name.front() == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            char32_t value = 0;
            bool valid = name.size() > (hex ? 2u : 1u);
            for (char c : name.substr(hex ? 2 : 1)) {
                const int lower = c | 0x20;
                const int digit = IsDigit(c) ? c - '0' : hex && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
                valid = valid && digit >= 0;
                value = value * (hex ? 16 : 10) + char32_t(digit < 0 ? 0 : digit);
            }
            if (valid) cp = value;
        } else {
            for (const auto& [entity, point] : kNamed) {
                if (entity == name) cp = point;
            }
        }
        if (!cp) {
            out += html[i++];
            continue;
        }
        const int byte = cp1252::FromUnicode(*cp);
        out += byte < 0 ? '?' : char(byte);
        i = end + 1;
    }
    return out;
}

}  // namespace quorvel
