// The core: posing and solving exercises, per operation, checking a pupil's
// result against the catalogue of wrong strategies, the words of a page
// read aloud, and the steps a hint asks for.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "entry/checking.h"
#include "fraction/cp1252.h"
#include "entry/evaluation.h"
#include "exercise/generator.h"
#include "exercise/settings.h"
#include "model/trainer.h"
#include "tutoring/steps.h"
#include "practice/choice.h"

namespace {

using namespace quorvel;

void PoseAndSolve(benchmark::State& state) {
    const int operation = int(state.range(0));
    const int difficulty = 3;  // "Rechengenie": the largest numbers
    const int kind = 2;        // mixed numbers: every step of the walkthroughs
    ExerciseGenerator generator;
    std::string number = "Bsp.";
    char shown = OperatorOfRow(operation);
    for (auto _ : state) {
        PosedExercise posed = generator.Pose({number, difficulty, kind, operation, shown, true});
        number = posed.exerciseNumber;
        shown = posed.op;
        OperandFields first{posed.firstWhole, posed.firstNumerator, posed.firstDenominator};
        OperandFields second{posed.secondWhole, posed.secondNumerator, posed.secondDenominator};
        Walkthrough solution;
        solution.context = {number, DifficultyItems()[difficulty], KindItems()[kind], std::string(1, shown)};
        Evaluation evaluation = EvaluateExercise(first, second, kind, solution);
        std::string text = solution.lines.Join();
        benchmark::DoNotOptimize(evaluation);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(OperationItems()[std::size_t(operation)]);
}

BENCHMARK(PoseAndSolve)->DenseRange(0, 4);

// A wrong result of mixed numbers, which every strategy is tried on.
void CheckWrongResult(benchmark::State& state) {
    const char op = OperatorOfRow(int(state.range(0)));
    const MixedNumber first{2, 5, 6}, second{1, 3, 4}, pupil{3, 8, 10};
    for (auto _ : state) benchmark::DoNotOptimize(CheckResult(op, first, second, pupil));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(OperationItems()[std::size_t(state.range(0))]);
}

BENCHMARK(CheckWrongResult)->DenseRange(0, 3);

// "Vorlesen": the words of the page, in collect mode of its newest piece of
// work after range(0) collected solutions.
void ReadAloudWords(benchmark::State& state) {
    SilentHost host;
    TrainerModel model(host);
    model.WindowPainted(Control::Elsewhere, true, false);
    model.Start();
    model.SelectRow(Group::Difficulty, 3);
    model.SelectRow(Group::Kind, 2);
    if (state.range(0) > 0) model.SelectRow(Group::PrintMode, 1);
    for (int i = 0; i < std::max<int>(1, int(state.range(0))); ++i) model.KeyPress(Control::FirstWhole, {Keystroke::Character, 'n'});
    for (auto _ : state) benchmark::DoNotOptimize(model.PageWords());
    state.SetLabel(state.range(0) > 0 ? "collect mode" : "single mode");
}

BENCHMARK(ReadAloudWords)->Arg(0)->Arg(1000);

// "Tipp": the steps of an exercise of mixed numbers, each with its drawing.
void HintSteps(benchmark::State& state) {
    const char op = OperatorOfRow(int(state.range(0)));
    const MixedNumber first{2, 5, 6}, second{1, 3, 4};
    for (auto _ : state) benchmark::DoNotOptimize(ExerciseSteps(op, first, second));
    state.SetLabel(OperationItems()[std::size_t(state.range(0))]);
}

BENCHMARK(HintSteps)->DenseRange(0, 3);

// "Üben, bis es sitzt": choosing the next exercise, the whole search
// included, after range(0) exercises of a session at "Rechengenie" with mixed
// numbers and the operations mixed. Every result was wrong with a strategy
// generated exercises never show, so that the search for a contrast item
// runs through all its places before the fallbacks search again; at 14 the
// review searches for each skill practised.
void ChooseNextPracticeExercise(benchmark::State& state) {
    const PracticeSettings settings{3, 2, kMixedOperationRow, 15};
    const WrongStrategy* never = nullptr;
    for (const WrongStrategy* s : CatalogueStrategies()) {
        if (s->name == "Ganze Zahl in den Zähler gesetzt"_w) never = s;
    }
    const Designation start{250, -1};
    std::vector<PracticeStep> history;
    while (int(history.size()) < state.range(0)) {
        history.push_back({ChooseNextExercise(settings, history, start), {true, false, false, false, never}});
    }
    for (auto _ : state) benchmark::DoNotOptimize(ChooseNextExercise(settings, history, start));
    state.SetLabel(std::to_string(state.range(0)) + " exercises before");
}

BENCHMARK(ChooseNextPracticeExercise)->Arg(0)->Arg(1)->Arg(9)->Arg(10)->Arg(14)->Unit(benchmark::kMillisecond);

}  // namespace
