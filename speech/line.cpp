// SpokenLine: a text line of a worked solution as spoken.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "fraction/cp1252.h"
#include "speech/formula.h"
#include "speech/speech.h"

namespace quorvel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Blank and control runs as one blank, none at either end.
std::string Collapsed(std::string_view text) {
    std::string out;
    for (char c : text) {
        const bool blank = static_cast<unsigned char>(c) <= 32;
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string WithoutTags(std::string_view html) {
    std::string text;
    std::size_t i = 0;
    while (i < html.size()) {
        const bool tag = html[i] == '<' && i + 1 < html.size() &&
                         (IsAsciiLetter(html[i + 1]) || html[i + 1] == '/' || html[i + 1] == '!');
        const std::size_t end = tag ? html.find('>', i) : std::string_view::npos;
        if (end == std::string_view::npos) {
            text += html[i++];
        } else {
            text += ' ';
            i = end + 1;
        }
    }
    return text;
}

// Reads digits at i into value; false if there are none or too many.
bool ReadNumber(std::string_view s, std::size_t& i, std::int64_t& value) {
    const std::size_t start = i;
    value = 0;
    while (i < s.size() && IsDigit(s[i]) && i - start < 18) value = value * 10 + (s[i++] - '0');
    return i > start && (i == s.size() || !IsDigit(s[i]));
}

bool Expect(std::string_view s, std::size_t& i, std::string_view what) {
    if (s.substr(i, what.size()) != what) return false;
    i += what.size();
    return true;
}

// Where a number written alone may begin.
bool AtBoundary(std::string_view s, std::size_t i) {
    return i == 0 || s[i - 1] == ' ' || s[i - 1] == ':' || s[i - 1] == '(' || s[i - 1] == '=';
}

// "kgV(a,b)=c" at i.
std::optional<std::string> LeastCommonMultiple(std::string_view s, std::size_t& i) {
    std::size_t j = i;
    std::int64_t a, b, c;
    if (!Expect(s, j, "kgV(") || !ReadNumber(s, j, a) || !Expect(s, j, ",") || !ReadNumber(s, j, b) ||
        !Expect(s, j, ")=") || !ReadNumber(s, j, c)) {
        return std::nullopt;
    }
    i = j;
    return "den Hauptnenner " + NumberWords(c) + ", das kleinste gemeinsame Vielfache von " + NumberWords(a) + " und " +
           NumberWords(b);
}

// "3/4", "-3/4", "1 3/4", "-1 3/4" or "2 -1/4" at i, standing alone.
std::optional<std::string> NumberWrittenAt(std::string_view s, std::size_t& i) {
    if (!AtBoundary(s, i)) return std::nullopt;
    std::size_t j = i;
    const bool minus = Expect(s, j, "-");
    std::int64_t first, numerator, denominator;
    if (!ReadNumber(s, j, first)) return std::nullopt;
    std::string words;
    if (Expect(s, j, "/") && ReadNumber(s, j, denominator)) {
        words = FractionWords(minus ? -first : first, denominator);
    } else if (Expect(s, j, " ")) {
        char sign = s.substr(j, 1) == "-" || s.substr(j, 1) == "+" ? s[j++] : 0;
        if (!ReadNumber(s, j, numerator) || !Expect(s, j, "/") || !ReadNumber(s, j, denominator)) return std::nullopt;
        const std::int64_t whole = minus ? -first : first;
        words = sign != 0 ? NumberWords(whole) + " " + OperatorWords(sign) + " " + FractionWords(numerator, denominator)
                          : MixedNumberWords(whole, minus ? -numerator : numerator, denominator);
    } else {
        return std::nullopt;
    }
    if (j < s.size() && (IsDigit(s[j]) || IsAsciiLetter(s[j]) || s[j] == '/')) return std::nullopt;
    i = j;
    return words;
}

// "1. Bruch", "des 2. Bruchs" at i: the ordinal in words, its ending after
// the article said before ("erster", "der erste", "des zweiten").
std::optional<std::string> Ordinal(std::string_view s, std::size_t& i, std::string_view said) {
    static const char* const kStems[] = {"erst",   "zweit", "dritt", "viert", "fünft",
                                         "sechst", "siebt", "acht",  "neunt"};
    if (!AtBoundary(s, i) || i + 3 >= s.size() || s[i] < '1' || s[i] > '9' || s.substr(i + 1, 2) != ". ") {
        return std::nullopt;
    }
    const auto next = static_cast<unsigned char>(s[i + 3]);
    if (!((next >= 'A' && next <= 'Z') || next == 0xC4 || next == 0xD6 || next == 0xDC)) return std::nullopt;
    while (!said.empty() && said.back() == ' ') said.remove_suffix(1);
    const std::string_view article = said.substr(std::min(said.size(), said.find_last_of(' ') + 1));
    const char* ending = article == "des" || article == "dem" || article == "den"   ? "en"
                         : article == "der" || article == "die" || article == "das" ? "e"
                                                                                    : "er";
    std::string words = cp1252::FromUtf8(kStems[s[i] - '1']) + ending;
    i += 2;
    return words;
}

}  // namespace

std::string SpokenLine(std::string_view html) {
    std::string text = Collapsed(DecodeEntities(WithoutTags(html)));
    if (text.starts_with("*)")) text = Collapsed(text.substr(2));
    if (text.ends_with(" mit ...")) text.resize(text.size() - 8);
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (auto lcm = LeastCommonMultiple(text, i)) {
            out += *lcm;
        } else if (auto ordinal = Ordinal(text, i, out)) {
            out += *ordinal;
        } else if (auto number = (IsDigit(c) || c == '-') ? NumberWrittenAt(text, i) : std::nullopt) {
            out += *number;
        } else if (IsDigit(c)) {
            while (i < text.size() && IsDigit(text[i])) out += text[i++];
        } else if (c == '=') {
            out += " ist gleich ";
            ++i;
        } else if (c == ':' && i + 1 < text.size() && text[i + 1] != ' ') {
            out += ": ";  // "jetzt:Geht nicht!" is read as two words
            ++i;
        } else if (c == ' ' && i + 2 < text.size() && text[i + 2] == ' ' &&
                   (text[i + 1] == '+' || text[i + 1] == '-' || text[i + 1] == '*' || text[i + 1] == ':' ||
                    text[i + 1] == '\xB7')) {
            out += " " + OperatorWords(text[i + 1] == '\xB7' ? '*' : text[i + 1]);
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return Collapsed(out);
}

}  // namespace quorvel
