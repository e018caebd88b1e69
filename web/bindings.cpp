// The trainer for the web page: quorvel::TrainerModel behind embind, as the
// JavaScript class Trainer. The page forwards its events to the operations
// of the same names and shows state(); what the model asks of its front end
// is queued and taken by the page after each operation.
//
// Texts cross between JavaScript strings and the core's Windows-1252 strings
// only in ToJs and FromJs below.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "model/record.h"
#include "model/trainer.h"

namespace {

using emscripten::val;
using quorvel::Control;
using quorvel::Group;
using quorvel::Keystroke;

// ---- the crossing of texts ----

// embind hands a std::string to JavaScript as UTF-8 and back.
val ToJs(std::string_view cp1252Text) { return val(quorvel::cp1252::ToUtf8(cp1252Text)); }

// Characters that Windows-1252 cannot hold become "?", as on the desktop.
std::string FromJs(const std::string& utf8) { return quorvel::cp1252::FromUtf8(utf8); }

// ---- names and numbers from the page ----

[[noreturn]] void Reject(const char* error, const std::string& message) {
    val::global(error).new_(val(message)).throw_();
}

// The names of quorvel::Control, in its order.
constexpr std::array<const char*, 14> kControlNames = {"Enr",  "Eg1",      "Ez1", "En1", "Eg2",      "Ez2",
                                                       "En2",  "Eg",       "Ez",  "En",  "BBgleich", "ExerciseControl",
                                                       "View", "Elsewhere"};

Control ControlNamed(const std::string& name) {
    for (std::size_t i = 0; i < kControlNames.size(); ++i) {
        if (name == kControlNames[i]) return Control(i);
    }
    Reject("TypeError", "no control named '" + name + "'");
}

Control FieldNamed(const std::string& name) {
    const Control control = ControlNamed(name);
    if (!quorvel::IsField(control)) Reject("TypeError", "'" + name + "' is not a field");
    return control;
}

// The rows of each group: difficulty, kind, print mode, operation.
constexpr std::array<int, 4> kRowCounts = {4, 3, 2, 5};

void CheckRow(int row, int count) {
    if (row < 0 || row >= count) Reject("RangeError", "no row " + std::to_string(row));
}

// A key as the desktop reads it: Enter, Esc, or the character it types; a
// character outside ASCII, and any other key, types nothing the flow knows.
char TypedCharacter(const std::string& key) {
    return key.size() == 1 && static_cast<unsigned char>(key[0]) < 0x80 ? key[0] : '\0';
}

Keystroke KeystrokeOf(const std::string& key) {
    if (key == "Enter") return {Keystroke::Enter};
    if (key == "Escape") return {Keystroke::Escape};
    return {Keystroke::Character, TypedCharacter(key)};
}

const char* VerdictName(quorvel::Verdict verdict) {
    switch (verdict) {
        case quorvel::Verdict::Right:
            return "right";
        case quorvel::Verdict::NotReduced:
            return "notReduced";
        case quorvel::Verdict::Wrong:
            break;
    }
    return "wrong";
}

template <std::size_t N>
val Strings(const std::array<std::string, N>& texts) {
    val array = val::array();
    for (const std::string& text : texts) array.call<void>("push", ToJs(text));
    return array;
}

// ---- the trainer ----

// Queues what the model asks of the page, in order.
class QueuedHost : public quorvel::TrainerHost {
public:
    struct Call {
        const char* kind;
        std::string text;
    };

    void ShowMessage(const std::string& text) override { calls.push_back({"message", text}); }
    void ShowError(const std::string& text) override { calls.push_back({"error", text}); }
    // The page shows the dialog while state().dialogOpen.
    void OpenOperatorDialog() override { calls.push_back({"dialog", ""}); }
    void CloseWindow() override { calls.push_back({"close", ""}); }
    void Changed() override {}

    std::vector<Call> calls;
};

class Trainer {
public:
    Trainer() = default;
    Trainer(const Trainer&) = delete;  // the model keeps a reference to the host
    Trainer& operator=(const Trainer&) = delete;

    void FormPaint(const std::string& focus, bool windowActive, bool modalOpen) {
        model_.FormPaint(ControlNamed(focus), windowActive, modalOpen);
    }
    void Button2Click() { model_.Button2Click(); }
    void Button5Click() { model_.Button5Click(); }
    void Button1Click() { model_.Button1Click(); }
    void Button4Click() { model_.Button4Click(); }
    void Button7Click() { model_.Button7Click(); }
    void BggtkgvClick() { model_.BggtkgvClick(); }
    void Button6Click() { model_.Button6Click(); }
    void LGleichClick() { model_.LGleichClick(); }
    void Button10Click() { model_.Button10Click(); }
    void CheckingClick(bool on) { model_.CheckingClick(on); }
    void EvaluationClick() { model_.EvaluationClick(); }

    void SelectRow(int group, int row) {
        if (group < 0 || group >= int(kRowCounts.size())) Reject("RangeError", "no group " + std::to_string(group));
        CheckRow(row, kRowCounts[std::size_t(group)]);
        model_.SelectRow(Group(group), row);
    }
    void EditField(const std::string& field, const std::string& text) {
        model_.EditField(FieldNamed(field), FromJs(text));
    }
    void ClickField(const std::string& field) { model_.ClickField(FieldNamed(field)); }
    bool KeyPress(const std::string& focus, const std::string& key) {
        return model_.KeyPress(ControlNamed(focus), KeystrokeOf(key));
    }

    // The operator dialog has the four operations, not "mischen".
    void DialogRowClick(int row) {
        CheckRow(row, 4);
        model_.DialogRowClick(row);
    }
    bool DialogKeyPress(const std::string& key) { return model_.DialogKeyPress(TypedCharacter(key)); }
    void DialogOk() { model_.DialogOk(); }

    val state() const {
        const quorvel::TrainerState& s = model_.State();
        val state = val::object();
        state.set("exerciseScreen", s.exerciseScreen);
        state.set("explanationsShown", s.explanationsShown);
        state.set("hintsShown", s.hintsShown);
        state.set("fields", Strings(s.fields));
        val white = val::array();
        for (bool w : s.wholePartWhite) white.call<void>("push", w);
        state.set("wholePartWhite", white);
        val labels = val::object();
        labels.set("first", ToJs(s.labels.first));
        labels.set("second", ToJs(s.labels.second));
        labels.set("result", ToJs(s.labels.result));
        state.set("labels", labels);
        state.set("op", ToJs(std::string(1, s.op)));
        val rows = val::array();
        for (int row : s.rows) rows.call<void>("push", row);
        state.set("rows", rows);
        state.set("tipShown", s.tipShown);
        state.set("wholePartTip", s.wholePartTip);
        state.set("tipText", ToJs(quorvel::TrainerModel::TipText(s.wholePartTip)));
        state.set("dialogOpen", s.dialogOpen);
        state.set("dialogRow", s.dialogRow);
        state.set("pageBlank", s.pageBlank);
        state.set("blankings", s.blankings);
        state.set("checking", s.checking);
        state.set("resultVerdict", s.resultVerdict ? VerdictName(*s.resultVerdict) : "");
        state.set("resultColour", s.resultVerdict ? quorvel::VerdictColour(*s.resultVerdict) : "");
        state.set("tallyText", ToJs(quorvel::TallyText(s.tally)));
        state.set("documentRevision", double(s.document.Revision()));
        return state;
    }

    std::string takeFocusMove() {
        const std::optional<Control> move = model_.TakeFocusMove();
        return move ? kControlNames[std::size_t(*move)] : "";
    }

    val takeHostCalls() {
        val calls = val::array();
        for (const QueuedHost::Call& call : host_.calls) {
            val entry = val::object();
            entry.set("kind", val(call.kind));
            entry.set("text", ToJs(call.text));
            calls.call<void>("push", entry);
        }
        host_.calls.clear();
        return calls;
    }

    // A copy, so that it outlives the next operation.
    val documentBytes() const {
        const std::string file = model_.DocumentFile();
        const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
        return val::global("Uint8Array").new_(val(emscripten::typed_memory_view(file.size(), bytes)));
    }

private:
    QueuedHost host_;
    quorvel::TrainerModel model_{host_};
};

val DifficultyItems() { return Strings(quorvel::DifficultyItems()); }
val KindItems() { return Strings(quorvel::KindItems()); }
val OperationItems() { return Strings(quorvel::OperationItems()); }

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel) {
    using emscripten::class_;
    using emscripten::function;
    class_<Trainer>("Trainer")
        .constructor<>()
        .function("FormPaint", &Trainer::FormPaint)
        .function("Button2Click", &Trainer::Button2Click)
        .function("Button5Click", &Trainer::Button5Click)
        .function("Button1Click", &Trainer::Button1Click)
        .function("Button4Click", &Trainer::Button4Click)
        .function("Button7Click", &Trainer::Button7Click)
        .function("BggtkgvClick", &Trainer::BggtkgvClick)
        .function("Button6Click", &Trainer::Button6Click)
        .function("LGleichClick", &Trainer::LGleichClick)
        .function("Button10Click", &Trainer::Button10Click)
        .function("CheckingClick", &Trainer::CheckingClick)
        .function("EvaluationClick", &Trainer::EvaluationClick)
        .function("SelectRow", &Trainer::SelectRow)
        .function("EditField", &Trainer::EditField)
        .function("ClickField", &Trainer::ClickField)
        .function("KeyPress", &Trainer::KeyPress)
        .function("DialogRowClick", &Trainer::DialogRowClick)
        .function("DialogKeyPress", &Trainer::DialogKeyPress)
        .function("DialogOk", &Trainer::DialogOk)
        .function("state", &Trainer::state)
        .function("takeFocusMove", &Trainer::takeFocusMove)
        .function("takeHostCalls", &Trainer::takeHostCalls)
        .function("documentBytes", &Trainer::documentBytes);
    function("difficultyItems", &DifficultyItems);
    function("kindItems", &KindItems);
    function("operationItems", &OperationItems);
}
