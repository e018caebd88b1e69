// The steps of an exercise against the worked solution and the exact result.
#include <gtest/gtest.h>

#include "exercise/generator.h"
#include "exercise/settings.h"
#include "solution/walkthroughs.h"
#include "tutoring/steps.h"

namespace quorvel {
namespace {

// Over generated exercises of every level, kind and operation: the last
// step ends on the result, and every row a step draws stands in the worked
// solution's lines.
TEST(ExerciseSteps, EndOnTheResultAndDrawWhatTheWorkedSolutionDraws) {
    int swept = 0;
    for (int difficulty = 0; difficulty < int(DifficultyItems().size()); ++difficulty) {
        for (int kind = 0; kind < int(KindItems().size()); ++kind) {
            for (int operation = 0; operation < int(OperationItems().size()); ++operation) {
                ExerciseGenerator generator;
                std::string number = "Bsp.";
                for (int i = 0; i < 180; ++i, ++swept) {
                    const PosedExercise posed = generator.Pose({number, difficulty, kind, operation, '+'});
                    number = posed.exerciseNumber;
                    Walkthrough worked;
                    worked.context.operatorCaption = std::string(1, posed.op);
                    const MixedNumber result = Evaluate(posed.op, worked, posed.first, posed.second);
                    const std::vector<ExerciseStep> steps = ExerciseSteps(posed.op, posed.first, posed.second);
                    SCOPED_TRACE(NumberText(posed.first, OverOne::AsTyped) + " " + posed.op + " " +
                                 NumberText(posed.second, OverOne::AsTyped));
                    ASSERT_FALSE(steps.empty());
                    ASSERT_TRUE(AnswersStep(steps.back(), result)) << NumberText(steps.back().answer);
                    const std::string page = worked.lines.Join();
                    for (const ExerciseStep& step : steps) {
                        EXPECT_FALSE(step.question.empty());
                        for (const std::string& line : step.drawing.Lines()) {
                            const std::string row(Trimmed(line));
                            if (row.empty()) continue;
                            ASSERT_NE(page.find(row), std::string::npos) << step.question << "\n" << row << "\n" << page;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GE(swept, 10000);
}

TEST(ExerciseSteps, AskWhatThePupilWorksOutNext) {
    struct Case {
        char op;
        MixedNumber a, b;
        std::vector<std::pair<const char*, const char*>> questionsAndAnswers;
    };
    const Case cases[] = {
        {'+', {0, 1, 2}, {0, 1, 3}, {{"Welcher Hauptnenner?", "6"}, {"Mit welcher Zahl erweiterst Du 1/2?", "3"},
                                     {"Mit welcher Zahl erweiterst Du 1/3?", "2"}, {"Was ergibt 3/6 + 2/6? Der Nenner bleibt.", "5/6"}}},
        {'-', {3, 1, 4}, {0, 6, 8}, {{"K\xFCrze 6/8.", "3/4"},
                                     {"Wie schreibst Du 3 1/4 um, damit Du 3/4 abziehen kannst?", "2 5/4"},
                                     {"Was ergibt 2 5/4 - 3/4? Der Nenner bleibt.", "2 2/4"}, {"K\xFCrze 2 2/4.", "2 1/2"}}},
        {':', {1, 1, 2}, {0, 9, 4}, {{"Schreib 1 1/2 als unechten Bruch.", "3/2"}, {"Welcher Kehrwert geh\xF6rt zu 9/4?", "4/9"},
                                     {"K\xFCrze \xFC" "ber Kreuz: Was wird aus 3/9?", "1/3"},
                                     {"K\xFCrze \xFC" "ber Kreuz: Was wird aus 4/2?", "2/1"},
                                     {"Z\xE4hler mal Z\xE4hler, Nenner mal Nenner: Welcher Bruch kommt heraus?", "2/3"}}},
    };
    for (const Case& c : cases) {
        const std::vector<ExerciseStep> steps = ExerciseSteps(c.op, c.a, c.b);
        ASSERT_EQ(steps.size(), c.questionsAndAnswers.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i].question, c.questionsAndAnswers[i].first);
            EXPECT_TRUE(AnswersStep(steps[i], *ReadStepAnswer(c.questionsAndAnswers[i].second))) << steps[i].question;
        }
    }
}

// Answers are read from one field and compared as written: the same value
// in another form is not the step's answer.
TEST(ExerciseSteps, AnswersAreReadAndComparedExactly) {
    const ExerciseStep improper{Skill::ImproperFractions, "", {0, 7, 3}, {}};
    const ExerciseStep negative{Skill::Reducing, "", {-1, -3, 4}, {}};
    const std::pair<const ExerciseStep*, std::vector<std::pair<const char*, bool>>> cases[] = {
        {&improper, {{" 7/3 ", true}, {"7 / 3", true}, {"2 1/3", false}, {"14/6", false}, {"-7/-3", true}}},
        {&negative, {{"-1 3/4", true}, {"-7/4", false}, {"1 3/4", false}}},
    };
    for (const auto& [step, answers] : cases) {
        for (const auto& [text, right] : answers) EXPECT_EQ(AnswersStep(*step, *ReadStepAnswer(text)), right) << text;
    }
    for (const char* unreadable : {"", "x", "3/", "/4", "3/0", "1 -3/4", "1 2 3/4", "3,5"}) {
        EXPECT_FALSE(ReadStepAnswer(unreadable)) << unreadable;
    }
}

TEST(ExerciseSteps, TheFirstHintNamesNoNumber) {
    const auto steps = ExerciseSteps('+', {0, 1, 2}, {0, 1, 3});
    EXPECT_EQ(LookAtWords('+', steps), "Bei der Addition brauchen beide Br\xFC" "che denselben Nenner.");
    const WrongStrategy strategy{"", "", "Schau auf das Vorzeichen."};
    EXPECT_EQ(LookAtWords('+', steps, {&strategy}), "Schau auf das Vorzeichen.");
}

}  // namespace
}  // namespace quorvel
