// The page "Mein Übungsweg" at the end of a practice session: the skills with
// how many exercises each took, the errors found, the exercises by their
// designations, and a "Wiederholungsblatt" to print for a week later.
// Texts are Windows-1252.
#pragma once

#include "practice/choice.h"
#include "solution/lines.h"

namespace quorvel {

inline constexpr int kReviewSheetCount = 6;

// The page's lines, with the spoken forms of its stacked fractions.
SolutionLines PracticePathLines(const PracticeSettings& settings, const std::vector<PracticeStep>& history,
                                const Designation& start);

// "Hauptnenner: sitzt (4 Aufgaben)": a skill's line for the pupil and a screen reader.
std::string SkillProgressWords(const SkillProgress& progress);

}  // namespace quorvel
