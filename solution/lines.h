// The lines of a worked solution, and the routines that draw stacked
// fractions into them. A fraction block is an opening line, three rows
// (numerators, bars and operators, denominators) and two closing lines;
// while a block is open its rows are the last three lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fraction/int32.h"

namespace quorvel {

// The bar character: an em dash in Windows-1252.
inline constexpr char kBar = '\x97';

// Blanks and control characters: what trimming removes and what makes a
// line blank.
inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

class SolutionLines {
public:
    std::size_t Count() const { return lines_.size(); }
    const std::string& Line(std::size_t index) const { return lines_.at(index); }
    void SetLine(std::size_t index, std::string text) { lines_.at(index) = std::move(text); }
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Lines() const { return lines_; }

    // All lines, each followed by CR LF.
    std::string Join() const;
    // Replaces the lines by those of text, split at CR LF, lone CR or lone LF;
    // a final line break starts no further line.
    void SetText(std::string_view text);

private:
    std::vector<std::string> lines_;
};

// Splits text into lines at CR LF, lone CR and lone LF; a final line break
// adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Appends the opening line of a fraction block and its three empty rows.
void OpenFractionBlock(SolutionLines& lines);
// Appends "</pre>" and "<br>".
void CloseFractionBlock(SolutionLines& lines);
// Appends one column to the three rows of the open block. A middle text of
// exactly "-" makes a fraction column: a bar as wide as the wider number, the
// narrower one centred.
void AppendColumn(SolutionLines& lines, std::string top, std::string middle, std::string bottom);
// "kgV(a,b)=c".
std::string LcmText(Int a, Int b, Int c);
// Drops every line that holds nothing above a blank, after splitting lines
// that contain line breaks.
void RemoveBlankLines(SolutionLines& lines);

}  // namespace quorvel
