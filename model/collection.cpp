// The document behind the view, and the question before a click drops
// what the pupil has collected.
#include "document/helppages.h"
#include "fraction/cp1252.h"
#include "model/operation.h"
#include "model/trainer.h"

namespace quorvel {

namespace {

const std::string kClearQuestion = "Die gesammelten Aufgaben löschen?"_w;
const std::string kSwitchQuestion =
    "Die gesammelten Aufgaben gehen dabei verloren. Trotzdem zu \"Einzelne Aufgabe\" wechseln?";
const std::string kCloseQuestion = "Die gesammelten Aufgaben gehen dabei verloren. Trotzdem schließen?"_w;

}  // namespace

// ---- the document ----

bool TrainerModel::Collecting() const { return state_.Row(Group::PrintMode) != 0; }

void TrainerModel::ShowPage(const std::string& text, std::vector<std::string> spoken) {
    state_.document.ShowPage(text, Collecting(), std::move(spoken));
    state_.pageBlank = false;
}

void TrainerModel::WriteInstructions() {
    state_.document.ShowInstructions(InstructionsPage(), Collecting());
    state_.pageBlank = false;
}

// A worked solution, a verdict or the evaluation: the instructions make way
// for the pupil's work, and what was collected before stays.
void TrainerModel::ShowWork(const std::string& text, std::vector<std::string> spoken) {
    state_.document.RemoveInstructions();
    ShowPage(text, std::move(spoken));
    if (Collecting()) ++state_.collected;
}

std::string TrainerModel::DocumentFile() const { return FileContents(WrapInDocument(state_.document.TextWithoutHint())); }

void TrainerModel::ClearDocument() {
    Run([&] { AskBefore(Risky::ClearDocument); });
}

void TrainerModel::EmptyDocument() {
    state_.document.Clear();
    state_.collected = 0;
    ShowPage("");
}

// ---- questions before a collection is lost ----

void TrainerModel::AskBefore(Risky action, int row) {
    if (pending_) return;  // the question asked first is answered first
    if (state_.collected == 0) {
        CarryOut(action, row);
        return;
    }
    pending_ = {action, row};
    state_.questionOpen = true;
    const std::string& question = action == Risky::ClearDocument     ? kClearQuestion
                                  : action == Risky::SwitchPrintMode ? kSwitchQuestion
                                                                     : kCloseQuestion;
    CallHost([&] { host_.AskQuestion(question); });
}

void TrainerModel::AnswerQuestion(bool yes) {
    Run([&] {
        if (!pending_) return;
        const auto [action, row] = *pending_;
        pending_.reset();
        state_.questionOpen = false;
        if (yes) CarryOut(action, row);
    });
}

void TrainerModel::CarryOut(Risky action, int row) {
    switch (action) {
        case Risky::ClearDocument: EmptyDocument(); break;
        case Risky::SwitchPrintMode:
            state_.rows[std::size_t(Group::PrintMode)] = row;
            EmptyDocument();  // a change of the print mode empties the document
            break;
        case Risky::Close:
            closeAgreed_ = true;
            CallHost([&] { host_.CloseWindow(); });
            break;
    }
}

}  // namespace quorvel
