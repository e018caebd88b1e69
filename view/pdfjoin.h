// Joining PDFs that the browser engine wrote into one file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One PDF with the pages of parts, in order. A part is a PDF as the engine
// writes it: numbered objects (generation 0) listed in one cross-reference
// table, whose catalog names the page tree. The parts' objects are taken
// over byte for byte but renumbered (their streams untouched); a new page
// tree holds the parts' page trees, and the first part's document
// information stays. Time and memory grow with the bytes of the parts.
// Nothing if a part is not of that form.
std::optional<std::string> JoinPdfs(const std::vector<std::string>& parts);

}  // namespace quorvel
