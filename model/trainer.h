// The trainer as a model: everything the window shows, and one operation per
// thing the pupil does. A front end forwards its events here and shows the
// state; it decides nothing itself. Texts are Windows-1252.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "entry/evaluation.h"
#include "entry/keyboard.h"
#include "exercise/generator.h"
#include "solution/steps.h"
#include "model/record.h"
#include "practice/choice.h"
#include "tutoring/steps.h"

namespace quorvel {

// What the model asks of its front end.
class TrainerHost {
public:
    virtual ~TrainerHost() = default;
    // An information box with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The general error box; text ends with a full stop.
    virtual void ShowError(const std::string& text) = 0;
    // Shows the operator dialog; it is to close when the model's dialog
    // closes. A front end may return at once or only then.
    virtual void OpenOperatorDialog() = 0;
    // A question with the answers "Ja" and "Nein", "Nein" the default. The
    // answer goes to TrainerModel::AnswerQuestion, at once or later.
    virtual void AskQuestion(const std::string& text) = 0;
    // Ends the program.
    virtual void CloseWindow() = 0;
    // Reads German words aloud and tells TrainerModel::SpeechEnded when it
    // has finished; false if the platform has no voice to read with.
    virtual bool Speak(const std::string& /*words*/) { return false; }
    // Stops reading aloud.
    virtual void StopSpeaking() {}
    // The state has changed: show it.
    virtual void Changed() = 0;
};

// A skill in the list on the exercise screen while practising.
struct PracticeSkillLine {
    std::string name;   // "Hauptnenner"
    bool sitzt = false;  // three right in a row without a hint; else still open
    int tries = 0;       // answered exercises that needed it
    std::string words;  // "Hauptnenner: sitzt (4 Aufgaben)", as a screen reader says it
    friend bool operator==(const PracticeSkillLine&, const PracticeSkillLine&) = default;
};

// A host for runs without a front end (replays, measurements): it shows
// nothing, asks nothing and has no voice; the dialog stays for the caller
// to answer.
class SilentHost : public TrainerHost {
public:
    void ShowMessage(const std::string&) override {}
    void ShowError(const std::string&) override {}
    void OpenOperatorDialog() override {}
    void AskQuestion(const std::string&) override {}
    void CloseWindow() override {}
    void Changed() override {}
};

enum class Group { Difficulty, Kind, PrintMode, Operation };
inline constexpr int kGroupCount = 4;
// How many rows a group has.
int RowCount(Group group);

struct TrainerState {
    bool exerciseScreen = false;      // the exercise screen instead of the settings screen
    bool explanationsShown = false;   // "Erklärungen" on the settings screen
    bool hintsShown = false;          // "Hinweise" on the exercise screen
    std::array<std::string, kFieldCount> fields = {"Bsp.", "", "7", "14", "", "18", "27", " ", "", ""};
    std::array<bool, 3> wholePartWhite{};  // the three whole-part fields: white, else the button face
    OperandLabels labels{"1. Summand", "2. Summand", "Summe"};
    char op = '+';                    // the operator button's caption
    std::array<int, 4> rows{};        // the selected row of each Group
    bool tipShown = false;
    bool wholePartTip = false;        // which tip, when shown
    bool dialogOpen = false;          // the operator dialog
    int dialogRow = 0;
    bool pageBlank = false;           // the view shows the empty page, not the document
    int blankings = 0;                // how often the view was emptied ("Start")
    DocumentBody document;
    // Checking the pupil's own result ("Mein Ergebnis prüfen").
    bool checking = false;
    std::optional<Verdict> resultVerdict;  // of the result fields as last checked
    std::string verdictWords;              // the same in words, for a screen reader
    Tally tally;
    // Worked solutions, verdicts and evaluations collected since the
    // document was last emptied: what a click must not lose unasked.
    int collected = 0;
    bool questionOpen = false;  // a question waits for its answer
    bool speaking = false;      // "Vorlesen" reads the page aloud
    // The help with the exercise in the fields ("Tipp"), with checking on only.
    int hintRung = 0;            // the rung shown last: 0 none, 1 what to look at, 2 a step question, 3 the step worked, 4 the worked solution
    bool moreHints = false;      // "Tipp" has a further rung to give
    std::string stepQuestion;    // the open step question; empty when none is open
    std::string stepAnswer;      // the text of the step question's answer field
    std::string hintWords;       // the newest rung or step answer in plain words, for a screen reader's live region
    int wrongTries = 0;          // wrong or unfinished results checked for this exercise
    // With stepQuestion set, a front end shows the answer field and moves
    // the focus there; with it emptied, back to the result (TakeFocusMove).
    // "Üben, bis es sitzt": the trainer chooses each next exercise; held in memory only.
    bool practicing = false;      // chosen on the settings screen; turns checking on
    int practiceLength = kDefaultSessionLength;  // exercises in a session the pupil chose, the last ones a mixed review
    int practiceDone = 0;         // exercises of the running session posed so far, 0 when none runs
    std::vector<PracticeSkillLine> practiceSkills;  // the skills met in the session, in the order first met
    std::string practiceWords;    // what changed in the skill list or the session, for a screen reader's live region

    const std::string& Field(Control field) const { return fields[std::size_t(field)]; }
    int Row(Group group) const { return rows[std::size_t(group)]; }
};

class TrainerModel {
public:
    explicit TrainerModel(TrainerHost& host) : host_(host) {}

    const TrainerState& State() const { return state_; }
    const SolutionLines& Solution() const { return solution_.lines; }
    // The control the model has moved the focus to since it was last asked;
    // a front end moves it there and selects a field's whole text.
    std::optional<Control> TakeFocusMove();

    // Start-up and screens.
    void WindowPainted(Control focus, bool windowActive, bool modalOpen);  // each time the window is drawn
    void Start();  // "Start"
    void BackToSettings();  // "Zurück"
    void Close();  // "Schließen"
    // Whether the window may close now; closing it otherwise asks first.
    bool MayClose() const;
    // Help pages.
    void ShowInstructions();
    void ShowHints();
    void ShowGcdAndLcm();
    // Exercises.
    void PoseExercise();  // "Neue Aufgabe"
    void Solve();  // "=" and the operator button
    void ClearDocument(); // "Löschen"
    // Checking the pupil's result: the settings' choice and "Auswertung".
    void SetChecking(bool on);
    void ShowEvaluation();
    // "Üben, bis es sitzt": on turns checking on and starts a new session at
    // the next exercise; off ends the session without a page.
    void SetPracticing(bool on);
    // The number of exercises of a session, 5 to 50; takes effect with the next session.
    void SetPracticeLength(int count);
    // "Fertig": the next exercises are the last, a mixed review; pressed
    // again, in the review or before any result, it ends the session with
    // the page "Mein Übungsweg".
    void FinishPractice();
    // The hint ladder ("Tipp"): the next rung; nowMilliseconds is the front
    // end's clock, to tell a hurried press. Does nothing with checking off.
    void NextHint(std::int64_t nowMilliseconds);
    // The text of the step question's answer field as the pupil left it.
    void EditStepAnswer(const std::string& text);
    // Enter in the answer field: checks text as the answer to the open step
    // question; ignored when none is open.
    void AnswerStepQuestion(const std::string& text);
    // Esc in the answer field: closes the step question, the hint stays.
    void LeaveStepQuestion();
    // A row selected in a group, by the pupil or the program.
    void SelectRow(Group group, int row);
    // The text of a field as the pupil left it.
    void EditField(Control field, const std::string& text);
    // A click into a field.
    void ClickField(Control field);
    // A key typed with the focus on focus; true if it is swallowed.
    bool KeyPress(Control focus, Keystroke key);
    // The operator dialog.
    void ChooseOperatorRow(int row);
    bool OperatorDialogKey(char key);
    void ConfirmOperator();
    // The answer to the question asked last.
    void AnswerQuestion(bool yes);
    // "Vorlesen": reads the page aloud, in collect mode its newest piece of
    // work; while it reads, stops it, as Esc does.
    void ReadAloud();
    // The platform has finished reading aloud.
    void SpeechEnded();
    // What "Vorlesen" reads, in German words.
    std::string PageWords() const;

    // Shows a text in the view: replaces or extends the document. Its pre
    // blocks speak spoken, in order (DocumentBody::ShowPage).
    void ShowPage(const std::string& text, std::vector<std::string> spoken = {});
    // The bytes "Speichern" writes.
    std::string DocumentFile() const;
    // The tip label's text.
    static std::string TipText(bool wholePartTip);

private:
    template <class Handler>
    void Run(Handler handler);
    template <class Call>
    void CallHost(Call call);
    bool ScreenKey(Control focus, Keystroke key);
    void SetField(Control field, const std::string& text);
    void FieldChanged(Control field);
    void ShowTip(bool wholePartTip);
    void MoveFocus(Control control) { focusMove_ = control; }
    void AskOperator();
    void KindChanged();
    void OperationChanged();
    void ClearResultFields();  // and the labels
    void ClearResult();
    void WriteOperand(Control whole, const OperandFields& texts);
    // The three fields of an operand, from its whole part's, as they stand.
    OperandFields OperandTexts(Control whole) const;
    // The exercise as the number field, the rows and the operator give it.
    ExerciseContext CurrentContext() const;
    // The number, the operands and the operator of an exercise the program posed.
    void WritePosedExercise(const PosedExercise& posed);
    void CheckPupilResult(const Evaluation& evaluation);
    bool Collecting() const;
    void WriteInstructions();
    void ShowWork(const std::string& text, std::vector<std::string> spoken);
    void EmptyDocument();
    // Runs action at once, or after a "Ja" when it would drop a collection;
    // while a question waits for its answer, nothing else is asked.
    enum class Risky { ClearDocument, SwitchPrintMode, Close };
    void AskBefore(Risky action, int row = 0);
    void CarryOut(Risky action, int row);
    void EndVerdict();
    void StopReading();
    // The help with the exercise in the fields (hints.cpp): what belongs to
    // it ends when the exercise changes.
    struct Help {
        // Declared, so that the optional below can make one while this class
        // is still being defined (clang judges that before the initialisers).
        Help() {}
        char op = '+';
        MixedNumber first, second;  // the operands as read
        std::optional<std::vector<ExerciseStep>> steps;  // computed at the first hint
        std::vector<const WrongStrategy*> strategies;  // of the last wrong result
        std::size_t nextStep = 0;  // the step asked or shown next
        HelpUsed used;             // the rungs used and the step answers that were wrong
        int wrongTries = 0;
        bool wrongAnswerSaid = false;  // to the open question
        bool hurrySaid = false;
        std::optional<std::int64_t> lastHintAt;  // milliseconds
        std::uint64_t ownPageRevision = 0;  // the document's revision while its verdict is the newest text
        bool solutionShown = false;
        bool counted = false;  // its outcome is in the tally
    };
    // The operands as the fields read now; nothing if one does not read.
    std::optional<std::pair<MixedNumber, MixedNumber>> OperandsAsRead() const;
    // Whether help belongs to the exercise in the fields.
    bool HelpFits(const Help& help) const;
    // The help with the exercise in the fields; a new one when they changed.
    Help& HelpFor(const Evaluation& evaluation);
    // The same, reading the fields; null with an operand that does not read
    // (the host was told).
    Help* CurrentHelp();
    const std::vector<ExerciseStep>& Steps(Help& help);
    void EndHelp();
    void CountOutcome(Help& help, CheckRecord::Outcome outcome);
    void ShowHint(Help& help, const std::string& html, std::vector<std::string> spoken, const std::string& words);
    void ShowSolutionAfterHelp(Help& help, const std::string& lead = "");
    void UpdateHintState();
    // Practice (practice.cpp): the session in memory, never stored.
    struct PracticeSession {
        PracticeSettings settings;   // as the pupil chose; length shortened by "Fertig"
        Designation start;           // the designation in the number field at the start
        std::vector<PracticeStep> history;  // the exercises done
        std::optional<PracticeStep> current;  // the exercise in the fields, its result so far
    };
    bool Practising() const { return state_.practicing && state_.checking; }
    PracticeSession& Session();
    void PosePracticeExercise();
    void NotePracticeResult(const Evaluation& evaluation, const Check& check, const Help& help);
    void EndPractice(bool showPage);
    void UpdatePracticeState();

    TrainerHost& host_;
    TrainerState state_;
    quorvel::Walkthrough solution_;
    CheckRecord record_;
    ExerciseGenerator generator_;
    bool firstPaint_ = true;
    std::optional<Control> focusMove_;
    bool running_ = false;  // an operation is under way
    bool posed_ = false;    // the operands are the exercise "Neue Aufgabe" posed, not typed
    std::optional<std::pair<Risky, int>> pending_;  // what waits for a "Ja"
    bool closeAgreed_ = false;  // "Ja" to closing with a collection
    bool voiceMissingTold_ = false;  // the pupil knows that nothing can be read aloud
    std::optional<Help> help_;  // the help with the exercise in the fields, once asked or checked
    std::optional<PracticeSession> practice_;  // the running practice session
};

}  // namespace quorvel
