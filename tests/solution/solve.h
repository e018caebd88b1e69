// Solving an exercise as the "=" action does, and reading its solution back.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "fraction/cp1252.h"
#include "solution/walkthroughs.h"
#include "sheet_notation.h"

namespace quorvel {

struct Solved {
    MixedNumber result;
    Walkthrough solution;
};

// Evaluates as the "=" action does: walkthrough, then blank lines removed.
inline Solved Solve(char op, MixedNumber a, MixedNumber b, const char* kind = "Echte Brüche") {
    Solved run;
    run.solution.context = {"Bsp.", "Normal", cp1252::FromUtf8(kind), std::string(1, op)};
    run.result = Evaluate(op, run.solution, a, b);
    RemoveBlankLines(run.solution.lines);
    return run;
}

inline void ExpectSolution(const Solved& run, const char* notation) {
    EXPECT_EQ(run.solution.lines.Lines(), testing::SheetFromNotation(notation)) << testing::Readable(run.solution.lines.Lines());
}

inline bool Contains(const Solved& run, const std::string& line) {
    for (const auto& l : run.solution.lines.Lines()) {
        if (l == line) return true;
    }
    return false;
}

}  // namespace quorvel
