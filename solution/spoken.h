// A worked solution read aloud: its blocks and the text lines between them
// as one German text, for a screen reader. Texts are Windows-1252.
#pragma once

#include <string>
#include <vector>

#include "solution/lines.h"

namespace quorvel {

// The lines in reading order, each block by its spoken form and each text
// line as SpokenLine (speech/formula.h) speaks it; lines that say nothing are
// left out. Every sentence starts with a capital and ends with a full stop
// (or the "!" or "?" it had); a line ending in a comma runs on into the next.
std::string SpokenSolution(const SolutionLines& lines);

// The same of lines of HTML whose pre blocks speak blocks, in order: a page
// of the document as it is shown, read aloud.
std::string SpokenText(const std::vector<std::string>& lines, const std::vector<std::string>& blocks);

}  // namespace quorvel
