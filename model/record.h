// The pupil's record of checked results: the verdict shown above a worked
// solution, the running tally and the evaluation page ("Auswertung").
// Texts are Windows-1252.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "entry/checking.h"
#include "solution/lines.h"
#include "solution/steps.h"

namespace quorvel {

struct Tally {
    int checked = 0;
    int right = 0;
    int notReduced = 0;
    int wrong = 0;
    // How each exercise ended up right, counted once per exercise, with
    // checking: without a hint, after a hint, or after its worked solution
    // was shown (the last rung, or the second wrong result).
    int selfSolved = 0;
    int withHint = 0;
    int solutionSeen = 0;

    friend bool operator==(const Tally&, const Tally&) = default;
};

// The help used with an exercise before a result was checked.
struct HelpUsed {
    int highestRung = 0;  // 0 none, 1 to 4
    // The step questions answered wrongly, each with the pupil's answer.
    std::vector<std::pair<std::string, std::string>> wrongAnswers;
};

// One checked result: the exercise as read, the pupil's result and the verdict.
struct CheckedExercise {
    ExerciseContext context;  // the exercise number, level and kind it was posed with
    bool ownExercise = false;  // typed by the pupil, not posed by its number
    char op = '+';
    MixedNumber first, second, pupil;
    Check check;
};

// The verdict block that goes above the worked solution: the exercise with
// the pupil's result, and what the check says of it.
// Without solutionFollows (a second try) it points to no worked solution.
SolutionLines VerdictLines(const CheckedExercise& exercise, bool solutionFollows = true);

// The verdict in a few words: "richtig", "falsch (<strategy>)" ...
std::string VerdictWords(const Check& check);

// The caption of the tally on the exercise screen.
std::string TallyText(const Tally& tally);

// The background of the result fields for a verdict, as "#rrggbb".
std::string VerdictColour(Verdict verdict);

class CheckRecord {
public:
    // Counts a checked result, unless it repeats the last one exactly (the
    // same exercise, the same result checked twice); true if counted. help
    // is what was used with the exercise before.
    bool Add(const CheckedExercise& exercise, const HelpUsed& help = {});
    // Counts how an exercise ended up right (Tally::selfSolved ...).
    enum class Outcome { SelfSolved, WithHint, SolutionSeen };
    void CountOutcome(Outcome outcome);
    const Tally& Counts() const { return tally_; }
    // The evaluation page: the counts, every checked exercise with its
    // verdict, and the wrong strategies found with how often.
    std::string EvaluationPage() const;
    // The lines of the evaluation page, with the spoken forms of its blocks.
    SolutionLines EvaluationLines() const;

private:
    std::vector<CheckedExercise> exercises_;
    std::vector<HelpUsed> help_;  // beside each exercise
    Tally tally_;
};

}  // namespace quorvel
