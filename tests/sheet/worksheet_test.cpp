#include <gtest/gtest.h>

#include "document/document.h"
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
    EXPECT_EQ(solved[0].result, (MixedFraction{2, 7, 12}));
    EXPECT_EQ(solved[1].first, (MixedFraction{-1, -3, 4}));
    EXPECT_EQ(solved[1].result, (MixedFraction{-4, -3, 8}));
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

TEST(BuildWorksheet, ExercisesAndAnswers) {
    WorksheetRequest request;
    request.typed = {"1/2 + 1/4", "2 * 3/4"};
    request.sheet = WorksheetKind::Exercises;
    const std::string exercises = BuildWorksheet(request);
    EXPECT_NE(exercises.find("Aufgabe 1) [n e]<br>"), std::string::npos);
    EXPECT_NE(exercises.find(">Multiplikation</div>"), std::string::npos);
    EXPECT_EQ(exercises.find("Ergebnis"), std::string::npos) << "no solution on the pupils' sheet";
    EXPECT_EQ(exercises.find("kgV"), std::string::npos);

    request.sheet = WorksheetKind::Answers;
    const std::string answers = BuildWorksheet(request);
    EXPECT_NE(answers.find(">Ergebnisse</div>"), std::string::npos);
    EXPECT_NE(answers.find("      = \x97"), std::string::npos);    // 3/4
    EXPECT_NE(answers.find("      = 1\x97"), std::string::npos);   // 1 1/2
    EXPECT_EQ(answers.find("kgV"), std::string::npos);
}

TEST(BuildWorksheet, PupilsSheetsNumberTypedExercisesAndWriteNumbersAsPupilsDo) {
    WorksheetRequest request{{}, 1, 0, 2, 0, {"1/2 - 1/2", "-1 3/4 + 1/2", "3 * 2/3"}};
    // The drawn exercise, and the answer, as a pupil writes them.
    const std::pair<const char*, const char*> rows[] = {
        {"      1   1\r\n      \x97 - \x97\r\n      2   2\r\n", "<br>\r\n      = 0\r\n</pre>"},
        {"        3   1\r\n      -1\x97 + \x97\r\n        4   2\r\n", "          1\r\n      = -1\x97\r\n          4\r\n"},
        {"<br>\r\n          2\r\n      3 * \x97\r\n          3\r\n", "<br>\r\n      = 2\r\n</pre>"},
    };
    for (WorksheetKind kind : {WorksheetKind::Exercises, WorksheetKind::Answers, WorksheetKind::ErrorKey,
                               WorksheetKind::Solutions}) {
        request.sheet = kind;
        const std::string sheet = BuildWorksheet(request);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NE(sheet.find("Aufgabe " + std::to_string(i + 1) + ") [n g]<br>"), std::string::npos) << i;
            if (kind == WorksheetKind::Solutions) continue;  // drawn as the trainer draws them
            EXPECT_NE(sheet.find(rows[i].first), std::string::npos) << rows[i].first;
            EXPECT_EQ(sheet.find(rows[i].second) != std::string::npos, kind != WorksheetKind::Exercises) << rows[i].second;
        }
        EXPECT_EQ(sheet.find("Bsp."), std::string::npos);
    }
}

TEST(BuildWorksheet, ErrorKeyNamesTheWrongResults) {
    WorksheetRequest request;
    request.typed = {"1/2 + 1/3"};
    request.sheet = WorksheetKind::ErrorKey;
    const std::string key = BuildWorksheet(request);
    EXPECT_NE(key.find("Fehlerschlüssel"_w), std::string::npos);
    // 2/5 beside its name: the numerator, the name with the bar, the denominator.
    const std::size_t name = key.find("      Zähler plus Zähler, Nenner plus Nenner: —"_w);
    ASSERT_NE(name, std::string::npos);
    EXPECT_EQ(key.rfind('2', name), key.find_last_not_of(" \r\n", name - 1));
    EXPECT_EQ(key.find("Dividend umgedreht"), std::string::npos);  // only the operation's strategies
    // 1/2 + 1/4: the larger denominator is the common one, so both give 2/4,
    // on one line.
    request.typed = {"1/2 + 1/4"};
    const std::string both = BuildWorksheet(request);
    const std::string line = "      Zähler addiert, ohne zu erweitern oder Zähler addiert, größerer Nenner behalten: —"_w;
    EXPECT_NE(both.find(line), std::string::npos);
    EXPECT_EQ(both.find("ohne zu erweitern"), both.rfind("ohne zu erweitern"));
}

TEST(PrintableParts, PartsHoldTheDocumentPieceByPiece) {
    // Two exercises to a page on the sheets with page breaks; the keys are
    // parted by exercises.
    struct Case { WorksheetKind sheet; int count; std::size_t pieces; std::size_t parts; };
    const Case cases[] = {
        {WorksheetKind::Solutions, 11, 2, 3}, {WorksheetKind::Exercises, 11, 4, 2}, {WorksheetKind::Answers, 11, 4, 3},
        {WorksheetKind::ErrorKey, 5, 5, 1},   {WorksheetKind::Exercises, 11, 0, 1}, {WorksheetKind::Solutions, 2, 1, 1},
    };
    const std::string tail = "\r\n</body>\r\n</html>\r\n";
    for (const Case& c : cases) {
        WorksheetRequest request;
        request.from = "7 e";
        request.count = c.count;
        request.sheet = c.sheet;
        const std::string file = BuildWorksheet(request);
        const bool paged = c.sheet == WorksheetKind::Solutions || c.sheet == WorksheetKind::Exercises;
        const std::vector<std::string> parts = PrintableParts(file, c.pieces);
        EXPECT_EQ(parts.size(), c.parts) << int(c.sheet);
        std::string bodies;
        for (const std::string& part : parts) {
            ASSERT_TRUE(part.starts_with(DocumentHeader()) && part.ends_with(tail));
            if (!bodies.empty() && paged) bodies += PageBreakMarker();
            bodies += part.substr(DocumentHeader().size(), part.size() - DocumentHeader().size() - tail.size());
            std::size_t exercises = 0;
            for (std::size_t at = part.find("Aufgabe "); at != std::string::npos; at = part.find("Aufgabe ", at + 1)) ++exercises;
            if (c.pieces > 0) {
                EXPECT_LE(exercises, (paged ? 2 : 1) * c.pieces) << int(c.sheet);
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
