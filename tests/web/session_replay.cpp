// Runs the trainer model natively through a session of operations read from
// standard input, one a line, and writes the bytes "Speichern" then writes
// to standard output. The browser test plays the same session with real
// keys and clicks in the page and compares the two files.
//
//   WindowPainted <control> <windowActive 0|1> <modalOpen 0|1>
//   SelectRow <group> <row>
//   Start | PoseExercise | Solve | ...
//   KeyPress <control> <Enter|Escape|character>
//   EditField <control> <text to the end of the line, Windows-1252>
//   ChooseOperatorRow <row> | OperatorDialogKey <character> | ConfirmOperator
//   SetChecking <0|1> | ShowEvaluation
//   AnswerYes | AnswerNo   the answer to the question the model asked last
#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "model/controls.h"
#include "model/trainer.h"

namespace {

using namespace quorvel;

Control ControlOfName(const std::string& name) {
    if (std::optional<Control> control = ControlNamed(name)) return *control;
    throw std::runtime_error("no control named " + name);
}

// The operations without arguments, by name.
const std::map<std::string, void (TrainerModel::*)()> kPlainOperations = {
    {"Start", &TrainerModel::Start}, {"BackToSettings", &TrainerModel::BackToSettings},
    {"ShowInstructions", &TrainerModel::ShowInstructions}, {"ShowHints", &TrainerModel::ShowHints},
    {"ShowGcdAndLcm", &TrainerModel::ShowGcdAndLcm}, {"PoseExercise", &TrainerModel::PoseExercise},
    {"Solve", &TrainerModel::Solve}, {"ClearDocument", &TrainerModel::ClearDocument},
    {"ConfirmOperator", &TrainerModel::ConfirmOperator},         {"ShowEvaluation", &TrainerModel::ShowEvaluation},
};

void Play(TrainerModel& model, const std::string& line) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    if (op.empty()) return;
    if (op == "WindowPainted") {
        std::string focus;
        int active = 0, modal = 0;
        in >> focus >> active >> modal;
        model.WindowPainted(ControlOfName(focus), active != 0, modal != 0);
    } else if (op == "SelectRow") {
        int group = 0, row = 0;
        in >> group >> row;
        model.SelectRow(Group(group), row);
    } else if (op == "KeyPress") {
        std::string focus, key;
        in >> focus >> key;
        model.KeyPress(ControlOfName(focus), KeystrokeNamed(key));
    } else if (op == "EditField") {
        std::string field, text;
        in >> field;
        std::getline(in >> std::ws, text);
        model.EditField(ControlOfName(field), text);
    } else if (op == "ChooseOperatorRow") {
        int row = 0;
        in >> row;
        model.ChooseOperatorRow(row);
    } else if (op == "OperatorDialogKey") {
        std::string key;
        in >> key;
        model.OperatorDialogKey(key.empty() ? '\0' : key[0]);
    } else if (op == "SetChecking") {
        int on = 0;
        in >> on;
        model.SetChecking(on != 0);
    } else if (op == "AnswerYes" || op == "AnswerNo") {
        model.AnswerQuestion(op == "AnswerYes");
    } else if (auto plain = kPlainOperations.find(op); plain != kPlainOperations.end()) {
        (model.*plain->second)();
    } else {
        throw std::runtime_error("no operation " + op);
    }
}

}  // namespace

int main() {
    SilentHost host;
    TrainerModel model(host);
    try {
        for (std::string line; std::getline(std::cin, line);) Play(model, line);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvel-session: %s\n", e.what());
        return 2;
    }
    const std::string file = model.DocumentFile();
    std::fwrite(file.data(), 1, file.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
