// The lines of a worked solution, and the routines that draw stacked
// fractions into them. A fraction block is an opening line, three rows
// (numerators, bars and operators, denominators) and two closing lines;
// while a block is open its rows are the last three lines.
//
// Beside the lines, each block has its spoken form (speech/formula.h): the
// routines that draw a column say what it means as they draw it. The
// spoken forms are never written into the lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fraction/int32.h"
#include "speech/formula.h"

namespace quorvel {

// The bar character: an em dash in Windows-1252.
inline constexpr char kBar = '\x97';

// Blanks and control characters: what trimming removes and what makes a
// line blank.
inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
// text without the blanks and control characters at either end.
inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

class SolutionLines {
public:
    std::size_t Count() const { return lines_.size(); }
    const std::string& Line(std::size_t index) const { return lines_.at(index); }
    void SetLine(std::size_t index, std::string text) { lines_.at(index) = std::move(text); }
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    // Drops the lines and the spoken forms.
    void Clear() {
        lines_.clear();
        spoken_.clear();
    }
    const std::vector<std::string>& Lines() const { return lines_; }

    // All lines, each followed by CR LF.
    std::string Join() const;
    // Replaces the lines by those of text, split at CR LF, lone CR or lone LF;
    // a final line break starts no further line. The spoken forms stay: the
    // text is to hold the same blocks.
    void SetText(std::string_view text);
    // Replaces the lines; the spoken forms stay, as with SetText.
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

    // Begins the spoken form of a block being opened; silence is said of a
    // block nothing is drawn into.
    void BeginSpokenBlock(std::string silence) { spoken_.emplace_back(std::move(silence)); }
    // The spoken form of the block begun last; null before the first.
    SpokenFormula* LastSpokenBlock() { return spoken_.empty() ? nullptr : &spoken_.back(); }
    // The spoken forms of the blocks, in the order they were opened: one for
    // every opening line drawn, none of them empty.
    std::vector<std::string> SpokenBlocks() const;

private:
    std::vector<std::string> lines_;
    std::vector<SpokenFormula> spoken_;
};

// Splits text into lines at CR LF, lone CR and lone LF; a final line break
// adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Appends the opening line of a fraction block and its three empty rows, and
// begins its spoken form; silence is said if nothing is drawn into it.
void OpenFractionBlock(SolutionLines& lines, std::string silence = "leer");
// Appends "</pre>" and "<br>".
void CloseFractionBlock(SolutionLines& lines);
// Appends one column to the three rows of the open block. A middle text of
// exactly "-" makes a fraction column: a bar as wide as the wider number, the
// narrower one centred. The column speaks spoken if given (words as they
// are, see SpokenFormula::Words), else what it draws.
void AppendColumn(SolutionLines& lines, std::string top, std::string middle, std::string bottom,
                  std::optional<std::string> spoken = std::nullopt);
// "kgV(a,b)=c".
std::string LcmText(Int a, Int b, Int c);
// Drops every line that holds nothing above a blank, after splitting lines
// that contain line breaks.
void RemoveBlankLines(SolutionLines& lines);

}  // namespace quorvel
