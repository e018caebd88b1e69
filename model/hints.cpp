// The help with an exercise, with checking on: the second try after a wrong
// result and the hint ladder ("Tipp"), one rung a press: what to look at,
// the next step as a question, the step worked, the worked solution.
#include <algorithm>

#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"
#include "model/operation.h"
#include "model/trainer.h"
#include "solution/spoken.h"

namespace quorvel {

namespace {

constexpr std::int64_t kHurryMilliseconds = 2000;
const char kHintOpening[] = "<div style=\"border:2px solid #b06000;padding:4px;margin:4px 0;\">";
const std::string kHurry = "Lies den Tipp in Ruhe, bevor Du den nächsten holst."_w;
const std::string kAnswerPrompt = "Schreib Deine Antwort in das Feld und drück die Eingabetaste."_w;
const std::string kUnreadableAnswer = "Das kann ich nicht lesen. Schreib eine Zahl oder einen Bruch wie 3/4."_w;
const std::string kWrongAnswer = "Das stimmt noch nicht. Mit \"Tipp\" siehst Du den Schritt vorgerechnet.";
const std::string kWrongAnswerLastRung = "Das stimmt noch nicht. Mit \"Tipp\" siehst Du den ganzen Rechenweg.";
const std::string kStillWrong = "Noch nicht richtig.";
const std::string kAllStepsDone = "Alle Schritte geschafft. Schreib jetzt Dein Ergebnis in die Felder."_w;
const std::string kLastStepYours = "Den letzten Schritt schaffst Du selbst. Mit \"Tipp\" siehst Du den ganzen Rechenweg."_w;

std::string Paragraph(const std::string& words) { return HtmlEscape(words) + "<br>\r\n"; }

// The drawings of steps, in order, as one text with their spoken forms.
std::pair<std::string, std::vector<std::string>> Drawings(const std::vector<ExerciseStep>& steps, std::size_t count) {
    std::string text;
    std::vector<std::string> spoken;
    for (std::size_t i = 0; i < count && i < steps.size(); ++i) {
        text += steps[i].drawing.Join();
        for (std::string& block : steps[i].drawing.SpokenBlocks()) spoken.push_back(std::move(block));
    }
    return {text, spoken};
}

}  // namespace

std::optional<std::pair<MixedNumber, MixedNumber>> TrainerModel::OperandsAsRead() const {
    OperandFields first = OperandTexts(Control::FirstWhole), second = OperandTexts(Control::SecondWhole);
    try {
        return std::pair{ReadOperand(first), ReadOperand(second)};
    } catch (const Error&) {
        return std::nullopt;
    }
}

// Help belongs to an exercise, not to how its fields are written: a click, a
// minus moved into the whole part or a new exercise number keep it.
bool TrainerModel::HelpFits(const Help& help) const {
    const auto operands = OperandsAsRead();
    return help.op == state_.op && operands && operands->first == help.first && operands->second == help.second;
}

TrainerModel::Help& TrainerModel::HelpFor(const Evaluation& evaluation) {
    if (!help_ || help_->op != state_.op || help_->first != evaluation.first || help_->second != evaluation.second) {
        EndHelp();
        help_.emplace();
        help_->op = state_.op;
        help_->first = evaluation.first;
        help_->second = evaluation.second;
    }
    return *help_;
}

TrainerModel::Help* TrainerModel::CurrentHelp() {
    if (help_ && HelpFits(*help_)) return &*help_;
    OperandFields first = OperandTexts(Control::FirstWhole), second = OperandTexts(Control::SecondWhole);
    Walkthrough scratch;
    scratch.context.operatorCaption = std::string(1, state_.op);
    const Evaluation evaluation = EvaluateExercise(first, second, state_.Row(Group::Kind), scratch);
    if (evaluation.outcome != EvaluationOutcome::Solved) {
        CallHost([&] { host_.ShowMessage(UnreadableOperandMessage(evaluation.outcome)); });
        return nullptr;
    }
    return &HelpFor(evaluation);
}

const std::vector<ExerciseStep>& TrainerModel::Steps(Help& help) {
    if (!help.steps) help.steps = ExerciseSteps(help.op, help.first, help.second);
    return *help.steps;
}

void TrainerModel::EndHelp() {
    help_.reset();
    state_.hintRung = 0;
    state_.stepQuestion.clear();
    state_.stepAnswer.clear();
    state_.hintWords.clear();
    state_.wrongTries = 0;
    state_.document.RemoveHint();
    UpdateHintState();
}

void TrainerModel::UpdateHintState() {
    state_.moreHints = state_.checking && state_.hintRung < 4 && !(help_ && help_->solutionShown);
    if (help_) state_.wrongTries = help_->wrongTries;
}

void TrainerModel::CountOutcome(Help& help, CheckRecord::Outcome outcome) {
    if (help.counted) return;
    help.counted = true;
    record_.CountOutcome(outcome);
    state_.tally = record_.Counts();
}

// Above the exercise's own verdict when that is the newest text, and always
// at the top of a single page; else after what was collected.
void TrainerModel::ShowHint(Help& help, const std::string& html, std::vector<std::string> spoken, const std::string& words) {
    const bool aboveNewest = !Collecting() || help.ownPageRevision == state_.document.Revision();
    state_.document.ShowHint(kHintOpening + html + "</div>\r\n", aboveNewest, std::move(spoken));
    if (aboveNewest && Collecting()) help.ownPageRevision = state_.document.Revision();
    state_.pageBlank = false;
    state_.hintWords = words;
}

void TrainerModel::ShowSolutionAfterHelp(Help& help, const std::string& lead) {
    OperandFields first = OperandTexts(Control::FirstWhole), second = OperandTexts(Control::SecondWhole);
    solution_.context = CurrentContext();
    EvaluateExercise(first, second, state_.Row(Group::Kind), solution_);
    help.solutionShown = true;
    state_.stepQuestion.clear();
    state_.stepAnswer.clear();
    ShowWork(lead + solution_.lines.Join(), solution_.lines.SpokenBlocks());
    CountOutcome(help, CheckRecord::Outcome::SolutionSeen);
    MoveFocus(Control::ResultWhole);
}

void TrainerModel::NextHint(std::int64_t nowMilliseconds) {
    Run([&] {
        if (!state_.checking || !state_.exerciseScreen) return;
        Help* found = CurrentHelp();
        if (!found) return;
        Help& help = *found;
        if (help.solutionShown || state_.hintRung >= 4) return;
        const std::vector<ExerciseStep>& steps = Steps(help);
        const bool hurried = help.lastHintAt && nowMilliseconds - *help.lastHintAt < kHurryMilliseconds && !help.hurrySaid;
        help.lastHintAt = nowMilliseconds;
        if (hurried) help.hurrySaid = true;
        const std::string hurry = hurried ? "<i>" + HtmlEscape(kHurry) + "</i><br>\r\n" : "";
        const std::string hurryWords = hurried ? kHurry + " " : "";
        state_.hintRung += 1;
        help.used.highestRung = std::max(help.used.highestRung, state_.hintRung);
        switch (state_.hintRung) {
            case 1: {
                const std::string words = LookAtWords(help.op, steps, help.strategies);
                ShowHint(help, hurry + "<b>Tipp:</b> " + Paragraph(words), {}, hurryWords + words);
                break;
            }
            case 2: {
                const ExerciseStep& step = steps[std::min(help.nextStep, steps.size() - 1)];
                help.nextStep = std::min(help.nextStep, steps.size() - 1);
                state_.stepQuestion = step.question;
                state_.stepAnswer.clear();
                help.wrongAnswerSaid = false;
                ShowHint(help, hurry + "<b>Tipp:</b> " + Paragraph(step.question) + Paragraph(kAnswerPrompt), {},
                         hurryWords + step.question);
                break;
            }
            case 3: {
                if (help.nextStep >= steps.size()) {  // every step answered already
                    auto [drawn, spoken] = Drawings(steps, steps.size());
                    ShowHint(help, hurry + "<b>Tipp:</b> " + Paragraph(kAllStepsDone) + drawn, std::move(spoken),
                             hurryWords + kAllStepsDone);
                    break;
                }
                // The last step's answer is the result: that one is the pupil's, or the last rung's.
                const bool last = help.nextStep + 1 >= steps.size();
                const std::size_t shown = last ? help.nextStep : help.nextStep + 1;
                auto [drawn, spoken] = Drawings(steps, shown);
                std::string words = last ? kLastStepYours : "So geht es: " + SpokenSolution(steps[help.nextStep].drawing);
                std::string html = hurry + "<b>Tipp:</b> " + (last ? Paragraph(kLastStepYours) : "So geht es:<br>\r\n") + drawn;
                if (!last) {
                    help.nextStep = shown;
                    state_.stepQuestion = steps[shown].question;
                    state_.stepAnswer.clear();
                    help.wrongAnswerSaid = false;
                    html += Paragraph(steps[shown].question) + Paragraph(kAnswerPrompt);
                    words += " Weiter: " + steps[shown].question;
                }
                ShowHint(help, html, std::move(spoken), hurryWords + words);
                break;
            }
            default:
                ShowSolutionAfterHelp(help);
                state_.hintWords = hurryWords + "Der ganze Rechenweg steht auf der Seite.";
                break;
        }
        UpdateHintState();
    });
}

void TrainerModel::EditStepAnswer(const std::string& text) {
    Run([&] {
        if (!state_.stepQuestion.empty()) state_.stepAnswer = text;
    });
}

void TrainerModel::AnswerStepQuestion(const std::string& text) {
    Run([&] {
        // A question belongs to the exercise it was asked for.
        if (state_.stepQuestion.empty() || !help_ || !HelpFits(*help_)) return;
        Help& help = *help_;
        const std::vector<ExerciseStep>& steps = Steps(help);
        if (help.nextStep >= steps.size()) return;
        const ExerciseStep& step = steps[help.nextStep];
        state_.stepAnswer = text;
        const std::optional<MixedNumber> answer = ReadStepAnswer(text);
        if (!answer) {
            ShowHint(help, Paragraph(step.question) + Paragraph(kUnreadableAnswer), {}, kUnreadableAnswer);
            return;
        }
        if (!AnswersStep(step, *answer)) {
            help.used.wrongAnswers.emplace_back(step.question, text);
            const std::string& words = help.wrongAnswerSaid ? kStillWrong
                                       : state_.hintRung >= 3 ? kWrongAnswerLastRung
                                                              : kWrongAnswer;
            help.wrongAnswerSaid = true;
            ShowHint(help, Paragraph(step.question) + Paragraph(words), {}, words);
            return;
        }
        // Right: the step shown done, and the next one asked.
        auto [drawn, spoken] = Drawings({step}, 1);
        ++help.nextStep;
        help.wrongAnswerSaid = false;
        state_.stepAnswer.clear();
        std::string html = "<b>Richtig!</b><br>\r\n" + drawn;
        std::string words = "Richtig!";
        if (help.nextStep < steps.size()) {
            state_.stepQuestion = steps[help.nextStep].question;
            html += Paragraph(state_.stepQuestion) + Paragraph(kAnswerPrompt);
            words += " " + state_.stepQuestion;
        } else {
            state_.stepQuestion.clear();
            html += Paragraph(kAllStepsDone);
            words += " " + kAllStepsDone;
            MoveFocus(Control::ResultWhole);
        }
        ShowHint(help, html, std::move(spoken), words);
    });
}

void TrainerModel::LeaveStepQuestion() {
    Run([&] {
        if (state_.speaking) StopReading();  // Esc stops a reading everywhere
        if (state_.stepQuestion.empty()) return;
        state_.stepQuestion.clear();
        state_.stepAnswer.clear();
        MoveFocus(Control::ResultWhole);
    });
}

}  // namespace quorvel
