#include "solution/spoken.h"

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

}  // namespace

std::string SpokenSolution(const SolutionLines& lines) {
    const std::vector<std::string> blocks = lines.SpokenBlocks();
    std::size_t block = 0;
    std::vector<std::string> sentences;
    // Whether the next line continues the sentence: after a comma or colon,
    // and after a line of text that stops short of a full stop where the next
    // begins in lower case (a sentence broken over two lines; a step's line
    // is a sentence of its own).
    bool runsOn = false;
    bool broken = false;
    const auto& all = lines.Lines();
    for (std::size_t i = 0; i < all.size(); ++i) {
        std::string said;
        if (all[i].starts_with("<pre")) {
            while (i + 1 < all.size() && all[i] != "</pre>") ++i;
            if (block < blocks.size()) said = blocks[block++];
            broken = false;
        } else {
            said = SpokenLine(all[i]);
            if (broken && !said.empty() && said.front() >= 'a' && said.front() <= 'z') runsOn = true;
            const char last = said.empty() ? '.' : said.back();
            broken = last != '.' && last != '!' && last != '?' && last != ':' && last != ',' &&
                     all[i].find("*)") == std::string::npos;
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
