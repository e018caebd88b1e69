#include "model/trainer.h"

#include <algorithm>
#include <stdexcept>

#include "document/helppages.h"
#include "entry/evaluation.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"
#include "model/operation.h"

namespace quorvel {

namespace {

std::size_t At(Control field) { return std::size_t(field); }

// The whole-part fields whose colour follows their content.
std::optional<std::size_t> WholePartIndex(Control field) {
    switch (field) {
        case Control::FirstWhole: return 0;
        case Control::SecondWhole: return 1;
        case Control::ResultWhole: return 2;
        default: return std::nullopt;
    }
}

const std::string kNoResult = "Schreib zuerst Dein Ergebnis in die Felder hinter dem \"=\". Dann prüfe ich es."_w;
const std::string kUnreadableResult = "Dein Ergebnis ist nicht korrekt";
const std::string kNotFinished = "Schau, ob Du Dein Ergebnis noch kürzen kannst oder ob Ganze darin stecken."_w;
const std::string kTryAgain = "Verbessere Dein Ergebnis und drück noch einmal die Eingabetaste."_w;

bool IsResultField(Control field) { return field == Control::ResultWhole || field == Control::ResultNumerator || field == Control::ResultDenominator; }
bool IsOperandField(Control field) { return IsField(field) && field != Control::ExerciseNumber && !IsResultField(field); }

// A caller's mistake, not the pupil's: refused before anything changes.
void Require(bool known, const char* what) {
    if (!known) throw std::out_of_range(what);
}

// The pupil has put the cursor somewhere on the exercise screen or the page.
bool CursorPlaced(Control focus) { return focus != Control::Elsewhere; }

}  // namespace

int RowCount(Group group) {
    switch (group) {
        case Group::Difficulty: return int(DifficultyItems().size());
        case Group::Kind: return int(KindItems().size());
        case Group::PrintMode: return int(PrintModeItems().size());
        case Group::Operation: return int(OperationItems().size());
    }
    return 0;
}

std::string TrainerModel::TipText(bool wholePartTip) {
    return wholePartTip ? "Tipp: Zahl eingeben. Abschluss mit Eingabetaste! Kein gemischter Bruch: Nur Eingabetaste!"_w
                        : "Tipp: Eingabe jeweils mit der Eingabetaste abschließen. Dann ist man gleich im nächsten "
                          "Feld."_w;
}

std::optional<Control> TrainerModel::TakeFocusMove() {
    std::optional<Control> move = focusMove_;
    focusMove_.reset();
    return move;
}

// ---- start-up and screens ----

void TrainerModel::WindowPainted(Control focus, bool windowActive, bool modalOpen) {
    Run([&] {
        if (firstPaint_) {
            firstPaint_ = false;
            WriteInstructions();
        }
        // The cursor goes into the exercise when it stands nowhere on the
        // exercise screen. It never leaves a control of that screen or the
        // page, where the pupil put it, and is not moved while the window is
        // inactive or a modal window is open.
        if (state_.exerciseScreen && windowActive && !modalOpen && !CursorPlaced(focus)) MoveFocus(Control::FirstWhole);
    });
}

void TrainerModel::Start() {
    Run([&] {
        state_.pageBlank = true;
        ++state_.blankings;
        state_.explanationsShown = true;
        state_.hintsShown = true;
        state_.exerciseScreen = true;
        MoveFocus(Control::FirstWhole);
    });
}

void TrainerModel::BackToSettings() {
    Run([&] { state_.exerciseScreen = false; });
}

void TrainerModel::Close() {
    Run([&] { AskBefore(Risky::Close); });
}

bool TrainerModel::MayClose() const { return state_.collected == 0 || closeAgreed_; }

void TrainerModel::ShowInstructions() {
    Run([&] { WriteInstructions(); });
}

void TrainerModel::ShowHints() {
    Run([&] { ShowPage(HintsPage()); });
}

void TrainerModel::ShowGcdAndLcm() {
    Run([&] {
        state_.explanationsShown = true;
        ShowPage(GcdLcmPage(), {GcdLcmFormulaSpoken()});
    });
}

// ---- settings ----

void TrainerModel::SelectRow(Group group, int row) {
    Require(int(group) >= 0 && int(group) < kGroupCount, "no such group");
    Require(row >= 0 && row < RowCount(group), "no such row");
    Run([&] {
        if (practice_) {  // the pupil's choice goes on in the session, also the row an easier exercise shows
            if (group == Group::Difficulty) practice_->settings.difficulty = row;
            if (group == Group::Kind) practice_->settings.kind = row;
            if (group == Group::Operation) practice_->settings.operation = row;
        }
        if (state_.Row(group) == row) return;
        if (group == Group::PrintMode) {
            AskBefore(Risky::SwitchPrintMode, row);
            return;
        }
        state_.rows[std::size_t(group)] = row;
        switch (group) {
            case Group::Kind: KindChanged(); break;
            case Group::Operation: OperationChanged(); break;
            case Group::Difficulty:
            case Group::PrintMode: break;
        }
    });
}

void TrainerModel::KindChanged() {
    const bool white = state_.Row(Group::Kind) == kMixedNumbers;
    state_.wholePartWhite = {white, white, white};
}

void TrainerModel::OperationChanged() {
    ClearResultFields();
    posed_ = false;  // another operation makes it another exercise
    const int row = state_.Row(Group::Operation);
    if (row < kMixedOperationRow) state_.op = OperatorOfRow(row);
}

// ---- posing exercises ----

void TrainerModel::ClearResultFields() {
    ClearResult();
    state_.labels = {};
    EndHelp();  // another exercise, or checking switched
}

void TrainerModel::ClearResult() {
    for (Control field : {Control::ResultWhole, Control::ResultNumerator, Control::ResultDenominator}) SetField(field, "");
    EndVerdict();
}

void TrainerModel::EndVerdict() {
    state_.resultVerdict.reset();
    state_.verdictWords.clear();
}

void TrainerModel::PoseExercise() {
    Run([&] {
        if (Practising()) {
            PosePracticeExercise();
            return;
        }
        ClearResultFields();
        const ExerciseSettings settings{state_.Field(Control::ExerciseNumber), state_.Row(Group::Difficulty),
                                        state_.Row(Group::Kind), state_.Row(Group::Operation), state_.op, true};
        WritePosedExercise(generator_.Pose(settings));
    });
}

void TrainerModel::WritePosedExercise(const PosedExercise& posed) {
    state_.fields[At(Control::ExerciseNumber)] = posed.exerciseNumber;
    SetField(Control::FirstNumerator, posed.firstNumerator);
    SetField(Control::FirstDenominator, posed.firstDenominator);
    SetField(Control::SecondNumerator, posed.secondNumerator);
    SetField(Control::SecondDenominator, posed.secondDenominator);
    SetField(Control::FirstWhole, posed.firstWhole);
    SetField(Control::SecondWhole, posed.secondWhole);
    state_.op = posed.op;
    state_.tipShown = false;
    posed_ = true;
}

// ---- "=" ----

void TrainerModel::WriteOperand(Control whole, const OperandFields& texts) {
    SetField(whole, texts.whole);
    SetField(Control(int(whole) + 1), texts.numerator);
    SetField(Control(int(whole) + 2), texts.denominator);
}

OperandFields TrainerModel::OperandTexts(Control whole) const {
    return {state_.Field(whole), state_.Field(Control(int(whole) + 1)), state_.Field(Control(int(whole) + 2))};
}

ExerciseContext TrainerModel::CurrentContext() const {
    return {state_.Field(Control::ExerciseNumber), DifficultyItems()[std::size_t(state_.Row(Group::Difficulty))],
            KindItems()[std::size_t(state_.Row(Group::Kind))], std::string(1, state_.op)};
}

void TrainerModel::Solve() {
    Run([&] {
        state_.tipShown = false;
        if (state_.exerciseScreen) MoveFocus(state_.checking ? Control::ResultWhole : Control::FirstWhole);
        OperandFields first = OperandTexts(Control::FirstWhole), second = OperandTexts(Control::SecondWhole);
        solution_.context = CurrentContext();
        solution_.labels = state_.labels;
        // The fields' rewrites and the labels show also when the walkthrough fails.
        auto writeBack = [&] {
            WriteOperand(Control::FirstWhole, first);
            WriteOperand(Control::SecondWhole, second);
            state_.labels = solution_.labels;
        };
        // A failed "=" shows no result: what stood there belonged to another exercise.
        auto fail = [&] {
            writeBack();
            if (!state_.checking) ClearResult();
        };
        Evaluation evaluation;
        try {
            evaluation = EvaluateExercise(first, second, state_.Row(Group::Kind), solution_);
        } catch (...) {
            fail();
            throw;
        }
        if (evaluation.outcome != EvaluationOutcome::Solved) {
            fail();
            CallHost([&] { host_.ShowMessage(UnreadableOperandMessage(evaluation.outcome)); });
            return;
        }
        writeBack();
        if (state_.checking) {
            CheckPupilResult(evaluation);
            return;
        }
        WriteOperand(Control::ResultWhole, evaluation.resultFields);
        ShowWork(solution_.lines.Join(), solution_.lines.SpokenBlocks());
    });
}

// The result fields hold what the pupil typed: it stays there, and the page
// shows the verdict above the worked solution. A result that is missing or
// unreadable checks and counts nothing.
void TrainerModel::CheckPupilResult(const Evaluation& evaluation) {
    const auto& f = state_.fields;
    std::optional<MixedNumber> pupil;
    try {
        pupil = ReadPupilResult({f[At(Control::ResultWhole)], f[At(Control::ResultNumerator)], f[At(Control::ResultDenominator)]});
    } catch (const Error&) {
        CallHost([&] { host_.ShowMessage(kUnreadableResult); });
        return;
    }
    if (!pupil) {
        CallHost([&] { host_.ShowMessage(kNoResult); });
        return;
    }
    Help& help = HelpFor(evaluation);
    const CheckedExercise checked{solution_.context, !posed_, state_.op, evaluation.first, evaluation.second, *pupil,
                                  CheckResult(state_.op, evaluation.first, evaluation.second, *pupil)};
    const bool counted = record_.Add(checked, help.used);
    state_.tally = record_.Counts();
    if (Practising()) NotePracticeResult(evaluation, checked.check, help);
    state_.resultVerdict = checked.check.verdict;
    state_.verdictWords = "Dein Ergebnis: "_w + VerdictWords(checked.check);
    const bool right = checked.check.verdict == Verdict::Right;
    if (!right && counted) ++help.wrongTries;
    // The first wrong or unfinished result gets a second try: the verdict and
    // what to look at, the worked solution not yet.
    const bool secondTry = !right && !help.solutionShown && help.wrongTries < 2;
    const SolutionLines verdict = VerdictLines(checked, !secondTry);
    std::vector<std::string> spoken = verdict.SpokenBlocks();
    if (secondTry) {
        help.strategies = checked.check.strategies;
        std::string lookAt = kNotFinished;
        if (checked.check.verdict == Verdict::Wrong) {
            std::vector<ExerciseStep> none;
            const std::vector<ExerciseStep>* steps = &none;
            try {
                steps = &Steps(help);
            } catch (const Error&) {
                // the words go without the steps
            }
            lookAt = LookAtWords(state_.op, *steps, help.strategies);
        }
        ShowWork(verdict.Join() + "<b>Tipp:</b> " + HtmlEscape(lookAt) + "<br>\r\n" + HtmlEscape(kTryAgain) + "<br>\r\n",
                 std::move(spoken));
        help.ownPageRevision = state_.document.Revision();
        state_.hintWords = lookAt;
        UpdateHintState();
        return;
    }
    // A collection holds the worked solution once: after a rung or a try
    // that collected it, the verdict comes alone.
    const bool solutionOnPage = help.solutionShown && Collecting();
    if (!solutionOnPage) {
        for (std::string& block : solution_.lines.SpokenBlocks()) spoken.push_back(std::move(block));
    }
    if (right) {
        CountOutcome(help, help.solutionShown       ? CheckRecord::Outcome::SolutionSeen
                           : help.used.highestRung > 0 ? CheckRecord::Outcome::WithHint
                                                       : CheckRecord::Outcome::SelfSolved);
    } else {
        CountOutcome(help, CheckRecord::Outcome::SolutionSeen);
    }
    help.solutionShown = true;
    state_.stepQuestion.clear();
    state_.stepAnswer.clear();
    ShowWork(verdict.Join() + (solutionOnPage ? std::string() : solution_.lines.Join()), std::move(spoken));
    UpdateHintState();
}

// The result fields start empty either way: what "=" wrote there is not the
// pupil's, and a verdict belongs to the result it was given for.
void TrainerModel::SetChecking(bool on) {
    Run([&] {
        if (state_.checking == on) return;
        state_.checking = on;
        if (!on && state_.practicing) {  // practice needs checking
            state_.practicing = false;
            EndPractice(false);
        }
        ClearResultFields();
        UpdateHintState();
    });
}

void TrainerModel::ShowEvaluation() {
    Run([&] {
        const SolutionLines evaluation = record_.EvaluationLines();
        ShowWork(evaluation.Join(), evaluation.SpokenBlocks());
    });
}

// ---- fields, tips and colours ----

void TrainerModel::SetField(Control field, const std::string& text) {
    if (state_.Field(field) == text) return;  // change handlers run on a real change only
    state_.fields[At(field)] = text;
    FieldChanged(field);
}

void TrainerModel::FieldChanged(Control field) {
    if (auto index = WholePartIndex(field)) state_.wholePartWhite[*index] = !state_.Field(field).empty();
    // A verdict belongs to the exercise and the result it was given for.
    if (IsResultField(field) || IsOperandField(field)) EndVerdict();
    if (IsOperandField(field) && help_ && !HelpFits(*help_)) EndHelp();
    if (field == Control::FirstWhole) ShowTip(true);
    if (field == Control::FirstNumerator) ShowTip(false);
}

void TrainerModel::ShowTip(bool wholePartTip) {
    state_.wholePartTip = wholePartTip;
    state_.tipShown = true;
}

void TrainerModel::EditField(Control field, const std::string& text) {
    Require(IsField(field), "not a field");
    Run([&] {
        // An operand the pupil changes makes the exercise the pupil's own.
        if (IsOperandField(field) && state_.Field(field) != text) posed_ = false;
        SetField(field, text);
    });
}

// A click into the first operand shows the tip its change would show.
void TrainerModel::ClickField(Control field) {
    Require(IsField(field), "not a field");
    Run([&] {
        if (field == Control::FirstWhole || field == Control::FirstNumerator) FieldChanged(field);
    });
}

}  // namespace quorvel
