// Reads worked solutions written the way they are printed in the program's
// documentation: "(block)" for the opening line of a fraction block,
// "(end of block)" for its two closing lines, "(heading line with the title
// X)" for the heading, rows between two | marks, and the bar as "—". Lets
// the tests state expected sheets readably.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "fraction/cp1252.h"

namespace quorvel::testing {

inline std::string HeadingLine(const std::string& title) {
    return "<div  style=\" margin-left:3cm; font-size:large;font-family:Lucida Handwriting,Comic Sans "
           "MS,Chicago;color:red;font-weight:bold;\">" +
           title + "</div>";
}

inline const std::string kOpening = "<pre style=\"font-size:10pt;line-height:7pt;display:inline;\"><br>";

inline std::vector<std::string> SheetFromNotation(const std::string& utf8) {
    std::vector<std::string> lines;
    std::istringstream in(utf8);
    std::string line;
    const std::string headingPrefix = "(heading line with the title ";
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        if (line == "(block)") {
            lines.push_back(kOpening);
        } else if (line == "(end of block)") {
            lines.push_back("</pre>");
            lines.push_back("<br>");
        } else if (line.rfind(headingPrefix, 0) == 0) {
            lines.push_back(HeadingLine(line.substr(headingPrefix.size(), line.size() - headingPrefix.size() - 1)));
        } else if (line.size() >= 2 && line.front() == '|' && line.back() == '|') {
            lines.push_back(cp1252::FromUtf8(line.substr(1, line.size() - 2)));
        } else {
            lines.push_back(cp1252::FromUtf8(line));
        }
    }
    return lines;
}

// A sheet line in the notation above, for readable failure messages.
inline std::string Readable(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += "|" + cp1252::ToUtf8(l) + "|\n";
    return out;
}

}  // namespace quorvel::testing
