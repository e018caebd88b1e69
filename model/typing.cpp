// The trainer's keyboard flow and the operator dialog.
#include <algorithm>
#include <stdexcept>

#include "exercise/settings.h"
#include "model/operation.h"
#include "model/trainer.h"

namespace quorvel {

namespace {

const char kReminder[] = "Jetzt rechnen!\rDann Klick auf \"=\"!\rDann vergleichen!";

}  // namespace

// ---- keyboard ----

bool TrainerModel::KeyPress(Control focus, Keystroke key) {
    // A key whose handler fails was acted on all the same: it stays swallowed.
    bool swallowed = true;
    Run([&] { swallowed = ScreenKey(focus, key); });
    return swallowed;
}

bool TrainerModel::ScreenKey(Control focus, Keystroke key) {
    if (key.kind == Keystroke::Escape && state_.speaking) {
        StopReading();
        return true;
    }
    if (key.kind == Keystroke::Character && key.character == 'n') {
        // On the settings screen the fields are hidden: the key does nothing there.
        // With checking on, the pupil works the exercise first: it is only
        // posed, and the cursor waits in the result.
        if (state_.exerciseScreen) {
            PoseExercise();
            if (state_.checking) {
                MoveFocus(Control::ResultWhole);
            } else {
                Solve();
            }
        }
        return true;
    }
    if (IsField(focus)) {
        if (std::optional<FieldKeyEffect> effect = FieldKey(focus, key, state_.checking)) {
            if (effect->check) {
                Solve();
            } else if (effect->askOperator) {
                AskOperator();  // the dialog moves the focus on when it closes
            } else {
                if (effect->remind) CallHost([&] { host_.ShowMessage(kReminder); });
                MoveFocus(*effect->next);
            }
            return true;
        }
    }
    if (key.kind == Keystroke::Escape) {
        if (state_.exerciseScreen) {
            BackToSettings();
        } else {
            Start();
        }
        return true;
    }
    if (key.kind == Keystroke::Enter && !state_.exerciseScreen) {
        Start();
        return true;
    }
    return false;
}

// ---- the operator dialog ----

void TrainerModel::AskOperator() {
    // The dialog has no "mischen": that row becomes "Division".
    ChooseOperatorRow(std::min(state_.Row(Group::Operation), 3));
    state_.dialogOpen = true;
    CallHost([&] { host_.OpenOperatorDialog(); });
}

void TrainerModel::ChooseOperatorRow(int row) {
    if (row < 0 || row >= kOperatorCount) throw std::out_of_range("no such row");
    Run([&] {
        if (state_.dialogRow == row) return;
        state_.dialogRow = row;
        SelectRow(Group::Operation, row);  // the window takes the dialog's operation
    });
}

bool TrainerModel::OperatorDialogKey(char key) {
    const std::optional<int> row = OperatorRowOfKey(key);
    if (!row) return false;
    ChooseOperatorRow(*row);
    ConfirmOperator();
    return true;
}

void TrainerModel::ConfirmOperator() {
    Run([&] {
        SelectRow(Group::Operation, state_.dialogRow);
        state_.dialogOpen = false;
        MoveFocus(Control::SecondWhole);
    });
}

}  // namespace quorvel
