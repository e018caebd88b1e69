#include <gtest/gtest.h>

#include "solution/lines.h"
#include "sheet_notation.h"

namespace quorvel {
namespace {

using testing::kOpening;
using testing::Readable;

// The three rows of the open block.
std::vector<std::string> Rows(const SolutionLines& s) {
    std::size_t n = s.Count();
    return {s.Line(n - 3), s.Line(n - 2), s.Line(n - 1)};
}

std::vector<std::string> Utf8Rows(const char* top, const char* middle, const char* bottom) {
    return {cp1252::FromUtf8(top), cp1252::FromUtf8(middle), cp1252::FromUtf8(bottom)};
}

TEST(FractionBlock, OpeningAndClosingLines) {
    SolutionLines s;
    OpenFractionBlock(s);
    ASSERT_EQ(s.Count(), 4u);
    EXPECT_EQ(s.Line(0), kOpening);
    EXPECT_EQ(s.Line(0).size(), 64u);
    EXPECT_EQ(s.Line(1), "");
    CloseFractionBlock(s);
    EXPECT_EQ(s.Line(4), "</pre>");
    EXPECT_EQ(s.Line(5), "<br>");
}

TEST(AppendColumn, OnAnEmptySheetCreatesTheRows) {
    SolutionLines s;
    AppendColumn(s, "1", "x", "2");
    ASSERT_EQ(s.Count(), 3u);
    EXPECT_EQ(Rows(s), (std::vector<std::string>{"1", "x", "2"}));
}

TEST(AppendColumn, CentresTheShorterNumber) {
    struct Case { const char* top; const char* bottom; std::vector<std::string> rows; };
    const Case cases[] = {
        {"1", "12", Utf8Rows("1", "——", "12")},
        {"1", "123", Utf8Rows(" 1 ", "———", "123")},
        {"1", "1234", Utf8Rows(" 1 ", "————", "1234")},
        {"12345", "3", Utf8Rows("12345", "—————", "  3  ")},
        {"-1", "4", Utf8Rows("-1", "——", "4")},
        {"9", "12", Utf8Rows("9", "——", "12")},
        {"7", "3", Utf8Rows("7", "—", "3")},
    };
    for (const auto& c : cases) {
        SolutionLines s;
        OpenFractionBlock(s);
        AppendColumn(s, c.top, "-", c.bottom);
        EXPECT_EQ(Rows(s), c.rows) << c.top << " over " << c.bottom;
    }
}

TEST(AppendColumn, OnlyALoneMinusMakesAFractionColumn) {
    SolutionLines s;
    OpenFractionBlock(s);
    AppendColumn(s, "1", " - ", "123");
    EXPECT_EQ(Rows(s), (std::vector<std::string>{"1", " - ", "123"}));
}

TEST(AppendColumn, WorkedExerciseLineColumnByColumn) {
    SolutionLines s;
    OpenFractionBlock(s);
    AppendColumn(s, "", "      ", "");
    EXPECT_EQ(Rows(s), (std::vector<std::string>{"", "      ", ""}));
    AppendColumn(s, "", "", "");
    EXPECT_EQ(Rows(s), (std::vector<std::string>{"      ", "      ", "      "}));
    AppendColumn(s, "3", "-", "4");
    EXPECT_EQ(Rows(s), Utf8Rows("      3", "      —", "      4"));
    AppendColumn(s, "", " + ", "");
    EXPECT_EQ(Rows(s), Utf8Rows("      3", "      — + ", "      4"));
    AppendColumn(s, "", "1", "");
    EXPECT_EQ(Rows(s), Utf8Rows("      3   ", "      — + 1", "      4   "));
    AppendColumn(s, "5", "-", "6");
    EXPECT_EQ(Rows(s), Utf8Rows("      3    5", "      — + 1—", "      4    6")) << Readable(Rows(s));
    CloseFractionBlock(s);
    EXPECT_EQ(s.Count(), 6u);
}

TEST(AppendColumn, TrailingBlanksOfTopAndBottomDoNotWidenTheBlock) {
    SolutionLines s;
    OpenFractionBlock(s);
    AppendColumn(s, "1", "-", "1234");  // top " 1 " ends in a blank
    AppendColumn(s, "x", "", "");
    EXPECT_EQ(Rows(s)[0], " 1  x");
    // Blanks at the end of the middle row count.
    AppendColumn(s, "", "  ", "");
    AppendColumn(s, "y", "", "");
    EXPECT_EQ(Rows(s)[0], " 1  x  y");
}

TEST(LcmText, JoinsWithoutBlanks) {
    EXPECT_EQ(LcmText(4, 6, 12), "kgV(4,6)=12");
    EXPECT_EQ(LcmText(3, 5, 15), "kgV(3,5)=15");
}

TEST(RemoveBlankLines, DropsBlankRowsKeepsBlockLinesAndSplitsBreaks) {
    SolutionLines s;
    OpenFractionBlock(s);
    s.SetLine(2, "      ");
    s.SetLine(1, "  x  ");
    s.SetLine(3, "\t");
    CloseFractionBlock(s);
    s.Append("eins\r\nzwei");
    s.Append("drei\rvier\nfuenf");
    RemoveBlankLines(s);
    EXPECT_EQ(s.Lines(), (std::vector<std::string>{kOpening, "  x  ", "</pre>", "<br>", "eins", "zwei", "drei",
                                                   "vier", "fuenf"}));
}

TEST(SplitLines, FinalBreakAddsNoLine) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace quorvel
