// Choosing the next exercise of a practice session ("Üben, bis es sitzt"):
// a pure function of the settings, the session's outcomes so far and the
// designation it started from. It walks the generator's designations in
// order from the start and keeps the first that fits, so the same answers
// give the same exercises, and each can be set again by its designation.
#pragma once

#include <optional>
#include <vector>

#include "practice/skills.h"

namespace quorvel {

inline constexpr int kRightInARowForSitzt = 3;  // right without a hint, in a row
inline constexpr int kTriesBeforeEasier = 10;   // an open skill's exercises before an easier one
inline constexpr int kReviewCount = 3;          // the last exercises of a session mix the skills
inline constexpr int kDefaultSessionLength = 15;
// The lengths a pupil may choose.
inline constexpr int kShortestSessionLength = 5;
inline constexpr int kLongestSessionLength = 50;
inline constexpr int kSearchLimit = 64;  // places of the walk one choice looks at

struct PracticeSettings {
    int difficulty = 0;  // rows of the settings groups
    int kind = 0;
    int operation = 0;  // kMixedOperationRow: the four operators by turns
    int length = kDefaultSessionLength;  // exercises in the session
};

enum class ChoiceReason {
    First,        // the session's first exercise: the next one in order
    Contrast,     // after a diagnosed wrong strategy: it needs the skill and gives a wrong value there
    MoveOn,       // after a right result without a hint: it needs a skill that does not sit yet
    Again,        // after anything else: it needs an open skill of the last exercise
    Easier,       // an open skill after kTriesBeforeEasier exercises: lower level or kind, worked solution first
    Review,       // the last exercises: the skills practised by turns
    NextInOrder,  // nothing in reach fitted
    Typed,        // typed by the pupil, not chosen: its place is that of the exercise before
};

struct PracticeChoice {
    PracticeExercise exercise;
    ChoiceReason reason = ChoiceReason::First;
    std::optional<Skill> skill;  // the skill it was chosen for
    int position = 0;            // its place in the walk; the next search starts after it
    bool workedSolutionFirst = false;
};

// How the pupil did with a chosen exercise.
struct PracticeResult {
    bool answered = false;    // a result was checked
    bool right = false;       // the first result checked was right and reduced
    bool notReduced = false;  // the first result checked was right but not finished
    bool helped = false;      // a hint or the worked solution came before the right result
    const WrongStrategy* strategy = nullptr;  // diagnosed in a wrong result
};

struct PracticeStep {
    PracticeChoice choice;
    PracticeResult result;
};

struct SkillProgress {
    Skill skill;
    int tries = 0;        // answered exercises that needed it
    int inARow = 0;       // of them right without a hint, the latest in a row
    bool sitzt = false;   // kRightInARowForSitzt were right in a row; it stays so for the session
    bool eased = false;   // an easier exercise that needed it was given
    int lastNeeded = -1;  // the index of the last exercise that needed it
};

// The skills met so far, in the order first met.
std::vector<SkillProgress> SkillProgressOf(const std::vector<PracticeStep>& history);

// The designation of the exercise at a place of the walk from start, one
// exercise after the other as key n poses them ("250 a" is followed by
// "250 b"); with several operators each designation comes once for each.
Designation DesignationAt(const Designation& start, int place, int operatorCount);

// The next exercise. Raises ConversionError past the largest designation.
PracticeChoice ChooseNextExercise(const PracticeSettings& settings, const std::vector<PracticeStep>& history,
                                  const Designation& start);

// Exercises needing the skills that took longest, from the walk after the
// session's last exercise, for a sheet a week later.
std::vector<PracticeExercise> ReviewSheetExercises(const PracticeSettings& settings,
                                                   const std::vector<PracticeStep>& history,
                                                   const Designation& start, int count);

}  // namespace quorvel
