// The trainer model over thousands of exercises, everything it shows printed
// byte for byte: exercises by designation at every difficulty, kind and
// operation (in single and collect mode), then exercises typed into the
// fields through the typing flow. Built natively and for node, the two
// outputs must be the same. Exits non-zero if the run misses a case it is
// meant to cover.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "document/messages.h"
#include "exercise/settings.h"
#include "fraction/errors.h"
#include "model/record.h"
#include "model/trainer.h"

namespace {

using namespace quorvel;

std::string out;

// Every byte outside printable ASCII as \xNN (and the backslash doubled), so
// that the output is plain ASCII and passes any console unchanged.
void Put(std::string_view label, std::string_view bytes) {
    out += label;
    out += ": ";
    static const char kHex[] = "0123456789abcdef";
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\') {
            out += "\\\\";
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    out += '\n';
}

class RecordingHost : public TrainerHost {
public:
    void ShowMessage(const std::string& text) override {
        calls.push_back("message " + text);
        ++messages;
    }
    void ShowError(const std::string& text) override {
        calls.push_back("error " + text);
        errors.push_back(text);
    }
    void OpenOperatorDialog() override { calls.push_back("dialog"); }
    void AskQuestion(const std::string& text) override { calls.push_back("question " + text); }
    void CloseWindow() override { calls.push_back("close"); }
    void Changed() override {}

    std::vector<std::string> calls;
    int messages = 0;
    std::vector<std::string> errors;
};

struct Trainer {
    RecordingHost host;
    TrainerModel model{host};

    Trainer(int difficulty, int kind, int operation, int printMode) {
        model.WindowPainted(Control::Elsewhere, true, false);
        model.Start();
        model.SelectRow(Group::Difficulty, difficulty);
        model.SelectRow(Group::Kind, kind);
        model.SelectRow(Group::Operation, operation);
        model.SelectRow(Group::PrintMode, printMode);
    }

    // What the window shows, and what the model asked of it since last time.
    void Report(bool withPage) {
        const TrainerState& s = model.State();
        std::string fields;
        for (const std::string& field : s.fields) fields += field + "|";
        Put("fields", fields);
        Put("labels", s.labels.first + '|' + s.labels.second + '|' + s.labels.result);
        std::string flags = std::string(1, s.op) + " rows";
        for (int row : s.rows) {
            flags += ' ';
            flags += std::to_string(row);
        }
        flags += " white";
        for (bool white : s.wholePartWhite) flags += white ? " 1" : " 0";
        flags += s.tipShown ? (s.wholePartTip ? " tip whole" : " tip fraction") : " no tip";
        flags += s.dialogOpen ? " dialog" : "";
        flags += s.pageBlank ? " blank" : "";
        if (s.checking) {
            flags += " checking ";
            flags += s.resultVerdict ? VerdictColour(*s.resultVerdict) : "-";
        }
        Put("shows", flags);
        if (s.checking) Put("tally", TallyText(s.tally));
        for (const std::string& call : host.calls) Put("host", call);
        host.calls.clear();
        if (const std::optional<Control> focus = model.TakeFocusMove()) Put("focus", std::to_string(int(*focus)));
        if (withPage) Put("page", s.document.Text());
    }
};

// ---- exercises by designation ----

constexpr int kPerCombination = 35;  // 60 combinations: 2100 exercises

// The number of exercises solved; the last combination runs past the
// largest designation, into errors.
int ByDesignation() {
    int solved = 0;
    int combination = 0;
    for (int difficulty = 0; difficulty < 4; ++difficulty) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int operation = 0; operation < 5; ++operation, ++combination) {
                const bool collect = combination % 3 == 2;
                Trainer t(difficulty, kind, operation, collect ? 1 : 0);
                // Designations from 1 a to far into the 32-bit range, and
                // past its end.
                const bool last = combination == 59;
                const std::uint32_t number =
                    last ? 2147483645u : 1 + std::uint32_t(combination) * std::uint32_t(combination) * 35791u;
                t.model.EditField(Control::ExerciseNumber, std::to_string(number) + " " + char('a' + combination % 9));
                Put("combination", std::to_string(difficulty) + " " + std::to_string(kind) + " " +
                                       std::to_string(operation) + (collect ? " collect" : " single"));
                for (int i = 0; i < kPerCombination; ++i) {
                    const std::size_t errorsBefore = t.host.errors.size();
                    t.model.KeyPress(Control::FirstWhole, {Keystroke::Character, 'n'});  // "Neue Aufgabe" and "="
                    if (t.host.errors.size() == errorsBefore) ++solved;
                    t.Report(!collect);
                }
                if (collect) Put("file", t.model.DocumentFile());
            }
        }
    }
    return solved;
}

// ---- typed exercises ----

// A fixed sequence of numbers, the same on every machine.
class Sequence {
public:
    std::uint32_t Below(std::uint32_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }
    template <std::size_t N>
    const char* Pick(const char* const (&texts)[N]) {
        return texts[Below(N)];
    }

private:
    std::uint32_t state_ = 20240601u;
};

// What pupils type, whole numbers and mixed numbers among them ...
const char* const kWholes[] = {"", "", "", "", "", "1", "2", "3", "-1", "-2", "12", "0"};
const char* const kNumerators[] = {"1", "2", "3", "4", "5", "7", "-1", "-3", "6", "9", "10", "12", "15", "0", ""};
const char* const kDenominators[] = {"2", "3", "4", "5", "6", "7", "8", "9", "12", "16", "25", "100", "1"};
// ... and in one field of about every third exercise the mistakes and
// extremes the fields meet.
const char* const kOddWholes[] = {"-0", "2147483647", "-2147483648", "46341", "$10", "x1F",
                                  "+3", " 4",         "4 ",          "-",     "abc", "99999999999"};
const char* const kOddNumerators[] = {"250", "46341", "65536", "-2147483648", "1.5", "drei", "\xBD"};
const char* const kOddDenominators[] = {"0", "0", "0", "-4", "46341", "65536", "", "1/2", " "};
const char kOperatorKeys[] = {'+', '-', '*', '/', ':'};

struct Typed {
    int count = 0;
    int solved = 0;
    int unreadable = 0;
    int divisionByZero = 0;
    int overflow = 0;
    int otherErrors = 0;
};

Typed TypedExercises(int total) {
    Typed typed;
    Sequence seq;
    const std::string divisionByZero = MessageOf(DivisionByZero()) + ".";
    const std::string overflow = MessageOf(ArithmeticOverflow()) + ".";
    for (int session = 0; typed.count < total; ++session) {
        // One after the other: the order of evaluating arguments differs between compilers.
        const int difficulty = int(seq.Below(4));
        const int kind = int(seq.Below(3));
        const int operation = int(seq.Below(4));
        const int printMode = int(seq.Below(2));
        Trainer t(difficulty, kind, operation, printMode);
        Put("session", std::to_string(session));
        for (int i = 0; i < 25 && typed.count < total; ++i, ++typed.count) {
            const Control fields[] = {Control::FirstWhole, Control::FirstNumerator, Control::FirstDenominator,
                                      Control::SecondWhole, Control::SecondNumerator, Control::SecondDenominator};
            const int odd = seq.Below(3) == 0 ? int(seq.Below(6)) : -1;
            for (int f = 0; f < 6; ++f) {
                const Control field = fields[f];
                const bool oddField = f == odd;
                const char* text = f % 3 == 0   ? (oddField ? seq.Pick(kOddWholes) : seq.Pick(kWholes))
                                   : f % 3 == 1 ? (oddField ? seq.Pick(kOddNumerators) : seq.Pick(kNumerators))
                                                : (oddField ? seq.Pick(kOddDenominators) : seq.Pick(kDenominators));
                t.model.ClickField(field);
                t.model.EditField(field, text);
                // A numerator ends with "/" or Enter; the first denominator's
                // Enter asks for the operation, the second's reminds.
                const bool slash = (field == Control::FirstNumerator || field == Control::SecondNumerator) && seq.Below(2) == 0;
                t.model.KeyPress(field, slash ? Keystroke{Keystroke::Character, '/'} : Keystroke{Keystroke::Enter});
                if (t.model.State().dialogOpen) t.model.OperatorDialogKey(kOperatorKeys[seq.Below(5)]);
            }
            const std::size_t errorsBefore = t.host.errors.size();
            const int messagesBefore = t.host.messages;
            t.model.Solve();
            if (t.host.messages > messagesBefore) ++typed.unreadable;
            if (t.host.messages == messagesBefore && t.host.errors.size() == errorsBefore) ++typed.solved;
            for (std::size_t e = errorsBefore; e < t.host.errors.size(); ++e) {
                const std::string& error = t.host.errors[e];
                ++(error == divisionByZero ? typed.divisionByZero
                   : error == overflow     ? typed.overflow
                                           : typed.otherErrors);
            }
            t.Report(true);
        }
        Put("file", t.model.DocumentFile());
    }
    return typed;
}

// ---- checked results ----

// Exercises by designation with the pupil's result checked: the right result
// (taken from a second trainer that solves the same exercises), the same not
// reduced, a wrong one, an unreadable one or none; then the evaluation page.
// Returns the tally.
Tally CheckedResults(int total) {
    Sequence seq;
    Tally tally;
    for (int session = 0; tally.checked < total; ++session) {
        const int difficulty = session % 4, kind = session % 3, operation = session % 5;
        Trainer pupil(difficulty, kind, operation, session % 2);
        Trainer solver(difficulty, kind, operation, 0);
        pupil.model.SetChecking(true);
        const std::string start = std::to_string(1 + session * 7919) + " a";
        pupil.model.EditField(Control::ExerciseNumber, start);
        solver.model.EditField(Control::ExerciseNumber, start);
        Put("checking session", std::to_string(session));
        for (int i = 0; i < 20; ++i) {
            pupil.model.KeyPress(Control::View, {Keystroke::Character, 'n'});  // posed only
            solver.model.KeyPress(Control::View, {Keystroke::Character, 'n'});
            const TrainerState& solved = solver.model.State();
            std::string whole = solved.Field(Control::ResultWhole), numerator = solved.Field(Control::ResultNumerator),
                        denominator = solved.Field(Control::ResultDenominator);
            switch (seq.Below(6)) {
                case 0:
                case 1:
                    break;  // right
                case 2:     // not reduced, where there is a fraction
                    if (!numerator.empty()) {
                        numerator += "0";
                        denominator += "0";
                    }
                    break;
                case 3:
                    numerator = numerator.empty() ? "1" : numerator + "1";
                    break;  // wrong
                case 4:
                    denominator = "zwei";
                    break;  // unreadable
                default:
                    whole = numerator = denominator = "";
                    break;  // none
            }
            // Typed into the result fields; Enter in the last one checks.
            pupil.model.EditField(Control::ResultWhole, whole);
            pupil.model.KeyPress(Control::ResultWhole, {Keystroke::Enter});
            pupil.model.EditField(Control::ResultNumerator, numerator);
            pupil.model.KeyPress(Control::ResultNumerator, {Keystroke::Enter});
            pupil.model.EditField(Control::ResultDenominator, denominator);
            pupil.model.KeyPress(Control::ResultDenominator, {Keystroke::Enter});
            pupil.Report(true);
        }
        pupil.model.ShowEvaluation();
        pupil.Report(true);
        tally.checked += pupil.model.State().tally.checked;
        tally.right += pupil.model.State().tally.right;
        tally.notReduced += pupil.model.State().tally.notReduced;
        tally.wrong += pupil.model.State().tally.wrong;
    }
    return tally;
}

}  // namespace

int main() {
    const int byDesignation = ByDesignation();
    const Typed typed = TypedExercises(650);
    const Tally checked = CheckedResults(150);
    const auto n = [](int count) { return std::to_string(count); };
    const std::string summary = "exercises by designation solved " + n(byDesignation) + ", typed " + n(typed.count) +
                                " (solved " + n(typed.solved) + ", unreadable " + n(typed.unreadable) +
                                ", division by zero " + n(typed.divisionByZero) + ", overflow " + n(typed.overflow) +
                                ", other errors " + n(typed.otherErrors) + "), checked " + n(checked.checked) +
                                " (right " + n(checked.right) + ", not reduced " + n(checked.notReduced) + ", wrong " +
                                n(checked.wrong) + ")";
    Put("summary", summary);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", summary.c_str());
    const bool covered = byDesignation >= 2000 && typed.solved >= 500 && typed.unreadable > 0 &&
                         typed.divisionByZero > 0 && typed.overflow > 0 && checked.right > 0 &&
                         checked.notReduced > 0 && checked.wrong > 0;
    if (!covered) std::fprintf(stderr, "the run misses a case it is meant to cover\n");
    return covered ? 0 : 1;
}
