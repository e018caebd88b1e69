#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "document/document.h"
#include "exercise/generator.h"
#include "fraction/cp1252.h"
#include "sheet/worksheet.h"

namespace quorvel {
namespace {

TEST(ParseTypedExercise, FractionsMixedNumbersWholesAndSigns) {
    struct Case { const char* text; OperandFields first; char op; OperandFields second; };
    const Case cases[] = {
        {"3/4 + 1 5/6", {"", "3", "4"}, '+', {"1", "5", "6"}},
        {"-1 3/4 : 2/5", {"-1", "3", "4"}, ':', {"", "2", "5"}},
        {"5 * 2/3", {"5", "", ""}, '*', {"", "2", "3"}},
        {"-3/4 - -2", {"", "-3", "4"}, '-', {"-2", "", ""}},
        {"  7/3-1/3 ", {"", "7", "3"}, '-', {"", "1", "3"}},
        {"1 2 / 3*4", {"1", "2", "3"}, '*', {"4", "", ""}},
    };
    for (const auto& c : cases) {
        auto parsed = ParseTypedExercise(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed->op, c.op) << c.text;
        for (auto [got, want] : {std::pair{parsed->first, c.first}, std::pair{parsed->second, c.second}}) {
            EXPECT_EQ(got.whole, want.whole) << c.text;
            EXPECT_EQ(got.numerator, want.numerator) << c.text;
            EXPECT_EQ(got.denominator, want.denominator) << c.text;
        }
    }
    for (const char* bad : {"", "3/4", "3/4 +", "3/4 / 1/2", "3/ + 1", "a + b", "3/4 + 1/2 + 1", "1 2 + 3", "--1 + 2"}) {
        EXPECT_FALSE(ParseTypedExercise(bad).has_value()) << bad;
    }
}

TEST(FieldTextBefore, TheTextThatAdvancesToTheDesignation) {
    EXPECT_EQ(FieldTextBefore("250 a"), "250");
    EXPECT_EQ(FieldTextBefore("250"), "250");
    EXPECT_EQ(FieldTextBefore("250 b"), "250 a");
    EXPECT_EQ(FieldTextBefore("7 i"), "7 h");
    EXPECT_FALSE(FieldTextBefore("250 j"));
    EXPECT_FALSE(FieldTextBefore("Bsp."));
    EXPECT_FALSE(FieldTextBefore("99999999999 a"));
}

TEST(SolveAll, DesignationsRunOnAsTheTrainerAdvancesThem) {
    WorksheetRequest request;
    request.from = "250 h";
    request.count = 3;
    std::vector<std::string> designations;
    for (const auto& e : SolveAll(request)) designations.push_back(e.designation);
    EXPECT_EQ(designations, (std::vector<std::string>{"250 h", "250 i", "251 a"}));
}

TEST(SolveAll, MixedOperationDrawsFromAFreshStart) {
    WorksheetRequest request;
    request.from = "1 a";
    request.count = 4;
    request.operation = 4;
    std::string ops;
    for (const auto& e : SolveAll(request)) ops += e.op;
    EXPECT_EQ(ops, "*+-:");
}

TEST(SolveAll, TypedExercisesAreNumberedInTheWorkedSolutionsToo) {
    WorksheetRequest request;
    request.typed = {"3/4 + 1 5/6", "-1 3/4 : 2/5"};
    request.kind = 2;
    auto solved = SolveAll(request);
    ASSERT_EQ(solved.size(), 2u);
    for (std::size_t i = 0; i < solved.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        EXPECT_EQ(solved[i].designation, number);
        EXPECT_EQ(solved[i].number, number);
        EXPECT_NE(solved[i].walkthrough.find("Aufgabe " + number + ") [n g]<br>"), std::string::npos);
    }
    EXPECT_EQ(solved[0].result, (MixedNumber{2, 7, 12}));
    EXPECT_EQ(solved[1].first, (MixedNumber{-1, -3, 4}));
    EXPECT_EQ(solved[1].result, (MixedNumber{-4, -3, 8}));
}

TEST(BuildWorksheet, SolutionsAreCollectedTwoToAPage) {
    WorksheetRequest request;
    request.from = "3 c";
    request.count = 3;
    const std::string file = BuildWorksheet(request);
    const std::vector<SolvedExercise> solved = SolveAll(request);
    ASSERT_EQ(solved.size(), 3u);
    const std::string body =
        Normalise(solved[0].walkthrough) + Normalise(solved[1].walkthrough) + PageBreakMarker() + Normalise(solved[2].walkthrough);
    EXPECT_EQ(file, FileContents(WrapInDocument(body)));
}

TEST(BuildWorksheet, PupilsSheetsAndKeysWriteExercisesAsPupilsDo) {
    // Typed exercises keep their place as number on every sheet, the worked
    // solutions included; a negative operand in brackets, a true minus, "·".
    WorksheetRequest request{{}, 1, 0, 2, 0, {"1/2 - 1/2", "-1 3/4 + 1/2", "3 * 2/3", "3/4 : -2"}};
    const std::string fraction = "<span class=\"q-bruch\"><span class=\"q-z\">";
    const std::string drawn[] = {
        fraction + "1</span><span>2</span></span> &minus; " + fraction + "1</span><span>2</span></span>",
        "(&minus;1" + fraction + "3</span><span>4</span></span>) + " + fraction + "1</span><span>2</span></span>",
        "3 \xB7 " + fraction + "2</span><span>3</span></span>",
        fraction + "3</span><span>4</span></span> : (&minus;2)",
    };
    const std::string results[] = {"= 0<", "= &minus;1" + fraction + "1</span><span>4</span></span>", "= 2<",
                                   "= &minus;" + fraction + "3</span><span>8</span></span>"};
    for (WorksheetKind kind : {WorksheetKind::Exercises, WorksheetKind::Answers, WorksheetKind::ErrorKey}) {
        request.sheet = kind;
        const std::string sheet = BuildWorksheet(request);
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t number = sheet.find(">" + std::to_string(i + 1) + ")</");
            ASSERT_NE(number, std::string::npos) << i;
            EXPECT_EQ(sheet.find(drawn[i], number), sheet.find(drawn[i])) << i;  // after its number
            EXPECT_NE(sheet.find(drawn[i]), std::string::npos) << int(kind) << " " << i;
            EXPECT_EQ(sheet.find(results[i]) != std::string::npos, kind != WorksheetKind::Exercises) << results[i];
        }
        for (const char* never : {"[n g]", "Bsp.", "kgV", "*", "color:red"}) EXPECT_EQ(sheet.find(never), std::string::npos) << never;
    }
    request.sheet = WorksheetKind::Solutions;
    const std::string solutions = BuildWorksheet(request);
    for (int i = 1; i <= 4; ++i) EXPECT_NE(solutions.find("Aufgabe " + std::to_string(i) + ") [n g]<br>"), std::string::npos);
}

TEST(BuildWorksheet, WorksheetHasAHeaderAndAFooterThatPosesItAgain) {
    WorksheetRequest request;
    request.from = "250 a";
    request.count = 12;
    request.sheet = WorksheetKind::Exercises;
    const std::string sheet = BuildWorksheet(request);
    for (const std::string text : {"Addition echter Br\xFC" "che", "Name:", "Klasse:", "Datum:",
                                   "Addiere und k\xFCrze vollst\xE4ndig.", "Quorvel \xB7 250 a \x96 251 c \xB7 normal"}) {
        EXPECT_NE(sheet.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(sheet.find(PageBreakMarker()), std::string::npos) << "12 exercises of level normal on one page";
    EXPECT_EQ(sheet.find("[n e]"), std::string::npos);
    request.title = "Klassenarbeit <6b>";
    request.count = 13;
    const std::string titled = BuildWorksheet(request);
    EXPECT_NE(titled.find("Klassenarbeit &lt;6b&gt;"), std::string::npos);
    EXPECT_NE(titled.find(PageBreakMarker()), std::string::npos);
}

TEST(BuildWorksheet, ErrorKeyNamesEachWrongValueOnce) {
    WorksheetRequest request;
    request.typed = {"1/2 + 1/4"};
    request.sheet = WorksheetKind::ErrorKey;
    // 1/2 + 1/4: the larger denominator is the common one, so both give 2/4, which is 1/2.
    const std::string key = BuildWorksheet(request);
    const std::string both =
        "<span class=\"q-bruch\"><span class=\"q-z\">1</span><span>2</span></span></span></span><span class=\"q-name\">Zähler addiert, "
        "ohne zu erweitern oder Zähler addiert, größerer Nenner behalten</span>"_w;
    EXPECT_NE(key.find(both), std::string::npos);
    EXPECT_EQ(key.find("ohne zu erweitern"), key.rfind("ohne zu erweitern"));
    EXPECT_NE(key.find("Zähler plus Zähler, Nenner plus Nenner"_w), std::string::npos);
    EXPECT_EQ(key.find("Dividend umgedreht"), std::string::npos);  // only the operation's strategies
}

TEST(BuildWorksheet, ExercisesAndResultsSpeakTheirWordsInPlaceOfTheDigits) {
    // Each label in front of the hidden drawing it replaces. The divisor not
    // turned over is a typical wrong result: -7/4 · 2/5 = -7/10.
    WorksheetRequest request{{}, 1, 0, 2, 0, {"3/4 + 1/6", "-1 3/4 : 2/5"}, WorksheetKind::ErrorKey};
    const std::string key = BuildWorksheet(request);
    using namespace std::string_literals;
    for (const std::string& label : {"drei Viertel plus ein Sechstel"s, "elf Zwölftel"_w, "minus vier und drei Achtel"s,
                                    "minus eins und drei Viertel geteilt durch zwei Fünftel"_w, "minus sieben Zehntel"s}) {
        EXPECT_NE(key.find("role=\"math\" aria-label=\"" + label + "\"><span aria-hidden=\"true\">"), std::string::npos) << label;
    }
    request.sheet = WorksheetKind::Exercises;
    EXPECT_NE(BuildWorksheet(request).find("<span class=\"q-feld\" role=\"img\" aria-label=\"Antwortfeld\">"), std::string::npos);
}

TEST(SolveGroups, RangesPassOverDesignationsAndKeepTheOthersAsTheyAre) {
    for (int difficulty = 0; difficulty < 4; ++difficulty) {
        for (int kind = 0; kind < 3; ++kind) {
            for (int operation : {1, 4}) {
                WorksheetRequest request{"250 a", 4, difficulty, kind, operation};
                request.noNegatives = true;
                request.largestDenominator = 12;
                const ExerciseGroup group = SolveGroups(request).front();
                ASSERT_EQ(group.exercises.size(), 4u);
                // The trainer's walk from a fresh start, as long as the ranged one.
                std::map<std::string, PosedExercise> walked;
                ExerciseGenerator generator;
                std::string field = "250";
                char shown = OperatorOfRow(operation);
                for (long i = 0; i < 4 + group.passedOver; ++i) {
                    const PosedExercise posed = generator.Pose({field, difficulty, kind, operation, shown, true});
                    field = posed.exerciseNumber;
                    shown = posed.op;
                    walked[field] = posed;
                }
                EXPECT_EQ(field, group.lastDesignation);
                for (const SolvedExercise& e : group.exercises) {
                    const std::string where = e.designation + " " + std::to_string(difficulty) + std::to_string(kind);
                    EXPECT_LE(std::max(e.first.denominator, e.second.denominator), 12) << where;
                    for (const MixedNumber& n : {e.first, e.second, e.result}) {
                        EXPECT_TRUE(n.whole >= 0 && n.numerator >= 0) << where;
                    }
                    for (std::size_t at = e.walkthrough.find('-'); at != std::string::npos; at = e.walkthrough.find('-', at + 1)) {
                        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(e.walkthrough[at + 1]))) << where;
                    }
                    ASSERT_TRUE(walked.contains(e.designation)) << where;
                    const PosedExercise& posed = walked[e.designation];
                    EXPECT_TRUE(posed.op == e.op && posed.first == e.first && posed.second == e.second) << where;
                }
            }
        }
    }
}

// 1/8 + 18/27 is 18/27 + 1/8 for a pupil who copies from a neighbour.
void ExpectNoExerciseInCommon(const ExerciseGroup& earlier, const ExerciseGroup& later) {
    for (const SolvedExercise& a : earlier.exercises) {
        for (const SolvedExercise& b : later.exercises) {
            const bool swapped = (a.op == '+' || a.op == '*') && a.first == b.second && a.second == b.first;
            EXPECT_FALSE(a.op == b.op && ((a.first == b.first && a.second == b.second) || swapped)) << b.designation;
        }
    }
}

TEST(SolveGroups, GroupsHaveExercisesOfTheirOwnPosedAgainByTheirFirstDesignation) {
    WorksheetRequest many{"50 a", 30, 0, 0, 4};
    many.groups = 4;
    const std::vector<ExerciseGroup> four = SolveGroups(many);
    for (std::size_t g = 1; g < four.size(); ++g) {
        for (std::size_t h = 0; h < g; ++h) ExpectNoExerciseInCommon(four[h], four[g]);
    }

    WorksheetRequest request{"250 a", 12, 0, 0, 4};
    request.groups = 3;
    const std::vector<ExerciseGroup> groups = SolveGroups(request);
    ASSERT_EQ(groups.size(), 3u);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].letter, char('A' + g));
        ASSERT_EQ(groups[g].exercises.size(), 12u);
        if (g > 0) {
            EXPECT_EQ(FieldTextBefore(groups[g].firstDesignation), groups[g - 1].lastDesignation);
        }
        for (std::size_t h = 0; h < g; ++h) ExpectNoExerciseInCommon(groups[h], groups[g]);
        // The same mix of operations, and each group again on its own.
        std::string ops;
        for (const SolvedExercise& e : groups[g].exercises) ops += e.op;
        for (char op : {'+', '-', '*', ':'}) EXPECT_EQ(std::count(ops.begin(), ops.end(), op), 3) << ops;
        WorksheetRequest alone{groups[g].firstDesignation, 12, 0, 0, 4};
        const std::vector<SolvedExercise> again = SolveAll(alone);
        for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(again[i].walkthrough, groups[g].exercises[i].walkthrough);
    }
    request.everything = true;
    const std::vector<NamedDocument> documents = BuildWorksheets(request);
    ASSERT_EQ(documents.size(), 12u);
    EXPECT_EQ(documents[5].name, "gruppe-b-ergebnisse");
    const WorksheetRequest solutions{groups[1].firstDesignation, 12, 0, 0, 4};
    EXPECT_EQ(documents[7].file, BuildWorksheet(solutions));  // the trainer's worked solutions, unchanged
}

TEST(PrintableParts, PartsHoldTheDocumentPieceByPiece) {
    // Two exercises to a page of the worked solutions, twelve to a page of
    // a worksheet of level normal; a key's rows fill its pages.
    struct Case { WorksheetKind sheet; int count; std::size_t pieces; std::size_t parts; };
    const Case cases[] = {
        {WorksheetKind::Solutions, 11, 2, 3}, {WorksheetKind::Exercises, 30, 2, 2}, {WorksheetKind::Answers, 40, 2, 2},
        {WorksheetKind::ErrorKey, 5, 5, 1},   {WorksheetKind::Exercises, 30, 0, 1}, {WorksheetKind::Solutions, 2, 1, 1},
    };
    const std::string tail = "\r\n</body>\r\n</html>\r\n";
    for (const Case& c : cases) {
        WorksheetRequest request;
        request.from = "7 e";
        request.count = c.count;
        request.sheet = c.sheet;
        const std::string file = BuildWorksheet(request);
        const std::vector<std::string> parts = PrintableParts(file, c.pieces);
        EXPECT_EQ(parts.size(), c.parts) << int(c.sheet);
        std::string bodies;
        for (const std::string& part : parts) {
            ASSERT_TRUE(part.starts_with(DocumentHeader()) && part.ends_with(tail));
            if (!bodies.empty()) bodies += PageBreakMarker();
            std::string body = part.substr(DocumentHeader().size(), part.size() - DocumentHeader().size() - tail.size());
            // A page of a worksheet or key is printed with their style.
            EXPECT_EQ(body.find("q-seite") == std::string::npos, body.find("<style") == std::string::npos);
            if (!bodies.empty() && body.starts_with("<style")) body.erase(0, body.find("</style>\r\n") + 10);
            bodies += body;
            // What a part holds: exercises of the worked solutions, pages of the others.
            const bool solutions = c.sheet == WorksheetKind::Solutions;
            const std::string piece = solutions ? "Aufgabe " : "<div class=\"q-seite\"";
            std::size_t pieces = 0;
            for (std::size_t at = part.find(piece); at != std::string::npos; at = part.find(piece, at + 1)) ++pieces;
            if (c.pieces > 0) {
                EXPECT_LE(pieces, (solutions ? 2 : 1) * c.pieces) << int(c.sheet);
            }
        }
        EXPECT_EQ(DocumentHeader() + bodies + tail, PrintableDocument(file)) << int(c.sheet);
    }
}

TEST(BuildWorksheet, FailuresCarryTheirStatus) {
    auto status = [](WorksheetRequest request) {
        try {
            BuildWorksheet(request);
        } catch (const WorksheetFailure& f) {
            return f.Status();
        }
        return 0;
    };
    WorksheetRequest typed;
    typed.typed = {"1/2 : 0"};
    EXPECT_EQ(status(typed), 1);
    typed.typed = {"1/65537 + 1/65539"};
    EXPECT_EQ(status(typed), 1);
    typed.typed = {"eins + zwei"};
    EXPECT_EQ(status(typed), 2);
    WorksheetRequest designated;
    designated.from = "Bsp.";
    EXPECT_EQ(status(designated), 2);
    designated.from = "2147483647 i";
    designated.count = 2;
    EXPECT_EQ(status(designated), 1);
    // Requests that contradict themselves or that nothing satisfies.
    WorksheetRequest contradicting{"1 a", 4};
    for (auto change : std::initializer_list<void (*)(WorksheetRequest&)>{
             [](WorksheetRequest& r) { r.groups = 5; },
             [](WorksheetRequest& r) { r.groups = 2, r.typed = {"1/2 + 1/3"}; },
             [](WorksheetRequest& r) { r.noNegatives = true, r.typed = {"1/3 - 1/2"}; },
             [](WorksheetRequest& r) { r.largestDenominator = 12, r.typed = {"1/13 + 1/2"}; },
             [](WorksheetRequest& r) { r.largestDenominator = 2; },
         }) {
        WorksheetRequest request = contradicting;
        change(request);
        EXPECT_EQ(status(request), 2);
    }
    try {
        typed.typed = {"1/0 + 1/2"};
        BuildWorksheet(typed);
        FAIL() << "no failure";
    } catch (const WorksheetFailure& f) {
        EXPECT_EQ(std::string(f.what()), "Aufgabe '1/0 + 1/2': Division durch Null.");
    }
}

}  // namespace
}  // namespace quorvel
