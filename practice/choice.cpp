#include "practice/choice.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>

#include "exercise/settings.h"
#include "fraction/errors.h"

namespace quorvel {

namespace {

int OperatorCount(const PracticeSettings& settings) { return settings.operation == kMixedOperationRow ? kOperatorCount : 1; }

char OperatorAt(const PracticeSettings& settings, int place) {
    return settings.operation == kMixedOperationRow ? kOperators[place % kOperatorCount] : OperatorOfRow(settings.operation);
}

// The level and kind of an easier exercise: one level lower, else one kind
// simpler; the same when there is none.
std::pair<int, int> EasierLevelAndKind(const PracticeSettings& settings) {
    if (settings.difficulty > 0) return {settings.difficulty - 1, settings.kind};
    if (settings.kind > 0) return {settings.difficulty, settings.kind - 1};
    return {settings.difficulty, settings.kind};
}

// The places from one on, each exercise posed and its steps worked once
// however many searches look at it: a choice costs at most kSearchLimit
// exercises at each level and kind.
struct Walk {
    const PracticeSettings& settings;
    const Designation& start;
    int from;  // the first place to look at
    // Per level and kind, the exercises from "from" on; nothing for one the arithmetic refuses.
    mutable std::map<std::pair<int, int>, std::vector<std::optional<PracticeExercise>>> seen;

    const std::optional<PracticeExercise>& At(int place, std::pair<int, int> levelAndKind) const {
        std::vector<std::optional<PracticeExercise>>& row = seen[levelAndKind];
        while (int(row.size()) <= place - from) {
            const int next = from + int(row.size());
            const Designation d = DesignationAt(start, next, OperatorCount(settings));  // raises past the last one
            try {
                row.push_back(PracticeExerciseAt(d, levelAndKind.first, levelAndKind.second, OperatorAt(settings, next)));
            } catch (const Error&) {
                row.push_back(std::nullopt);  // no candidate
            }
        }
        return row[std::size_t(place - from)];
    }

    // The first place within reach whose exercise fits.
    std::optional<PracticeChoice> Find(std::pair<int, int> levelAndKind, ChoiceReason reason, std::optional<Skill> skill,
                                       const std::function<bool(const PracticeExercise&)>& fits) const {
        for (int place = from; place < from + kSearchLimit; ++place) {
            const std::optional<PracticeExercise>& exercise = At(place, levelAndKind);
            if (exercise && fits(*exercise)) return PracticeChoice{*exercise, reason, skill, place, false};
        }
        return std::nullopt;
    }

    PracticeChoice Next(ChoiceReason reason) const {
        return Find({settings.difficulty, settings.kind}, reason, std::nullopt, [](const PracticeExercise&) { return true; }).value();
    }
};

const SkillProgress* ProgressOf(const std::vector<SkillProgress>& progress, Skill skill) {
    auto at = std::find_if(progress.begin(), progress.end(), [&](const SkillProgress& p) { return p.skill == skill; });
    return at == progress.end() ? nullptr : &*at;
}

bool Sitzt(const std::vector<SkillProgress>& progress, Skill skill) {
    const SkillProgress* p = ProgressOf(progress, skill);
    return p && p->sitzt;
}

}  // namespace

std::vector<SkillProgress> SkillProgressOf(const std::vector<PracticeStep>& history) {
    std::vector<SkillProgress> progress;
    auto of = [&](Skill skill) -> SkillProgress& {
        for (SkillProgress& p : progress) {
            if (p.skill == skill) return p;
        }
        return progress.emplace_back(SkillProgress{skill});
    };
    for (std::size_t i = 0; i < history.size(); ++i) {
        const PracticeChoice& choice = history[i].choice;
        const PracticeResult& result = history[i].result;
        // The worked solution showed every skill of the easier exercise: none
        // gets another one.
        if (choice.reason == ChoiceReason::Easier) {
            for (Skill skill : choice.exercise.skills) of(skill).eased = true;
        }
        if (!result.answered) continue;
        std::optional<Skill> missing = result.strategy ? SkillShownMissing(*result.strategy) : std::nullopt;
        if (missing && !choice.exercise.Needs(*missing)) missing.reset();
        for (Skill skill : choice.exercise.skills) {
            SkillProgress& p = of(skill);
            ++p.tries;
            p.lastNeeded = int(i);
            if (result.right && !result.helped) {
                if (++p.inARow >= kRightInARowForSitzt) p.sitzt = true;
            } else if (result.notReduced) {
                // Everything but the finishing was right.
                if (skill == Skill::Reducing || skill == Skill::TakingOutWholes) p.inARow = 0;
            } else if (missing) {
                if (skill == *missing) p.inARow = 0;
            } else {
                p.inARow = 0;
            }
        }
    }
    return progress;
}

Designation DesignationAt(const Designation& start, int place, int operatorCount) {
    // Designations counted as number * 9 + letter; a letter after "i" is
    // followed by "a" of the next number, as NextDesignation does.
    const std::int64_t first = std::int64_t(start.number) * 9 + std::min(start.letter, 8);
    const std::int64_t at = first + 1 + place / std::max(operatorCount, 1);
    if (at / 9 > std::numeric_limits<Int>::max()) throw ConversionError(std::to_string(at / 9));
    return {Int(at / 9), int(at % 9)};
}

PracticeChoice ChooseNextExercise(const PracticeSettings& settings, const std::vector<PracticeStep>& history,
                                  const Designation& start) {
    const Walk walk{settings, start, history.empty() ? 0 : history.back().choice.position + 1, {}};
    if (history.empty()) return walk.Next(ChoiceReason::First);
    const std::pair<int, int> own{settings.difficulty, settings.kind};
    const std::vector<SkillProgress> progress = SkillProgressOf(history);
    const PracticeStep& last = history.back();
    auto levelFor = [&](Skill skill) {
        const SkillProgress* p = ProgressOf(progress, skill);
        return p && p->eased && !p->sitzt ? EasierLevelAndKind(settings) : own;
    };
    auto needing = [](Skill skill) { return [skill](const PracticeExercise& e) { return e.Needs(skill); }; };

    // The last exercises: the skills practised by turns, the one longest
    // unpractised first, never the skill of the exercise before.
    if (int(history.size()) >= settings.length - kReviewCount) {
        std::vector<SkillProgress> practised;
        for (const SkillProgress& p : progress) {
            if (p.tries > 0 && !(last.choice.reason == ChoiceReason::Review && last.choice.skill == p.skill)) {
                practised.push_back(p);
            }
        }
        std::stable_sort(practised.begin(), practised.end(),
                         [](const SkillProgress& a, const SkillProgress& b) { return a.lastNeeded < b.lastNeeded; });
        for (const SkillProgress& p : practised) {
            if (auto found = walk.Find(own, ChoiceReason::Review, p.skill, needing(p.skill))) return *found;
        }
    }

    // No endless wheel: an open skill after many exercises gets one easier
    // exercise, its worked solution shown first.
    for (const SkillProgress& p : progress) {
        if (p.sitzt || p.eased || p.tries < kTriesBeforeEasier) continue;
        if (auto found = walk.Find(EasierLevelAndKind(settings), ChoiceReason::Easier, p.skill, needing(p.skill))) {
            found->workedSolutionFirst = true;
            return *found;
        }
    }

    const PracticeResult& result = last.result;
    if (result.answered && !result.right && result.strategy) {
        if (const std::optional<Skill> skill = SkillShownMissing(*result.strategy)) {
            const WrongStrategy* strategy = result.strategy;
            // A contrast item: the strategy gives a wrong value here (WrongResults
            // lists only values other than the right one).
            auto contrast = [&](const PracticeExercise& e) {
                if (!e.Needs(*skill)) return false;
                for (const WrongResult& wrong : WrongResults(e.op, e.first, e.second)) {
                    if (wrong.strategy == strategy) return true;
                }
                return false;
            };
            if (auto found = walk.Find(levelFor(*skill), ChoiceReason::Contrast, skill, contrast)) return *found;
            if (auto found = walk.Find(levelFor(*skill), ChoiceReason::Again, skill, needing(*skill))) return *found;
        }
    }
    if (result.answered && !(result.right && !result.helped)) {
        std::vector<Skill> skills = last.choice.exercise.skills;
        if (result.notReduced) {  // only the finishing was missing: that first
            std::stable_partition(skills.begin(), skills.end(),
                                  [](Skill s) { return s == Skill::Reducing || s == Skill::TakingOutWholes; });
        }
        for (Skill skill : skills) {
            if (Sitzt(progress, skill)) continue;
            if (auto found = walk.Find(levelFor(skill), ChoiceReason::Again, skill, needing(skill))) return *found;
        }
    }
    // On to a skill that does not sit yet, the first such skill of the exercise.
    auto open = [&](const PracticeExercise& e) {
        return std::any_of(e.skills.begin(), e.skills.end(), [&](Skill s) { return !Sitzt(progress, s); });
    };
    if (auto found = walk.Find(own, ChoiceReason::MoveOn, std::nullopt, open)) {
        for (Skill s : found->exercise.skills) {
            if (!Sitzt(progress, s)) {
                found->skill = s;
                break;
            }
        }
        return *found;
    }
    return walk.Next(ChoiceReason::NextInOrder);
}

std::vector<PracticeExercise> ReviewSheetExercises(const PracticeSettings& settings,
                                                   const std::vector<PracticeStep>& history,
                                                   const Designation& start, int count) {
    std::vector<SkillProgress> longest = SkillProgressOf(history);
    std::erase_if(longest, [](const SkillProgress& p) { return p.tries == 0; });
    // Took longest: the most exercises before the right ones in a row.
    std::stable_sort(longest.begin(), longest.end(), [](const SkillProgress& a, const SkillProgress& b) {
        return a.tries - a.inARow > b.tries - b.inARow;
    });
    if (longest.size() > 3) longest.resize(3);
    std::vector<PracticeExercise> sheet;
    Walk walk{settings, start, history.empty() ? 0 : history.back().choice.position + 1, {}};
    for (int i = 0; int(sheet.size()) < count; ++i) {
        std::optional<PracticeChoice> found;
        if (!longest.empty()) {
            const Skill skill = longest[std::size_t(i) % longest.size()].skill;
            found = walk.Find({settings.difficulty, settings.kind}, ChoiceReason::Review, skill,
                              [skill](const PracticeExercise& e) { return e.Needs(skill); });
        }
        if (!found) found = walk.Next(ChoiceReason::NextInOrder);
        sheet.push_back(found->exercise);
        walk.from = found->position + 1;
        walk.seen.clear();
    }
    return sheet;
}

}  // namespace quorvel
