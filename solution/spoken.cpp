#include "solution/spoken.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "speech/formula.h"

namespace quorvel {

namespace {

char Capital(char c) {
    const auto u = static_cast<unsigned char>(c);
    // Windows-1252 lower-case letters with accents lie 0x20 above their capitals.
    const bool lower = (u >= 'a' && u <= 'z') || (u >= 0xE0 && u != 0xF7 && u != 0xFF);
    return lower ? char(u - 0x20) : c;
}

void EndSentence(std::string& sentence) {
    while (!sentence.empty() && (sentence.back() == ':' || sentence.back() == ';' || sentence.back() == ' ')) {
        sentence.pop_back();
    }
    if (sentence.empty()) return;
    const char last = sentence.back();
    if (last == ',') sentence.pop_back();
    if (last != '.' && last != '!' && last != '?') sentence += '.';
}

bool StartsWithTag(std::string_view line, std::string_view tag) {
    line = Trimmed(line);
    if (line.size() < tag.size()) return false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != tag[i]) return false;
    }
    return true;
}
bool OpensBlock(std::string_view line) { return StartsWithTag(line, "<pre"); }
bool ClosesBlock(std::string_view line) { return StartsWithTag(line, "</pre>"); }

// The lines with every pre tag and every closing pre tag at the start of a
// line of its own, so that a block is found wherever a page has put it.
std::vector<std::string> BlocksOnLinesOfTheirOwn(const std::vector<std::string>& lines) {
    std::vector<std::string> split;
    for (const std::string& line : lines) {
        std::string lower(line.size(), ' ');
        for (std::size_t i = 0; i < line.size(); ++i) lower[i] = char(std::tolower(static_cast<unsigned char>(line[i])));
        std::size_t begin = 0;
        for (std::size_t at = 1; at < line.size(); ++at) {
            if (lower.compare(at, 4, "<pre") == 0 || lower.compare(at, 5, "</pre") == 0) {
                split.push_back(line.substr(begin, at - begin));
                begin = at;
            }
        }
        split.push_back(line.substr(begin));
    }
    // What follows a closing tag on its line is text of its own.
    for (std::size_t i = 0; i < split.size(); ++i) {
        const std::size_t end = split[i].find('>');
        if (ClosesBlock(split[i]) && end + 1 < split[i].size()) {
            split.insert(split.begin() + std::ptrdiff_t(i) + 1, split[i].substr(end + 1));
            split[i].resize(end + 1);
        }
    }
    return split;
}

// Whether a line of HTML ends where the page breaks the line: after a line
// break, a rule, or the end of a paragraph, heading, item or division.
bool EndsWithBreak(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.back() != '>') return false;
    const std::size_t open = line.rfind('<');
    if (open == std::string_view::npos) return false;
    std::string tag;
    for (char c : line.substr(open + 1)) {
        if (c == '>' || c == ' ') break;
        tag += char(std::tolower(static_cast<unsigned char>(c)));
    }
    static const char* const kBreaks[] = {"br", "hr", "/p", "/h1", "/h2", "/h3", "/h4", "/h5", "/h6",
                                          "/li", "/div", "/ul", "/ol", "/td", "/tr", "/table", "/pre"};
    for (const char* name : kBreaks) {
        if (tag == name) return true;
    }
    return false;
}

// The element a page's line opens whose text is never read: the head of a
// page shown whole, its style and its scripts. Its closing tag.
const char* UnreadElementEnd(std::string_view line) {
    if (StartsWithTag(line, "<head")) return "</head>";
    if (StartsWithTag(line, "<style")) return "</style>";
    if (StartsWithTag(line, "<script")) return "</script>";
    return nullptr;
}

bool Contains(std::string_view line, std::string_view closing) {
    std::string lower(line);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(closing) != std::string::npos;
}

// A blank before a comma or a full stop, left where a tag stood, is dropped.
std::string WithoutBlanksBeforePunctuation(std::string text) {
    std::string out;
    for (char c : text) {
        if ((c == ',' || c == '.' || c == ';' || c == ':' || c == '!' || c == '?') && !out.empty() && out.back() == ' ') {
            out.pop_back();
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string SpokenSolution(const SolutionLines& lines) { return SpokenText(lines.Lines(), lines.SpokenBlocks()); }

std::string SpokenText(const std::vector<std::string>& lines, const std::vector<std::string>& blocks) {
    const std::vector<std::string> all = BlocksOnLinesOfTheirOwn(lines);
    std::size_t block = 0;
    std::vector<std::string> sentences;
    // Whether the next line continues the sentence: after a comma or colon,
    // after a line of text that stops short of a full stop where the next
    // begins in lower case (a sentence broken over two lines; a step's line
    // is a sentence of its own), and after a line of a paragraph that stops
    // short of its end and of a line break.
    bool runsOn = false;
    bool broken = false;
    bool wraps = false;  // a line of a paragraph the page wraps on into the next
    for (std::size_t i = 0; i < all.size(); ++i) {
        std::string said;
        if (const char* end = UnreadElementEnd(all[i])) {
            while (i + 1 < all.size() && !Contains(all[i], end)) ++i;
            continue;
        }
        if (OpensBlock(all[i])) {
            while (i + 1 < all.size() && !ClosesBlock(all[i])) ++i;
            if (block < blocks.size()) said = blocks[block++];
            broken = false;
            wraps = false;
        } else {
            said = WithoutBlanksBeforePunctuation(SpokenLine(all[i]));
            if (broken && !said.empty() && said.front() >= 'a' && said.front() <= 'z') runsOn = true;
            if (wraps && !said.empty()) runsOn = true;
            const char last = said.empty() ? '.' : said.back();
            broken = last != '.' && last != '!' && last != '?' && last != ':' && last != ',' &&
                     all[i].find("*)") == std::string::npos;
            wraps = broken && !said.empty() && !EndsWithBreak(all[i]);
        }
        if (said == "," && !sentences.empty()) {
            sentences.back() += ',';
            runsOn = true;
            continue;
        }
        if (said.empty() || said == "," || said == ".") continue;
        if (runsOn && !sentences.empty()) {
            sentences.back() += " " + said;
        } else {
            sentences.push_back(said);
        }
        runsOn = said.back() == ',' || said.back() == ':';
    }
    std::string text;
    for (std::string& sentence : sentences) {
        EndSentence(sentence);
        if (sentence.empty()) continue;
        sentence.front() = Capital(sentence.front());
        text += (text.empty() ? "" : " ") + sentence;
    }
    return text;
}

}  // namespace quorvel
