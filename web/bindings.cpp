// The trainer for the web page: quorvel::TrainerModel behind embind, as the
// JavaScript class Trainer. The page forwards its events to the operations
// of the same names and shows state(); what the model asks of its front end
// is queued and taken by the page after each operation.
//
// Texts cross between JavaScript strings and the core's Windows-1252 strings
// only in ToJs and FromJs below.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/messages.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "model/record.h"
#include "model/controls.h"
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

Control ControlNamed(const std::string& name) {
    if (std::optional<Control> control = quorvel::ControlNamed(name)) return *control;
    Reject("TypeError", "no control named '" + name + "'");
}

Control FieldNamed(const std::string& name) {
    const Control control = ControlNamed(name);
    if (!quorvel::IsField(control)) Reject("TypeError", "'" + name + "' is not a field");
    return control;
}

void CheckRow(int row, int count) {
    if (row < 0 || row >= count) Reject("RangeError", "no row " + std::to_string(row));
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

template <class Texts>
val Strings(const Texts& texts) {
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
    // The page asks, and answers through AnswerQuestion.
    void AskQuestion(const std::string& text) override { calls.push_back({"question", text}); }
    void CloseWindow() override { calls.push_back({"close", ""}); }
    void Changed() override {}
    // The page reads the words if it has a voice; it said so before.
    bool Speak(const std::string& words) override {
        if (voice) calls.push_back({"speak", words});
        return voice;
    }
    void StopSpeaking() override { calls.push_back({"stopSpeaking", ""}); }

    std::vector<Call> calls;
    bool voice = false;  // the browser has a German voice
};

class Trainer {
public:
    Trainer() = default;
    Trainer(const Trainer&) = delete;  // the model keeps a reference to the host
    Trainer& operator=(const Trainer&) = delete;

    void WindowPainted(const std::string& focus, bool windowActive, bool modalOpen) {
        model_.WindowPainted(ControlNamed(focus), windowActive, modalOpen);
    }
    void Start() { model_.Start(); }
    void BackToSettings() { model_.BackToSettings(); }
    void Close() { model_.Close(); }
    void ShowInstructions() { model_.ShowInstructions(); }
    void ShowHints() { model_.ShowHints(); }
    void ShowGcdAndLcm() { model_.ShowGcdAndLcm(); }
    void PoseExercise() { model_.PoseExercise(); }
    void Solve() { model_.Solve(); }
    void ClearDocument() { model_.ClearDocument(); }
    void SetChecking(bool on) { model_.SetChecking(on); }
    void SetPracticing(bool on) { model_.SetPracticing(on); }
    void SetPracticeLength(int count) {
        if (count < quorvel::kShortestSessionLength || count > quorvel::kLongestSessionLength) {
            Reject("RangeError", "no session of " + std::to_string(count) + " exercises");
        }
        model_.SetPracticeLength(count);
    }
    void FinishPractice() { model_.FinishPractice(); }
    void ShowEvaluation() { model_.ShowEvaluation(); }

    void SelectRow(int group, int row) {
        if (group < 0 || group >= quorvel::kGroupCount) Reject("RangeError", "no group " + std::to_string(group));
        CheckRow(row, quorvel::RowCount(Group(group)));
        model_.SelectRow(Group(group), row);
    }
    void EditField(const std::string& field, const std::string& text) {
        model_.EditField(FieldNamed(field), FromJs(text));
    }
    void ClickField(const std::string& field) { model_.ClickField(FieldNamed(field)); }
    bool KeyPress(const std::string& focus, const std::string& key) {
        return model_.KeyPress(ControlNamed(focus), quorvel::KeystrokeNamed(key));
    }

    // The operator dialog has the four operations, not "mischen".
    void ChooseOperatorRow(int row) {
        CheckRow(row, quorvel::kOperatorCount);
        model_.ChooseOperatorRow(row);
    }
    bool OperatorDialogKey(const std::string& key) {
        const Keystroke stroke = quorvel::KeystrokeNamed(key);
        return stroke.kind == Keystroke::Character && model_.OperatorDialogKey(stroke.character);
    }
    void ConfirmOperator() { model_.ConfirmOperator(); }
    void AnswerQuestion(bool yes) { model_.AnswerQuestion(yes); }
    // "Vorlesen", with whether the browser has a German voice now.
    void ReadAloud(bool voice) {
        host_.voice = voice;
        model_.ReadAloud();
    }
    void SpeechEnded() { model_.SpeechEnded(); }
    // "Tipp", with the page's clock in milliseconds.
    void NextHint(double nowMilliseconds) { model_.NextHint(std::int64_t(nowMilliseconds)); }
    void EditStepAnswer(const std::string& text) { model_.EditStepAnswer(FromJs(text)); }
    void AnswerStepQuestion(const std::string& text) { model_.AnswerStepQuestion(FromJs(text)); }
    void LeaveStepQuestion() { model_.LeaveStepQuestion(); }

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
        state.set("verdictWords", ToJs(s.verdictWords));
        state.set("resultColour", s.resultVerdict ? quorvel::VerdictColour(*s.resultVerdict) : "");
        state.set("tallyText", ToJs(quorvel::TallyText(s.tally)));
        state.set("documentRevision", double(s.document.Revision()));
        state.set("collected", s.collected);
        state.set("questionOpen", s.questionOpen);
        state.set("speaking", s.speaking);
        state.set("hintRung", s.hintRung);
        state.set("moreHints", s.moreHints);
        state.set("stepQuestion", ToJs(s.stepQuestion));
        state.set("stepAnswer", ToJs(s.stepAnswer));
        state.set("hintWords", ToJs(s.hintWords));
        state.set("wrongTries", s.wrongTries);
        state.set("practicing", s.practicing);
        state.set("practiceLength", s.practiceLength);
        state.set("practiceDone", s.practiceDone);
        val skills = val::array();
        for (const quorvel::PracticeSkillLine& line : s.practiceSkills) {
            val skill = val::object();
            skill.set("name", ToJs(line.name));
            skill.set("sitzt", line.sitzt);
            skill.set("tries", line.tries);
            skill.set("words", ToJs(line.words));
            skills.call<void>("push", skill);
        }
        state.set("practiceSkills", skills);
        state.set("practiceWords", ToJs(s.practiceWords));
        return state;
    }

    std::string takeFocusMove() {
        const std::optional<Control> move = model_.TakeFocusMove();
        return move ? quorvel::ControlName(*move) : "";
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

    // What the page does to show the model's document, as the desktop view
    // decides it: {kind: "same", "append", "replace" or "load", part}. A page
    // that is blank, loading, or could not change in place asks for a load.
    val bodyChange(bool pageHoldsDocument) {
        const std::string& body = model_.State().document.Text();
        const quorvel::BodyChange change = pageHoldsDocument ? quorvel::ChangeOfBody(shownBody_, body)
                                                             : quorvel::BodyChange{quorvel::BodyChangeKind::Load, {}};
        static constexpr const char* kKinds[] = {"same", "append", "replace", "load"};
        val result = val::object();
        result.set("kind", val(kKinds[int(change.kind)]));
        result.set("part", ToJs(change.kind == quorvel::BodyChangeKind::Load ? "" : change.part));
        shownBody_ = body;
        return result;
    }

    // The body before its newest part: a page loaded in full shows the
    // document from there. Empty where the newest part is the whole body.
    val newestPrefix() const {
        const quorvel::DocumentBody& document = model_.State().document;
        return ToJs(std::string_view(document.Text()).substr(0, document.NewestStart()));
    }

    // The spoken forms of the document's last count pre blocks, in order,
    // for QuorvelPage.speak; "" for a block that has none.
    val spokenTail(int count) const {
        const std::vector<std::string>& spoken = model_.State().document.Spoken();
        const std::size_t taken = std::min(spoken.size(), std::size_t(std::max(count, 0)));
        return Strings(std::vector<std::string>(spoken.end() - std::ptrdiff_t(taken), spoken.end()));
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
    std::string shownBody_;  // the body the page was last told about
};

val DifficultyItems() { return Strings(quorvel::DifficultyItems()); }
val KindItems() { return Strings(quorvel::KindItems()); }
val OperationItems() { return Strings(quorvel::OperationItems()); }

val OperatorDialogItems() { return Strings(quorvel::OperatorDialogItems()); }

// What a screen reader hears of each named element, by its id on the page:
// {name, description}, as they are while the pupil's result is checked or not.
val AccessibleNames(bool checking) {
    val names = val::object();
    for (const quorvel::ElementNames& row : quorvel::ElementTable()) {
        if (row.name.empty()) continue;
        val entry = val::object();
        entry.set("name", ToJs(row.Name(checking)));
        entry.set("description", ToJs(row.Description(checking)));
        names.set(row.PageId(), entry);
    }
    return names;
}

// The words of a file the page could not write, with its name, as the
// desktop says them.
val FileNotWritten(const std::string& fileName) {
    std::string words = quorvel::WriteFailureWords(quorvel::WriteResult::NotWritten);
    words.replace(words.find("%1"), 2, FromJs(fileName));
    return ToJs(words);
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel) {
    using emscripten::class_;
    using emscripten::function;
    class_<Trainer>("Trainer")
        .constructor<>()
        .function("WindowPainted", &Trainer::WindowPainted)
        .function("Start", &Trainer::Start)
        .function("BackToSettings", &Trainer::BackToSettings)
        .function("Close", &Trainer::Close)
        .function("ShowInstructions", &Trainer::ShowInstructions)
        .function("ShowHints", &Trainer::ShowHints)
        .function("ShowGcdAndLcm", &Trainer::ShowGcdAndLcm)
        .function("PoseExercise", &Trainer::PoseExercise)
        .function("Solve", &Trainer::Solve)
        .function("ClearDocument", &Trainer::ClearDocument)
        .function("SetChecking", &Trainer::SetChecking)
        .function("ShowEvaluation", &Trainer::ShowEvaluation)
        .function("SetPracticing", &Trainer::SetPracticing)
        .function("SetPracticeLength", &Trainer::SetPracticeLength)
        .function("FinishPractice", &Trainer::FinishPractice)
        .function("SelectRow", &Trainer::SelectRow)
        .function("EditField", &Trainer::EditField)
        .function("ClickField", &Trainer::ClickField)
        .function("KeyPress", &Trainer::KeyPress)
        .function("ChooseOperatorRow", &Trainer::ChooseOperatorRow)
        .function("OperatorDialogKey", &Trainer::OperatorDialogKey)
        .function("ConfirmOperator", &Trainer::ConfirmOperator)
        .function("AnswerQuestion", &Trainer::AnswerQuestion)
        .function("ReadAloud", &Trainer::ReadAloud)
        .function("SpeechEnded", &Trainer::SpeechEnded)
        .function("NextHint", &Trainer::NextHint)
        .function("EditStepAnswer", &Trainer::EditStepAnswer)
        .function("AnswerStepQuestion", &Trainer::AnswerStepQuestion)
        .function("LeaveStepQuestion", &Trainer::LeaveStepQuestion)
        .function("state", &Trainer::state)
        .function("takeFocusMove", &Trainer::takeFocusMove)
        .function("takeHostCalls", &Trainer::takeHostCalls)
        .function("bodyChange", &Trainer::bodyChange)
        .function("newestPrefix", &Trainer::newestPrefix)
        .function("spokenTail", &Trainer::spokenTail)
        .function("documentBytes", &Trainer::documentBytes);
    function("difficultyItems", &DifficultyItems);
    function("kindItems", &KindItems);
    function("operationItems", &OperationItems);
    function("operatorDialogItems", &OperatorDialogItems);
    function("accessibleNames", &AccessibleNames);
    function("fileNotWritten", &FileNotWritten);
}
