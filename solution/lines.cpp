#include "solution/lines.h"

#include <algorithm>

#include "fraction/arithmetic.h"

namespace quorvel {

namespace {

const char kBlockOpening[] = "<pre style=\"font-size:10pt;line-height:7pt;display:inline;\"><br>";

void TrimRight(std::string& s) {
    while (!s.empty() && IsBlankOrControl(s.back())) s.pop_back();
}

void PadTo(std::string& s, std::size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
}

}  // namespace

std::string SolutionLines::Join() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void SolutionLines::SetText(std::string_view text) { lines_ = SplitLines(text); }

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> SolutionLines::SpokenBlocks() const {
    std::vector<std::string> blocks;
    for (const auto& block : spoken_) blocks.push_back(block.Spoken());
    return blocks;
}

void OpenFractionBlock(SolutionLines& lines, std::string silence) {
    lines.BeginSpokenBlock(std::move(silence));
    lines.Append(kBlockOpening);
    for (int i = 0; i < 3; ++i) lines.Append({});
}

void CloseFractionBlock(SolutionLines& lines) {
    lines.Append("</pre>");
    lines.Append("<br>");
}

void AppendColumn(SolutionLines& lines, std::string top, std::string middle, std::string bottom,
                  std::optional<std::string> spoken) {
    if (SpokenFormula* speech = lines.LastSpokenBlock()) {
        if (spoken) {
            speech->Words(std::move(*spoken));
        } else if (middle == "-") {
            speech->Fraction(top, bottom);
        } else {
            for (const std::string* text : {&top, &middle, &bottom}) speech->Text(*text);
        }
    }
    while (lines.Count() < 3) lines.Append({});
    const std::size_t n = lines.Count();
    std::string t = lines.Line(n - 3);
    std::string m = lines.Line(n - 2);
    std::string b = lines.Line(n - 1);
    TrimRight(t);
    TrimRight(b);
    const std::size_t w = std::max({t.size(), m.size(), b.size()});
    PadTo(t, w);
    PadTo(m, w);
    PadTo(b, w);

    if (middle == "-") {
        middle.assign(std::max<std::size_t>({top.size(), bottom.size(), 1}), kBar);
        while (top.size() + 1 < bottom.size()) top = " " + top + " ";
        while (bottom.size() + 1 < top.size()) bottom = " " + bottom + " ";
    }

    lines.SetLine(n - 3, t + top);
    lines.SetLine(n - 2, m + middle);
    lines.SetLine(n - 1, b + bottom);
}

std::string LcmText(Int a, Int b, Int c) {
    return "kgV(" + DecimalText(a) + "," + DecimalText(b) + ")=" + DecimalText(c);
}

void RemoveBlankLines(SolutionLines& lines) {
    std::vector<std::string> kept;
    for (auto& line : SplitLines(lines.Join())) {
        if (std::any_of(line.begin(), line.end(), [](char c) { return !IsBlankOrControl(c); })) {
            kept.push_back(std::move(line));
        }
    }
    lines.SetLines(std::move(kept));
}

}  // namespace quorvel
