#include <gtest/gtest.h>

#include "fraction/cp1252.h"
#include "model/record.h"
#include "solution/spoken.h"

namespace quorvel {
namespace {

// 2 + 1/2 written four ways that are right but unfinished: the verdict says
// what is left to do and keeps the finished 2 1/2 to the worked solution.
TEST(VerdictLines, NotReducedSaysWhatIsLeftToDo) {
    const std::pair<MixedNumber, const char*> cases[] = {
        {{0, 10, 4}, "Kürze noch und zieh die Ganzen heraus"},  // 10/4 = 5/2 = 2 1/2
        {{1, 6, 4}, "Kürze noch und zieh die Ganzen heraus"},   // 6/4 = 3/2 = 1 1/2
        {{2, 2, 4}, "Kürze noch"},
        {{1, 3, 2}, "Zieh noch die Ganzen heraus"},
    };
    for (const auto& [pupil, todo] : cases) {
        CheckedExercise e{{}, false, '+', {2, 0, 1}, {0, 1, 2}, pupil, {}};
        e.check = CheckResult(e.op, e.first, e.second, e.pupil);
        ASSERT_EQ(e.check.verdict, Verdict::NotReduced) << todo;
        const std::string page = VerdictLines(e).Join();
        EXPECT_NE(page.find("noch nicht fertig.</span> "_w + cp1252::FromUtf8(todo) + ".<br>"), std::string::npos)
            << cp1252::ToUtf8(page);
    }
}

// A wrong result no strategy explains points to the worked solution only
// where one follows, not before the second try.
TEST(VerdictLines, PointsToTheWorkedSolutionOnlyWhereItFollows) {
    CheckedExercise e{{}, false, '+', {0, 1, 2}, {0, 1, 3}, {0, 1, 7}, {}};
    e.check = CheckResult(e.op, e.first, e.second, e.pupil);
    ASSERT_TRUE(e.check.strategies.empty());
    EXPECT_NE(VerdictLines(e).Join().find("Rechenweg unten"), std::string::npos);
    EXPECT_EQ(VerdictLines(e, false).Join().find("Rechenweg unten"), std::string::npos);
}

// The verdict and every line of the evaluation page are spoken with the
// exercise; a negative result as "minus".
TEST(EvaluationLines, EachCheckedResultIsSpokenWithItsVerdict) {
    CheckRecord record;
    std::vector<std::string> verdicts;
    for (const MixedNumber& pupil : {MixedNumber{0, -1, 2}, MixedNumber{0, -2, 4}, MixedNumber{0, 1, 2}}) {
        CheckedExercise e{{}, false, '-', {0, 1, 4}, {0, 3, 4}, pupil, {}};
        e.check = CheckResult(e.op, e.first, e.second, e.pupil);
        verdicts.push_back(cp1252::ToUtf8(SpokenSolution(VerdictLines(e))));
        record.Add(e);
    }
    EXPECT_EQ(verdicts.front(), "Dein Ergebnis: ein Viertel minus drei Viertel ist gleich minus ein Halb. Richtig!");
    std::vector<std::string> blocks;
    for (const auto& block : record.EvaluationLines().SpokenBlocks()) blocks.push_back(cp1252::ToUtf8(block));
    EXPECT_EQ(blocks, (std::vector<std::string>{
                          "ein Viertel minus drei Viertel ist gleich minus ein Halb, richtig",
                          "ein Viertel minus drei Viertel ist gleich minus zwei Viertel, richtig, aber nicht fertig gekürzt",
                          "ein Viertel minus drei Viertel ist gleich ein Halb, falsch, Subtraktion umgedreht oder "
                          "Richtiger Betrag, falsches Vorzeichen"}));
}

}  // namespace
}  // namespace quorvel
