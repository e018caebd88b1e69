// Practice sessions simulated without a window: pupils who answer by a fixed
// rule, checked by the catalogue as the trainer checks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fraction/cp1252.h"
#include "exercise/generator.h"
#include "exercise/settings.h"
#include "practice/choice.h"

namespace quorvel {
namespace {

const WrongStrategy* Strategy(const std::string& utf8) {
    for (const WrongStrategy* s : CatalogueStrategies()) {
        if (s->name == cp1252::FromUtf8(utf8)) return s;
    }
    return nullptr;
}

// A pupil who answers with the value of strategy wherever it gives one, and
// otherwise right (learns) or one too much (never learns).
struct Pupil {
    const WrongStrategy* strategy = nullptr;
    bool learns = true;

    PracticeResult Answer(const PracticeExercise& e) const {
        const Rational right = *Combine(e.op, ValueOf(e.first), ValueOf(e.second));
        Rational value = learns ? right : Rational{right.numerator + right.denominator, right.denominator};
        for (const WrongResult& wrong : WrongResults(e.op, e.first, e.second)) {
            if (wrong.strategy == strategy) value = wrong.value;
        }
        const Check check = CheckResult(e.op, e.first, e.second, {0, Int(value.numerator), Int(value.denominator)});
        PracticeResult result{true, check.verdict == Verdict::Right, check.verdict == Verdict::NotReduced, false};
        if (!check.strategies.empty()) result.strategy = check.strategies.front();
        return result;
    }
};

std::vector<PracticeStep> Session(const PracticeSettings& settings, const Pupil& pupil, int count,
                                  Designation start = {250, -1}) {
    std::vector<PracticeStep> history;
    while (int(history.size()) < count) {
        PracticeChoice choice = ChooseNextExercise(settings, history, start);
        const PracticeResult result = pupil.Answer(choice.exercise);
        history.push_back({std::move(choice), result});
    }
    return history;
}

TEST(PracticeSkills, EveryCatalogueStrategyNamesTheSkillItShowsMissing) {
    for (const WrongStrategy* s : CatalogueStrategies()) EXPECT_TRUE(SkillShownMissing(*s)) << cp1252::ToUtf8(s->name);
}

// After every wrong result with the strategy diagnosed, the next exercise
// needs the strategy's skill and the strategy gives a wrong value there.
TEST(PracticeSimulation, AFixedWrongStrategyGetsAContrastItemEveryTime) {
    struct Case {
        int operation, kind;
        const char* strategy;
    };
    for (const Case& c : {Case{0, 0, "Zähler plus Zähler, Nenner plus Nenner"}, Case{3, 0, "Divisor nicht umgedreht"},
                          Case{1, 2, "Ohne Entbündeln subtrahiert"},
                          Case{2, 2, "Gemischte Zahl falsch umgewandelt (Ganze plus Zähler)"}}) {
        const Pupil pupil{Strategy(c.strategy), true};
        ASSERT_TRUE(pupil.strategy) << c.strategy;
        const std::vector<PracticeStep> history = Session({0, c.kind, c.operation, 40}, pupil, 10);
        int contrasts = 0;
        for (std::size_t i = 0; i + 1 < history.size(); ++i) {
            if (history[i].result.strategy != pupil.strategy) continue;
            const PracticeExercise& next = history[i + 1].choice.exercise;
            const std::vector<WrongResult> wrong = WrongResults(next.op, next.first, next.second);
            EXPECT_TRUE(std::any_of(wrong.begin(), wrong.end(), [&](const WrongResult& w) { return w.strategy == pupil.strategy; }))
                << c.strategy << " at " << DesignationText(next.designation);
            EXPECT_TRUE(next.Needs(*SkillShownMissing(*pupil.strategy)));
            ++contrasts;
        }
        EXPECT_GE(contrasts, 8) << c.strategy;
    }
}

// Every skill the operation's exercises need sits after three right answers
// for each, when no exercise needs two of them together.
TEST(PracticeSimulation, ARightPupilGetsEverySkillOfTheOperationToSit) {
    for (int operation = 0; operation < 4; ++operation) {
        for (int kind : {0, 2}) {
            const PracticeSettings settings{0, kind, operation, 100};
            std::set<Skill> skills;
            for (int place = 0; place < 27; ++place) {
                const PracticeExercise e = PracticeExerciseAt(DesignationAt({250, -1}, place, 1), 0, kind, OperatorOfRow(operation));
                skills.insert(e.skills.begin(), e.skills.end());
            }
            const int bound = kRightInARowForSitzt * int(skills.size());
            const std::vector<SkillProgress> progress = SkillProgressOf(Session(settings, Pupil{}, bound));
            for (Skill skill : skills) {
                auto p = std::find_if(progress.begin(), progress.end(), [&](const SkillProgress& s) { return s.skill == skill; });
                EXPECT_TRUE(p != progress.end() && p->sitzt) << operation << kind << cp1252::ToUtf8(SkillName(skill));
            }
        }
    }
}

TEST(PracticeSimulation, APupilWhoNeverLearnsGetsAnEasierItemByTheEleventh) {
    const Pupil pupil{Strategy("Zähler plus Zähler, Nenner plus Nenner"), false};
    for (const PracticeSettings settings : {PracticeSettings{1, 0, 0, 40}, PracticeSettings{0, 2, 0, 40}}) {
        const std::vector<PracticeStep> history = Session(settings, pupil, 11);
        auto easier = std::find_if(history.begin(), history.end(), [&](const PracticeStep& s) {
            return s.choice.exercise.difficulty + s.choice.exercise.kind < settings.difficulty + settings.kind;
        });
        ASSERT_NE(easier, history.end());
        EXPECT_TRUE(easier->choice.workedSolutionFirst);
        EXPECT_TRUE(easier->choice.skill && easier->choice.exercise.Needs(*easier->choice.skill));
    }
}

TEST(PracticeSimulation, TheSameAnswersGiveTheSameDesignationsAndTheLastOnesMixTheSkills) {
    const Pupil pupil{Strategy("Divisor nicht umgedreht"), true};
    const PracticeSettings mixed{0, 2, kMixedOperationRow, 15};
    const std::vector<PracticeStep> once = Session(mixed, pupil, 15), again = Session(mixed, pupil, 15);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < once.size(); ++i) {
        const PracticeExercise &a = once[i].choice.exercise, &b = again[i].choice.exercise;
        EXPECT_EQ(DesignationText(a.designation) + a.op, DesignationText(b.designation) + b.op);
        // Key n from the designation before, with the exercise's operation
        // chosen, poses the same exercise.
        Designation before = a.designation;
        before.letter == 0 ? (--before.number, before.letter = 8) : --before.letter;
        ExerciseGenerator generator;
        const PosedExercise posed =
            generator.Pose({DesignationText(before), a.difficulty, a.kind, RowOfOperator(a.op), a.op, true});
        EXPECT_EQ(posed.exerciseNumber, DesignationText(a.designation));
        EXPECT_TRUE(posed.first == a.first && posed.second == a.second && posed.op == a.op);
        EXPECT_TRUE(seen.insert(DesignationText(a.designation) + a.op).second) << "posed twice";
    }
    for (std::size_t i = once.size() - kReviewCount; i + 1 < once.size(); ++i) {
        EXPECT_EQ(once[i].choice.reason, ChoiceReason::Review);
        EXPECT_NE(once[i].choice.skill, once[i + 1].choice.skill);
    }
}

}  // namespace
}  // namespace quorvel
