// The trainer's behaviour without a window: a recording host stands in for
// the front end and answers the operator dialog when it opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "exercise/designation.h"
#include "model/trainer.h"

namespace quorvel {
namespace {

struct Recorder : TrainerHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void OpenOperatorDialog() override {
        ++dialogs;
        if (answer) answer();
    }
    void AskQuestion(const std::string& text) override {
        questions.push_back(text);
        if (reply) reply();
    }
    void CloseWindow() override { ++closes; }
    void Changed() override {}
    bool Speak(const std::string& words) override {
        spoken.push_back(words);
        return voice;
    }
    void StopSpeaking() override { ++stops; }

    std::vector<std::string> messages, errors, questions;
    std::function<void()> reply;  // answers a question at once, if set
    std::vector<std::string> spoken;
    bool voice = true;
    int stops = 0;
    int closes = 0;
    int dialogs = 0;
    std::function<void()> answer;
};

struct Trainer {
    Recorder host;
    TrainerModel model{host};
    Trainer() {
        model.WindowPainted(Control::Elsewhere, true, false);
        model.Start();
        model.TakeFocusMove();
    }
    const TrainerState& state() const { return model.State(); }
    std::string Field(Control c) const { return state().Field(c); }
};

Keystroke Key(char c) { return {Keystroke::Character, c}; }
const Keystroke kEnter{Keystroke::Enter};

// Without checking the result fields take no part in the flow; with it the
// flow goes on through them and ends with the check.
TEST(TypingFlow, WhereEnterAndSlashGo) {
    struct Case {
        Control field;
        Keystroke key;
        bool checking;
        std::optional<Control> next;
    };
    const Case cases[] = {
        {Control::ExerciseNumber, kEnter, false, Control::FirstWhole},   {Control::FirstWhole, kEnter, false, Control::FirstNumerator},
        {Control::FirstNumerator, Key('/'), false, Control::FirstDenominator}, {Control::FirstNumerator, kEnter, false, Control::FirstDenominator},
        {Control::SecondWhole, kEnter, false, Control::SecondNumerator},   {Control::SecondNumerator, Key('/'), false, Control::SecondDenominator},
        {Control::SecondDenominator, kEnter, false, Control::Equals}, {Control::FirstWhole, Key('/'), false, std::nullopt},
        {Control::FirstDenominator, Key('/'), false, std::nullopt}, {Control::ResultNumerator, kEnter, false, std::nullopt},
        {Control::ResultWhole, kEnter, false, std::nullopt},    {Control::SecondDenominator, kEnter, true, Control::ResultWhole},
        {Control::ResultWhole, kEnter, true, Control::ResultNumerator},      {Control::ResultNumerator, Key('/'), true, Control::ResultDenominator},
        {Control::ResultWhole, Key('/'), true, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<FieldKeyEffect> effect = FieldKey(c.field, c.key, c.checking);
        EXPECT_EQ(effect ? effect->next : std::nullopt, c.next) << int(c.field) << c.checking;
    }
    EXPECT_TRUE(FieldKey(Control::FirstDenominator, kEnter)->askOperator);
    EXPECT_TRUE(FieldKey(Control::SecondDenominator, kEnter)->remind);
    EXPECT_FALSE(FieldKey(Control::SecondDenominator, kEnter, true)->remind);
    EXPECT_TRUE(FieldKey(Control::ResultDenominator, kEnter, true)->check);
}

TEST(TypingFlow, OperatorDialogFromMixedThenAKeyConfirms) {
    Trainer t;
    t.model.SelectRow(Group::Operation, kMixedOperationRow);
    t.host.answer = [&] {
        EXPECT_EQ(t.state().dialogRow, 3);                       // "mischen" became "Division" ...
        EXPECT_EQ(t.state().Row(Group::Operation), 3);           // ... in the window too
        EXPECT_TRUE(t.model.OperatorDialogKey('*'));
    };
    EXPECT_TRUE(t.model.KeyPress(Control::FirstDenominator, kEnter));
    EXPECT_EQ(t.host.dialogs, 1);
    EXPECT_FALSE(t.state().dialogOpen);
    EXPECT_EQ(t.state().op, '*');
    EXPECT_EQ(t.model.TakeFocusMove(), Control::SecondWhole);
    EXPECT_FALSE(t.model.OperatorDialogKey('x'));
}

TEST(TypingFlow, ReminderThenEquals) {
    Trainer t;
    EXPECT_TRUE(t.model.KeyPress(Control::SecondDenominator, kEnter));
    EXPECT_EQ(t.host.messages, std::vector<std::string>{"Jetzt rechnen!\rDann Klick auf \"=\"!\rDann vergleichen!"});
    EXPECT_EQ(t.model.TakeFocusMove(), Control::Equals);
    EXPECT_EQ(t.Field(Control::ResultNumerator), "");  // nothing evaluated
}

// The key n is swallowed everywhere on the exercise screen; when posing fails
// nothing is evaluated after it.
TEST(KeyN, PosesAndSolvesOrFailsWithoutSolving) {
    Trainer t;
    EXPECT_TRUE(t.model.KeyPress(Control::SecondNumerator, Key('n')));
    EXPECT_EQ(t.Field(Control::ExerciseNumber), "1 a");
    EXPECT_NE(t.Field(Control::ResultDenominator), "");
    const std::uint64_t revision = t.state().document.Revision();
    t.model.EditField(Control::ExerciseNumber, "99999999999");
    EXPECT_TRUE(t.model.KeyPress(Control::FirstNumerator, Key('n')));
    EXPECT_EQ(t.host.errors.size(), 1u);
    EXPECT_EQ(t.state().document.Revision(), revision);
    EXPECT_FALSE(t.model.KeyPress(Control::FirstNumerator, Key('N')));
}

// The window passes the operator it shows to the next draw, and counts along.
TEST(KeyN, MixedModeDrawsTheOperatorsFromStart) {
    Trainer t;
    t.model.SelectRow(Group::Operation, kMixedOperationRow);
    std::string drawn;
    for (int i = 0; i < 4; ++i) {
        t.model.PoseExercise();
        drawn += t.state().op;
    }
    EXPECT_EQ(drawn, "*+-:");
    EXPECT_EQ(t.Field(Control::ExerciseNumber), "1 d");
}

TEST(WindowPainted, TheCursorGoesIntoTheExerciseOnlyFromNowhere) {
    Trainer t;
    struct Case {
        Control focus;
        bool active, modal, moves;
    };
    const Case cases[] = {{Control::Elsewhere, true, false, true},  {Control::SecondNumerator, true, false, false},
                          {Control::View, true, false, false},      {Control::ExerciseControl, true, false, false},
                          {Control::Elsewhere, false, false, false}, {Control::Elsewhere, true, true, false}};
    for (const Case& c : cases) {
        t.model.WindowPainted(c.focus, c.active, c.modal);
        EXPECT_EQ(t.model.TakeFocusMove().has_value(), c.moves) << int(c.focus) << c.active << c.modal;
    }
}

TEST(Tips, ShownByTheFirstOperandHiddenByPosingAndEquals) {
    Trainer t;
    t.model.EditField(Control::FirstWhole, "2");
    EXPECT_TRUE(t.state().tipShown && t.state().wholePartTip);
    EXPECT_TRUE(t.state().wholePartWhite[0]);
    t.model.ClickField(Control::FirstNumerator);
    EXPECT_FALSE(t.state().wholePartTip);
    t.model.PoseExercise();
    EXPECT_FALSE(t.state().tipShown);
    t.model.EditField(Control::SecondWhole, "3");
    EXPECT_FALSE(t.state().tipShown);
    EXPECT_TRUE(t.state().wholePartWhite[1]);
}

TEST(Screens, StartEmptiesTheViewAndBackKeepsTheDocument) {
    Trainer t;
    EXPECT_TRUE(t.state().exerciseScreen && t.state().pageBlank);
    EXPECT_TRUE(t.state().document.HoldsInstructions());
    EXPECT_TRUE(t.model.KeyPress(Control::FirstWhole, {Keystroke::Escape}));
    EXPECT_FALSE(t.state().exerciseScreen);
    EXPECT_TRUE(t.model.KeyPress(Control::Elsewhere, kEnter));
    EXPECT_TRUE(t.state().exerciseScreen);
    EXPECT_EQ(t.state().blankings, 2);
}

struct CheckingTrainer : Trainer {
    CheckingTrainer() {
        model.SetChecking(true);
        for (auto [field, text] : {std::pair{Control::FirstWhole, ""}, {Control::FirstNumerator, "1"}, {Control::FirstDenominator, "2"},
                                   {Control::SecondWhole, ""}, {Control::SecondNumerator, "1"}, {Control::SecondDenominator, "3"}}) {
            model.EditField(field, text);
        }
    }
    // Types a result and presses Enter in its denominator.
    void Answer(const char* whole, const char* numerator, const char* denominator) {
        model.EditField(Control::ResultWhole, whole);
        model.EditField(Control::ResultNumerator, numerator);
        model.EditField(Control::ResultDenominator, denominator);
        EXPECT_TRUE(model.KeyPress(Control::ResultDenominator, kEnter));
    }
    std::string Page() const { return state().document.Text(); }
};

TEST(Checking, VerdictsAreShownCountedOnceAndKeepTheTypedResult) {
    CheckingTrainer t;
    t.Answer("", "2", "5");
    EXPECT_EQ(t.state().resultVerdict, Verdict::Wrong);
    EXPECT_NE(t.Page().find("Typischer Fehler: <b>Z\xE4hler plus Z\xE4hler, Nenner plus Nenner.</b>"), std::string::npos);
    EXPECT_EQ(t.Page().find("*) Z\xE4hler addieren, Nenner beibehalten"), std::string::npos);  // a second try first
    EXPECT_EQ(t.Field(Control::ResultNumerator), "2");
    EXPECT_EQ(t.model.TakeFocusMove(), Control::ResultWhole);

    t.Answer("", "5", "6");
    EXPECT_EQ(t.state().resultVerdict, Verdict::Right);
    EXPECT_NE(t.Page().find("Richtig!</span><br>"), std::string::npos);
    t.model.Solve();  // the same result again counts nothing
    t.Answer("", "10", "12");
    EXPECT_EQ(t.state().resultVerdict, Verdict::NotReduced);
    EXPECT_NE(t.Page().find("</span> K\xFCrze noch.<br>"), std::string::npos);
    EXPECT_EQ(t.state().tally, (Tally{3, 1, 1, 1, 1, 0, 0}));
    t.model.EditField(Control::ResultDenominator, "1");
    EXPECT_FALSE(t.state().resultVerdict);  // the colour goes with the change

    t.model.ClearDocument();  // "Löschen" keeps the tally
    t.model.ShowEvaluation();
    for (const char* part : {"Gepr\xFC" "ft: 3", "eigene Aufgabe: 1/2 + 1/3<br>", "   falsch (Z\xE4hler plus Z\xE4hler, Nenner plus Nenner)",
                             "Typische Fehler:<br>", "Nenner plus Nenner: 1-mal"}) {
        EXPECT_NE(t.Page().find(part), std::string::npos) << part;
    }
}

TEST(Checking, NoResultOrAnUnreadableOneChecksNothing) {
    CheckingTrainer t;
    const std::uint64_t revision = t.state().document.Revision();
    t.Answer(" ", "", "");
    t.Answer("", "3", "");
    t.Answer("", "3", "0");
    t.Answer("-", "-2147483648", "3");  // overflows as it is read
    t.Answer("1", "-2147483648", "3");  // reads, but could not be drawn
    EXPECT_EQ(t.host.messages.size(), 5u);
    EXPECT_EQ(t.host.messages[0], "Schreib zuerst Dein Ergebnis in die Felder hinter dem \"=\". Dann pr\xFC" "fe ich es.");
    EXPECT_EQ(t.host.messages.back(), "Dein Ergebnis ist nicht korrekt");
    EXPECT_TRUE(t.host.errors.empty());
    EXPECT_EQ(t.state().document.Revision(), revision);
    EXPECT_EQ(t.state().tally, Tally{});
    t.Answer("", "3", "-4");  // a sign in the denominator still reads
    EXPECT_EQ(t.state().tally.wrong, 1);
    t.model.EditField(Control::SecondNumerator, "0");  // 1/2 + 0/3 is fine, 1/2 : 0/3 fails and counts nothing
    t.model.SelectRow(Group::Operation, 3);
    t.Answer("", "1", "2");
    EXPECT_EQ(t.host.errors, std::vector<std::string>{"Division durch Null."});
    EXPECT_EQ(t.state().tally.checked, 1);
}

// What "=" wrote into the result is not the pupil's to have checked.
TEST(Checking, TurningItOnEmptiesTheResult) {
    Trainer t;
    t.model.KeyPress(Control::FirstWhole, Key('n'));
    EXPECT_NE(t.Field(Control::ResultDenominator), "");
    t.model.SetChecking(true);
    EXPECT_EQ(t.Field(Control::ResultDenominator), "");
    t.model.Solve();
    EXPECT_EQ(t.state().tally, Tally{});
}

// Key n poses without solving and waits in the result.
TEST(Checking, KeyNOnlyPoses) {
    CheckingTrainer t;
    t.model.TakeFocusMove();
    const std::uint64_t revision = t.state().document.Revision();
    EXPECT_TRUE(t.model.KeyPress(Control::FirstNumerator, Key('n')));
    EXPECT_EQ(t.Field(Control::ExerciseNumber), "1 a");
    EXPECT_EQ(t.Field(Control::ResultNumerator), "");
    EXPECT_EQ(t.state().document.Revision(), revision);
    EXPECT_EQ(t.model.TakeFocusMove(), Control::ResultWhole);
}


// The pupil's collection survives the instructions and whatever is typed.
TEST(Collection, InstructionsMakeWayForWorkAndTakeNothingWithThem) {
    Trainer t;
    t.model.SelectRow(Group::PrintMode, 1);
    t.model.KeyPress(Control::FirstWhole, Key('n'));
    const std::string first = t.state().document.Text();
    t.model.EditField(Control::ExerciseNumber, "Anleitung S. 12");
    t.model.Solve();
    // "Zurück", "Erklärungen", "Start", key n
    t.model.BackToSettings();
    t.model.ShowInstructions();
    t.model.Start();
    t.model.KeyPress(Control::FirstWhole, Key('n'));
    const std::string& body = t.state().document.Text();
    EXPECT_EQ(body.rfind(first, 0), 0u) << "the first solution stays at the start";
    EXPECT_NE(body.find("Aufgabe Anleitung S. 12)"), std::string::npos);
    EXPECT_EQ(body.find("Lege Papier"), std::string::npos) << "the instructions are gone";
    EXPECT_EQ(t.state().collected, 3);
}

// Every block the model shows has its own spoken form: solution, help page,
// verdict and evaluation, collected.
TEST(Collection, EveryBlockShownHasItsSpokenForm) {
    CheckingTrainer t;
    t.model.SelectRow(Group::PrintMode, 1);
    t.model.EditField(Control::FirstNumerator, "3");
    t.model.EditField(Control::FirstDenominator, "4");
    t.model.EditField(Control::SecondDenominator, "6");
    t.Answer("", "1", "2");
    t.Answer("", "1", "3");  // the second wrong try shows the worked solution
    t.model.ShowGcdAndLcm();
    t.model.ShowEvaluation();
    const DocumentBody& document = t.state().document;
    EXPECT_EQ(document.Spoken().size(), CountPreBlocks(document.Text()));
    EXPECT_EQ(std::count(document.Spoken().begin(), document.Spoken().end(), ""), 0);
    EXPECT_EQ(document.Spoken().at(2), "drei Viertel plus ein Sechstel");  // below the second verdict's block
}

// Each way of dropping a collection asks first; "Nein" keeps everything and
// an empty collection asks nothing.
TEST(Collection, DroppingItAsksFirst) {
    struct Case {
        std::function<void(TrainerModel&)> act;
        bool yes;
        bool dropped;
    };
    auto clear = [](TrainerModel& m) { m.ClearDocument(); };
    auto single = [](TrainerModel& m) { m.SelectRow(Group::PrintMode, 0); };
    auto close = [](TrainerModel& m) { m.Close(); };
    const Case cases[] = {{clear, false, false}, {clear, true, true}, {single, false, false},
                          {single, true, true},  {close, false, false}, {close, true, true}};
    for (const Case& c : cases) {
        Trainer t;
        t.model.SelectRow(Group::PrintMode, 1);
        t.model.ClearDocument();
        EXPECT_TRUE(t.host.questions.empty()) << "nothing collected yet";
        t.model.KeyPress(Control::FirstWhole, Key('n'));
        const std::string collected = t.state().document.Text();
        EXPECT_FALSE(t.model.MayClose());
        t.host.reply = [&] {
            EXPECT_TRUE(t.state().questionOpen);
            t.model.AnswerQuestion(c.yes);
        };
        c.act(t.model);
        EXPECT_EQ(t.host.questions.size(), 1u);
        EXPECT_FALSE(t.state().questionOpen);
        const bool closed = t.host.closes > 0;
        const bool emptied = t.state().document.Text().find("Aufgabe 1 a)") == std::string::npos;
        EXPECT_EQ(closed || emptied, c.dropped) << t.host.questions[0];
        EXPECT_EQ(t.model.MayClose(), c.dropped);
        if (!c.dropped) {
            EXPECT_EQ(t.state().document.Text(), collected);
            EXPECT_EQ(t.state().Row(Group::PrintMode), 1);
        }
    }
}

// A question answered later (as a web page answers) is the one asked: what
// else is clicked meanwhile asks nothing and does nothing.
TEST(Collection, AQuestionWaitsForItsOwnAnswer) {
    Trainer t;
    t.model.SelectRow(Group::PrintMode, 1);
    t.model.KeyPress(Control::FirstWhole, Key('n'));
    t.model.ClearDocument();
    t.model.SelectRow(Group::PrintMode, 0);
    t.model.Close();
    EXPECT_EQ(t.host.questions.size(), 1u);
    EXPECT_EQ(t.state().Row(Group::PrintMode), 1);
    t.model.AnswerQuestion(true);
    EXPECT_EQ(t.state().collected, 0);
    EXPECT_EQ(t.state().Row(Group::PrintMode), 1) << "\"Ja\" to clearing switches nothing";
    EXPECT_EQ(t.host.closes, 0);
    EXPECT_FALSE(t.state().questionOpen);
}

// A failed "=" shows no result of another exercise; a verdict ends with any
// change of the exercise.
TEST(Equals, AFailureLeavesTheResultEmptyAndAnEditEndsTheVerdict) {
    Trainer t;
    t.model.KeyPress(Control::FirstWhole, Key('n'));
    ASSERT_NE(t.Field(Control::ResultDenominator), "");
    for (auto [field, text] : {std::pair{Control::FirstDenominator, "0"}, {Control::FirstNumerator, "x"}, {Control::FirstNumerator, "2147483647"}}) {
        t.model.PoseExercise();
        t.model.Solve();
        t.model.EditField(Control::FirstDenominator, "1");
        t.model.EditField(Control::SecondNumerator, "1");
        t.model.EditField(Control::SecondDenominator, "2147483647");
        t.model.EditField(field, text);
        t.model.Solve();
        EXPECT_EQ(t.Field(Control::ResultWhole) + t.Field(Control::ResultNumerator) + t.Field(Control::ResultDenominator), "") << text;
        EXPECT_EQ(t.state().labels.result, "Summe") << "the labels stay";
    }
    EXPECT_EQ(t.host.errors.size(), 2u);  // "Division durch Null", "Arithmetischer Überlauf"

    CheckingTrainer c;
    c.Answer("", "5", "6");
    ASSERT_EQ(c.state().resultVerdict, Verdict::Right);
    c.model.EditField(Control::SecondDenominator, "7");
    EXPECT_FALSE(c.state().resultVerdict);
    EXPECT_EQ(c.state().verdictWords, "");
    EXPECT_EQ(c.Field(Control::ResultNumerator), "5") << "the pupil's result stays";
}

// A result is drawn as it was read, or not taken at all.
TEST(Checking, MixedSignsAreRefusedAndOperandsDrawnWithTheirSign) {
    CheckingTrainer t;
    t.Answer("2", "-3", "4");
    t.Answer("1", "1", "-6");
    EXPECT_EQ(t.host.messages, std::vector<std::string>(2, "Dein Ergebnis ist nicht korrekt"));
    t.model.EditField(Control::FirstWhole, "2");
    t.model.EditField(Control::FirstNumerator, "-1");
    t.model.EditField(Control::FirstDenominator, "4");  // 2 - 1/4 + 1/3
    t.Answer("2", "1", "12");
    EXPECT_EQ(t.state().resultVerdict, Verdict::Right);
    const std::string& page = t.Page();
    const std::size_t drawn = page.find("-1   1    1");
    EXPECT_LT(drawn, page.find("Richtig!")) << "the operand keeps its minus above the verdict";
    t.model.ShowEvaluation();
    EXPECT_NE(t.Page().find("eigene Aufgabe: 2 -1/4 + 1/3<br>"), std::string::npos);
}

// An exercise posed by its number keeps it until the pupil makes it another.
TEST(Checking, TheEvaluationNamesPosedExercisesByTheirNumber) {
    CheckingTrainer t;
    t.model.KeyPress(Control::FirstWhole, Key('n'));  // 1 a: 1/4 + 18/42
    t.Answer("", "19", "28");
    t.model.SelectRow(Group::Operation, 1);
    t.Answer("", "1", "1");
    t.model.ShowEvaluation();
    EXPECT_NE(t.Page().find("Aufgabe 1 a) [n e]<br>"), std::string::npos);
    EXPECT_NE(t.Page().find("eigene Aufgabe: 1/4 - 18/42<br>"), std::string::npos);
}

// Rows and controls the model does not know are refused before anything changes.
TEST(Model, RefusesWhatItDoesNotKnow) {
    Trainer t;
    const TrainerState before = t.state();
    EXPECT_THROW(t.model.SelectRow(Group::Difficulty, 99), std::out_of_range);
    EXPECT_THROW(t.model.SelectRow(Group::PrintMode, -1), std::out_of_range);
    EXPECT_THROW(t.model.SelectRow(Group(7), 0), std::out_of_range);
    EXPECT_THROW(t.model.EditField(Control::Equals, "1"), std::out_of_range);
    EXPECT_THROW(t.model.ClickField(Control(99)), std::out_of_range);
    EXPECT_THROW(t.model.ChooseOperatorRow(4), std::out_of_range);
    EXPECT_EQ(t.state().rows, before.rows);
    EXPECT_EQ(t.state().fields, before.fields);
    t.model.SelectRow(Group::Operation, RowCount(Group::Operation) - 1);  // the last row is known
    EXPECT_TRUE(t.host.errors.empty());
}

// "Vorlesen" reads the newest piece of work in words; a second press or Esc
// stops it, and Esc then leaves the screen alone. Without a voice the pupil
// hears of it once.
TEST(ReadingAloud, ReadsTheNewestWorkStopsAndTellsOnceOfNoVoice) {
    CheckingTrainer t;
    t.model.SelectRow(Group::PrintMode, 1);
    t.model.SetChecking(false);
    t.model.Solve();  // 1/2 + 1/3
    t.model.EditField(Control::FirstNumerator, "3");
    t.model.EditField(Control::FirstDenominator, "4");
    t.model.EditField(Control::SecondDenominator, "6");
    t.model.Solve();
    t.model.ReadAloud();
    ASSERT_EQ(t.host.spoken.size(), 1u);
    const std::string words = t.host.spoken[0];
    EXPECT_NE(words.find("Drei Viertel plus ein Sechstel."), std::string::npos) << words;
    EXPECT_NE(words.find("elf Zw\xF6lftel"), std::string::npos) << words;
    EXPECT_EQ(words.find("Drittel"), std::string::npos) << "the first exercise is not read again";
    EXPECT_TRUE(t.state().speaking);
    t.model.ReadAloud();
    EXPECT_EQ(t.host.stops, 1);
    EXPECT_FALSE(t.state().speaking);

    t.model.ReadAloud();
    EXPECT_TRUE(t.model.KeyPress(Control::FirstWhole, {Keystroke::Escape}));
    EXPECT_EQ(t.host.stops, 2);
    EXPECT_TRUE(t.state().exerciseScreen);
    t.model.ReadAloud();
    t.model.SpeechEnded();
    EXPECT_FALSE(t.state().speaking);

    t.host.voice = false;
    t.model.ReadAloud();
    t.model.ReadAloud();
    EXPECT_EQ(t.host.messages.size(), 1u);
    EXPECT_FALSE(t.state().speaking);
}

// 1/2 + 1/3, a wrong 2/5, help, the right result.
TEST(Hints, SecondTryThenTheLadderThenCountedWithHint) {
    CheckingTrainer t;
    t.Answer("", "2", "5");
    EXPECT_NE(t.Page().find("Typischer Fehler"), std::string::npos);
    EXPECT_EQ(t.Page().find("Z\xE4hler addieren, Nenner beibehalten"), std::string::npos);  // no solution yet
    EXPECT_EQ(t.state().wrongTries, 1);
    t.model.NextHint(0);
    EXPECT_EQ(t.state().hintWords, "Bei der Addition brauchen beide Br\xFC" "che denselben Nenner.");
    t.model.NextHint(10000);
    EXPECT_EQ(t.state().stepQuestion, "Welcher Hauptnenner?");
    EXPECT_LT(t.Page().find("Welcher Hauptnenner?"), t.Page().find("Dein Ergebnis"));  // the hint above the verdict
    t.model.AnswerStepQuestion("5");
    t.model.AnswerStepQuestion("drei");
    EXPECT_EQ(t.state().stepQuestion, "Welcher Hauptnenner?");
    t.model.AnswerStepQuestion("6");
    EXPECT_EQ(t.state().stepQuestion, "Mit welcher Zahl erweiterst Du 1/2?");
    EXPECT_NE(t.Page().find("kgV(2,3)=6"), std::string::npos);  // the step shown done
    t.Answer("", "5", "6");
    EXPECT_EQ(t.state().tally, (Tally{2, 1, 0, 1, 0, 1, 0}));
    EXPECT_NE(t.Page().find("Z\xE4hler addieren, Nenner beibehalten"), std::string::npos);
    EXPECT_FALSE(t.state().document.HoldsHint());
    EXPECT_FALSE(t.state().moreHints);
    t.model.ShowEvaluation();
    for (const char* part : {"Mit Tipp: 1<br>", "Tipps bis Stufe 2 von 4<br>", "Falsch beantwortet: Welcher Hauptnenner? (5)<br>"}) {
        EXPECT_NE(t.Page().find(part), std::string::npos) << part;
    }
}

// Rung 3 works the step the pupil is at; rung 4 shows the solution and
// counts it seen; the page asks once to read a hint first.
TEST(Hints, TheLadderEndsOnTheWorkedSolutionCountedAsSeen) {
    CheckingTrainer t;
    t.model.NextHint(0);
    t.model.NextHint(500);
    EXPECT_EQ(t.state().hintWords.rfind("Lies den Tipp in Ruhe", 0), 0u) << t.state().hintWords;
    t.model.NextHint(900);
    EXPECT_EQ(t.state().hintRung, 3);
    EXPECT_EQ(t.state().stepQuestion, "Mit welcher Zahl erweiterst Du 1/2?");
    // The step worked, in words, and the next one asked; the hurry said once.
    EXPECT_EQ(t.state().hintWords, "So geht es: Br\xFC" "che erweitern auf den Hauptnenner sechs, das kleinste "
                                   "gemeinsame Vielfache von zwei und drei. Weiter: Mit welcher Zahl erweiterst Du 1/2?");
    t.model.LeaveStepQuestion();
    EXPECT_EQ(t.state().stepQuestion, "");
    t.model.NextHint(5000);
    EXPECT_NE(t.Page().find("Z\xE4hler addieren, Nenner beibehalten"), std::string::npos);
    t.Answer("", "5", "6");
    EXPECT_EQ(t.state().tally, (Tally{1, 1, 0, 0, 0, 0, 1}));
    t.model.EditField(Control::SecondDenominator, "5");  // another exercise: the help starts over
    EXPECT_TRUE(t.state().moreHints);
    t.Answer("", "1", "2");
    t.Answer("", "1", "3");  // the second wrong try shows the solution
    EXPECT_EQ(t.state().tally.solutionSeen, 2);

    CheckingTrainer collecting;  // a collection holds the solution of rung 4 once
    collecting.model.SelectRow(Group::PrintMode, 1);
    for (std::int64_t at : {0, 3000, 6000, 9000}) collecting.model.NextHint(at);
    collecting.Answer("", "5", "6");
    const std::string page = collecting.Page(), step = "Z\xE4hler addieren";
    EXPECT_EQ(page.find(step), page.rfind(step));
    EXPECT_NE(page.find("Richtig!"), std::string::npos);
}

// Help does not outlive its exercise, is not saved, and is not there
// without checking.
TEST(Hints, BelongToTheirExerciseAndAreNotSaved) {
    CheckingTrainer t;
    t.Answer("", "2", "5");
    const std::string saved = t.model.DocumentFile();
    t.model.NextHint(0);
    t.model.NextHint(3000);
    EXPECT_TRUE(t.state().document.HoldsHint());
    EXPECT_EQ(t.model.DocumentFile(), saved);
    t.model.ClickField(Control::FirstNumerator);  // a click changes no operand
    t.model.EditField(Control::ExerciseNumber, "7 b");
    EXPECT_EQ(t.state().stepQuestion, "Welcher Hauptnenner?");
    t.model.EditField(Control::FirstNumerator, "2");
    EXPECT_FALSE(t.state().document.HoldsHint());
    t.model.AnswerStepQuestion("6");  // asked for the exercise before: ignored
    EXPECT_FALSE(t.state().document.HoldsHint());
    t.model.EditField(Control::FirstNumerator, "2147483647");
    t.model.EditField(Control::SecondNumerator, "2147483647");
    t.model.NextHint(6000);
    EXPECT_EQ(t.state().hintRung, 0);
    EXPECT_EQ(t.host.errors, std::vector<std::string>(1, "Arithmetischer \xDC" "berlauf."));
    EXPECT_EQ(t.state().tally.solutionSeen, 0);
    t.model.SetChecking(false);
    const std::uint64_t revision = t.state().document.Revision();
    t.model.NextHint(9000);
    EXPECT_EQ(t.state().document.Revision(), revision);
}

// ---- "Üben, bis es sitzt" ----

struct PracticeTrainer : CheckingTrainer {
    PracticeTrainer() { model.SetPracticing(true); }
    void Next() { model.KeyPress(Control::FirstWhole, Key('n')); }
    MixedNumber Operand(Control whole) const {
        const auto number = [&](Control c) { return Field(c).empty() ? 0 : std::stoi(Field(c)); };
        return {number(whole), number(Control(int(whole) + 1)), number(Control(int(whole) + 2))};
    }
    // The right result, reduced, as the pupil writes it.
    void AnswerRight() {
        const Rational r = *Combine(state().op, ValueOf(Operand(Control::FirstWhole)), ValueOf(Operand(Control::SecondWhole)));
        const MixedNumber m = MixedNumber::Of(Int(r.numerator), Int(r.denominator));
        Answer(m.whole == 0 ? "" : std::to_string(m.whole).c_str(), std::to_string(m.numerator).c_str(),
               std::to_string(m.denominator).c_str());
    }
};

// 2/5 for 1/2 + 1/3 is "Zähler plus Zähler": the next exercise is an
// addition with unlike denominators where that strategy gives a wrong value.
TEST(Practice, AWrongTwoFifthsForAHalfPlusAThirdBringsAContrastItem) {
    PracticeTrainer t;
    EXPECT_TRUE(t.state().checking);
    t.Answer("", "2", "5");
    std::vector<std::string> names;  // the steps: common denominator, expanding, adding over it
    for (const PracticeSkillLine& skill : t.state().practiceSkills) names.push_back(skill.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Hauptnenner", "Erweitern", "Gleichnamige Br\xFC" "che addieren und subtrahieren"}));
    EXPECT_EQ(t.state().practiceSkills[0].words, "Hauptnenner: noch offen (1 Aufgabe)");
    EXPECT_NE(t.state().practiceWords.find("Hauptnenner: noch offen"), std::string::npos);
    const WrongStrategy* across = nullptr;
    for (const WrongStrategy* s : CatalogueStrategies()) {
        if (s->name == "Z\xE4hler plus Z\xE4hler, Nenner plus Nenner") across = s;
    }
    for (int i = 0; i < 3; ++i) {
        t.Next();
        const MixedNumber first = t.Operand(Control::FirstWhole), second = t.Operand(Control::SecondWhole);
        EXPECT_EQ(t.state().op, '+');
        EXPECT_NE(first.denominator, second.denominator);
        const Designation shown = ParseExerciseNumber(t.Field(Control::ExerciseNumber));
        EXPECT_EQ(DesignationText(shown), t.Field(Control::ExerciseNumber));
        const std::vector<WrongResult> wrong = WrongResults('+', first, second);
        const auto contrast = std::find_if(wrong.begin(), wrong.end(), [&](const WrongResult& w) { return w.strategy == across; });
        ASSERT_NE(contrast, wrong.end()) << t.Field(Control::ExerciseNumber);
        const Rational value = contrast->value;  // the pupil keeps the strategy
        t.Answer("", std::to_string(value.numerator).c_str(), std::to_string(value.denominator).c_str());
        EXPECT_EQ(t.state().practiceDone, i + 2);
    }
    EXPECT_EQ(t.state().practiceSkills[0].tries, 4);
}

// Right answers make skills sit; "Fertig" brings the mixed review, then the
// page with every designation and the sheet; the same answers pose the same.
TEST(Practice, FinishingBringsTheReviewThenThePageAndTheSameAnswersTheSameExercises) {
    auto session = [](std::vector<std::string>& numbers) {
        auto t = std::make_unique<PracticeTrainer>();
        t->model.SelectRow(Group::Kind, 2);
        for (int i = 0; i < 4; ++i) {
            t->Next();
            numbers.push_back(t->Field(Control::ExerciseNumber));
            t->AnswerRight();
        }
        t->model.FinishPractice();
        EXPECT_NE(t->state().practiceWords.find("3 gemischte Aufgaben"), std::string::npos);
        for (int i = 0; i < 3; ++i) {
            t->Next();
            numbers.push_back(t->Field(Control::ExerciseNumber));
            t->AnswerRight();
        }
        return t;
    };
    std::vector<std::string> numbers, again;
    auto t = session(numbers);
    session(again);
    EXPECT_EQ(numbers, again);
    const auto& skills = t->state().practiceSkills;
    EXPECT_TRUE(std::any_of(skills.begin(), skills.end(), [](const PracticeSkillLine& s) { return s.sitzt; }));
    t->Next();  // the session is over
    EXPECT_EQ(t->state().practiceDone, 0);
    EXPECT_EQ(t->state().Row(Group::Kind), 2);
    const std::string page = t->Page();
    for (const std::string& part : {std::string("Mein \xDC" "bungsweg"), std::string("Wiederholungsblatt"), std::string(" (3 Aufgaben)"),
                                    std::string("Kein typischer Fehler gefunden.")}) {
        EXPECT_NE(page.find(part), std::string::npos) << part;
    }
    for (const std::string& number : numbers) EXPECT_NE(page.find("Aufgabe " + number + ")"), std::string::npos) << number;
    const std::size_t sheet = page.find("Wiederholungsblatt");
    std::size_t titles = 0;
    for (std::size_t at = page.find("Aufgabe ", sheet); at != std::string::npos; at = page.find("Aufgabe ", at + 1)) ++titles;
    EXPECT_EQ(titles, 6u);
    const DocumentBody& document = t->state().document;
    EXPECT_EQ(document.Spoken().size(), CountPreBlocks(document.Text()));
    EXPECT_EQ(std::count(document.Spoken().begin(), document.Spoken().end(), ""), 0);
}

// A pupil who never gets it right meets an easier exercise by the eleventh,
// with its worked solution shown first; the level the pupil chose comes back
// with the session's end.
TEST(Practice, AnOpenSkillAfterTenExercisesGetsAnEasierOneWorkedFirst) {
    PracticeTrainer t;
    t.model.SelectRow(Group::Difficulty, 1);
    int easier = 0;
    for (int i = 1; i <= 11; ++i) {
        t.Next();
        if (t.state().Row(Group::Difficulty) == 0 && easier == 0) {
            easier = i;
            EXPECT_NE(t.Page().find("Schau Dir zuerst den Rechenweg an."), std::string::npos);
            EXPECT_NE(t.Page().find("Aufgabe " + t.Field(Control::ExerciseNumber) + ") [n e]"), std::string::npos);
        }
        t.Answer("", "1", "1000");  // wrong, and no typical error
    }
    EXPECT_GT(easier, 0);
    t.model.SetPracticing(false);  // the session ends: the chosen level is back
    EXPECT_EQ(t.state().Row(Group::Difficulty), 1);
    EXPECT_TRUE(t.state().practiceSkills.empty());
}

}  // namespace
}  // namespace quorvel
