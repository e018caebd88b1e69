// "Üben, bis es sitzt": the session of the practice mode. The trainer poses
// the exercise the practice layer chooses from the session's results, keeps
// the skill list up to date, and ends with the page "Mein Übungsweg".
// Everything lives in the model's memory; nothing is stored or sent.
#include <algorithm>
#include <stdexcept>

#include "exercise/designation.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"
#include "model/operation.h"
#include "model/trainer.h"
#include "practice/path.h"

namespace quorvel {

namespace {

const std::string kWorkedFirst = "Schau Dir zuerst den Rechenweg an. Dann schreib das Ergebnis selbst in die Felder."_w;
const std::string kLastOnes = "Jetzt kommen noch " + std::to_string(kReviewCount) +
                              " gemischte Aufgaben zur Wiederholung. Dann ist Schluss.";
const std::string kSessionOver = "Deine Übung ist fertig. Auf der Seite steht Dein Übungsweg."_w;

}  // namespace

void TrainerModel::SetPracticing(bool on) {
    Run([&] {
        if (state_.practicing == on) return;
        state_.practicing = on;
        if (on && !state_.checking) {
            state_.checking = true;
            ClearResultFields();
            UpdateHintState();
        }
        EndPractice(false);
    });
}

void TrainerModel::SetPracticeLength(int count) {
    // A caller's mistake, refused before anything changes.
    if (count < kShortestSessionLength || count > kLongestSessionLength) throw std::out_of_range("no such session length");
    Run([&] { state_.practiceLength = count; });
}

void TrainerModel::FinishPractice() {
    Run([&] {
        if (!practice_) return;
        PracticeSession& session = *practice_;
        const int done = int(session.history.size()) + (session.current ? 1 : 0);
        const bool anyResult = std::any_of(session.history.begin(), session.history.end(),
                                           [](const PracticeStep& s) { return s.result.answered; }) ||
                               (session.current && session.current->result.answered);
        if (anyResult && done + kReviewCount < session.settings.length) {
            session.settings.length = done + kReviewCount;  // the review comes next
            state_.practiceWords = kLastOnes;
            return;
        }
        EndPractice(true);
    });
}

// The running session, or a new one from the settings and the number field.
TrainerModel::PracticeSession& TrainerModel::Session() {
    if (!practice_) {
        const Designation start = ParseExerciseNumber(PrepareExerciseField(state_.Field(Control::ExerciseNumber)));
        practice_.emplace();
        practice_->settings = {state_.Row(Group::Difficulty), state_.Row(Group::Kind), state_.Row(Group::Operation),
                               state_.practiceLength};
        practice_->start = start;
    }
    return *practice_;
}

void TrainerModel::PosePracticeExercise() {
    PracticeSession& session = Session();
    if (session.current) {
        session.history.push_back(std::move(*session.current));
        session.current.reset();
    }
    if (int(session.history.size()) >= session.settings.length) {
        EndPractice(true);
        return;
    }
    PracticeChoice choice = ChooseNextExercise(session.settings, session.history, session.start);
    const PracticeExercise& e = choice.exercise;
    ExerciseGenerator generator;  // the exercise as key n poses it with this operation chosen
    const PosedExercise posed = generator.Pose({DesignationText(e.designation), e.difficulty, e.kind, RowOfOperator(e.op), e.op, false});
    ClearResultFields();
    state_.rows[std::size_t(Group::Difficulty)] = e.difficulty;
    state_.rows[std::size_t(Group::Kind)] = e.kind;
    KindChanged();
    WritePosedExercise(posed);
    const bool workedFirst = choice.workedSolutionFirst;
    session.current = PracticeStep{std::move(choice), {}};
    UpdatePracticeState();
    if (workedFirst) {
        if (Help* help = CurrentHelp()) {
            ShowSolutionAfterHelp(*help, "<b>" + HtmlEscape(kWorkedFirst) + "</b><br>\r\n");
            state_.hintWords = kWorkedFirst;
            UpdateHintState();
        }
    }
}

// The exercise a result was checked for: the one chosen, or one the pupil
// typed, which takes its place in the session too.
void TrainerModel::NotePracticeResult(const Evaluation& evaluation, const Check& check, const Help& help) {
    PracticeSession& session = Session();
    const PracticeExercise* current = session.current ? &session.current->choice.exercise : nullptr;
    const bool same = current && current->op == state_.op && ValueOf(current->first) == ValueOf(evaluation.first) &&
                      ValueOf(current->second) == ValueOf(evaluation.second);
    if (!same) {
        if (session.current) session.history.push_back(std::move(*session.current));
        PracticeExercise typed{session.history.empty() ? session.start : session.history.back().choice.exercise.designation,
                               state_.Row(Group::Difficulty), state_.Row(Group::Kind), state_.op, evaluation.first,
                               evaluation.second, {}};
        try {
            for (const ExerciseStep& step : ExerciseSteps(typed.op, typed.first, typed.second)) {
                if (!typed.Needs(step.skill)) typed.skills.push_back(step.skill);
            }
        } catch (const Error&) {
            // no steps, no skills
        }
        const int place = session.history.empty() ? -1 : session.history.back().choice.position;
        session.current = PracticeStep{{std::move(typed), ChoiceReason::Typed, std::nullopt, place, false}, {}};
    }
    PracticeResult& result = session.current->result;
    if (!result.answered) {  // the first result counts; a second try does not make it right
        result.answered = true;
        result.right = check.verdict == Verdict::Right;
        result.notReduced = check.verdict == Verdict::NotReduced;
        result.helped = help.used.highestRung > 0 || help.solutionShown;
    }
    if (!result.strategy && !check.strategies.empty()) result.strategy = check.strategies.front();
    UpdatePracticeState();
}

void TrainerModel::EndPractice(bool showPage) {
    if (practice_) {
        PracticeSession& session = *practice_;
        if (session.current) session.history.push_back(std::move(*session.current));
        state_.rows[std::size_t(Group::Difficulty)] = session.settings.difficulty;
        state_.rows[std::size_t(Group::Kind)] = session.settings.kind;
        KindChanged();
        if (showPage) {
            const SolutionLines page = PracticePathLines(session.settings, session.history, session.start);
            ShowWork(page.Join(), page.SpokenBlocks());
        }
    }
    practice_.reset();
    state_.practiceDone = 0;
    state_.practiceSkills.clear();
    state_.practiceWords = showPage ? kSessionOver : "";
}

void TrainerModel::UpdatePracticeState() {
    if (!practice_) return;
    std::vector<PracticeStep> steps = practice_->history;
    if (practice_->current) steps.push_back(*practice_->current);
    state_.practiceDone = int(steps.size());
    std::vector<PracticeSkillLine> lines;
    for (const SkillProgress& p : SkillProgressOf(steps)) {
        if (p.tries > 0) lines.push_back({SkillName(p.skill), p.sitzt, p.tries, SkillProgressWords(p)});
    }
    // What changed, for the live region: a skill met first or now sitting.
    std::string changed;
    for (const PracticeSkillLine& line : lines) {
        auto before = std::find_if(state_.practiceSkills.begin(), state_.practiceSkills.end(),
                                   [&](const PracticeSkillLine& l) { return l.name == line.name; });
        if (before == state_.practiceSkills.end() || before->sitzt != line.sitzt) {
            changed += (changed.empty() ? "" : ". ") + line.words;
        }
    }
    state_.practiceSkills = std::move(lines);
    state_.practiceWords = changed.empty() ? "" : changed + ".";
}

}  // namespace quorvel
