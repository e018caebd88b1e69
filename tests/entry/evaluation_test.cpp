#include <gtest/gtest.h>

#include "entry/evaluation.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {
namespace {

TEST(ReadOperand, ReadingExamples) {
    struct Case {
        OperandFields fields;
        MixedNumber value;
        OperandFields after;
    };
    const Case cases[] = {
        {{"", "3", "4"}, {0, 3, 4}, {"", "3", "4"}},
        {{"", "-3", "4"}, {0, -3, 4}, {"-", "3", "4"}},
        {{"-", "3", "4"}, {0, -3, 4}, {"-", "3", "4"}},
        {{"-2", "1", "4"}, {-2, -1, 4}, {"-2", "1", "4"}},
        {{"-2", "-1", "4"}, {-2, -1, 4}, {"-2", "-1", "4"}},
        {{"2", "-1", "4"}, {2, -1, 4}, {"2", "-1", "4"}},
        {{"5", "", "7"}, {5, 0, 1}, {"5", "", ""}},
        {{"", "", ""}, {0, 0, 1}, {"", "", ""}},
        {{"-", "-3", "4"}, {0, 3, 4}, {"-", "-3", "4"}},
        {{"-0", "1", "2"}, {0, 1, 2}, {"-0", "1", "2"}},
        {{" ", "-3", "4"}, {0, -3, 4}, {"-", "3", "4"}},
        {{"", "3", "0"}, {0, 3, 0}, {"", "3", "0"}},
        {{"", "3", "-4"}, {0, 3, -4}, {"", "3", "-4"}},
        {{" - ", "3", "4"}, {0, -3, 4}, {" - ", "3", "4"}},
    };
    for (const auto& c : cases) {
        OperandFields fields = c.fields;
        MixedNumber value = ReadOperand(fields);
        SCOPED_TRACE(c.fields.whole + " / " + c.fields.numerator + " / " + c.fields.denominator);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(fields.whole, c.after.whole);
        EXPECT_EQ(fields.numerator, c.after.numerator);
        EXPECT_EQ(fields.denominator, c.after.denominator);
    }
}

TEST(ReadOperand, UnreadableFieldsFailAndKeepTheirRewrites) {
    for (OperandFields fields : {OperandFields{"", "3", ""}, OperandFields{"", "3x", "4"},
                                 OperandFields{"", "3", "4 "}, OperandFields{"a", "", ""}}) {
        OperandFields copy = fields;
        EXPECT_THROW(ReadOperand(copy), ConversionError);
        EXPECT_EQ(copy.whole, fields.whole);
        EXPECT_EQ(copy.numerator, fields.numerator);
        EXPECT_EQ(copy.denominator, fields.denominator);
    }
    OperandFields moved{"", "-3", "x"};
    EXPECT_THROW(ReadOperand(moved), ConversionError);
    EXPECT_EQ(moved.whole, "-");
    EXPECT_EQ(moved.numerator, "3");
    OperandFields minusOfSmallest{"-", "-2147483648", "1"};
    EXPECT_THROW(ReadOperand(minusOfSmallest), ArithmeticOverflow);
}

TEST(ResultTexts, DisplayTable) {
    struct Case { MixedNumber r; const char* whole; const char* numerator; const char* denominator; };
    const Case cases[] = {
        {{2, 1, 3}, "2", "1", "3"},   {{-3, -1, 4}, "-3", "1", "4"}, {{5, 0, 1}, "5", "", ""},
        {{0, 3, 4}, "", "3", "4"},    {{0, -3, 4}, "-", "3", "4"},   {{0, 0, 1}, "0", "", ""},
    };
    for (const auto& c : cases) {
        ResultFields t = ResultTexts(c.r);
        EXPECT_EQ(t.whole, c.whole);
        EXPECT_EQ(t.numerator, c.numerator);
        EXPECT_EQ(t.denominator, c.denominator);
    }
}

struct Pipeline {
    OperandFields first, second;
    Walkthrough solution;
    Evaluation evaluation;
};

Pipeline RunPipeline(OperandFields first, OperandFields second, char op, int kind) {
    Pipeline p{first, second, {}, {}};
    p.solution.context.operatorCaption = std::string(1, op);
    p.solution.lines.Append("left over from before");
    p.evaluation = EvaluateExercise(p.first, p.second, kind, p.solution);
    return p;
}

TEST(EvaluateExercise, SolvesAndLeavesNoBlankLines) {
    Pipeline p = RunPipeline({"", "1", "4"}, {"", "18", "42"}, '+', 0);
    ASSERT_EQ(p.evaluation.outcome, EvaluationOutcome::Solved);
    EXPECT_EQ(p.evaluation.resultFields.whole, "");
    EXPECT_EQ(p.evaluation.resultFields.numerator, "19");
    EXPECT_EQ(p.evaluation.resultFields.denominator, "28");
    EXPECT_NE(p.solution.lines.Line(0), "left over from before");
    for (const auto& line : p.solution.lines.Lines()) EXPECT_NE(line.find_first_not_of(" \t"), std::string::npos);
}

TEST(EvaluateExercise, UnreadableOperandsReportOnlyTheFirst) {
    Pipeline both = RunPipeline({"", "x", "4"}, {"", "y", "4"}, '+', 0);
    EXPECT_EQ(both.evaluation.outcome, EvaluationOutcome::FirstOperandUnreadable);
    EXPECT_EQ(UnreadableOperandMessage(both.evaluation.outcome), "Zahlen im 1. Bruch nicht korrekt");
    EXPECT_EQ(both.solution.lines.Count(), 0u);
    Pipeline second = RunPipeline({"", "-1", "4"}, {"", "1", ""}, '+', 0);
    EXPECT_EQ(second.evaluation.outcome, EvaluationOutcome::SecondOperandUnreadable);
    EXPECT_EQ(UnreadableOperandMessage(second.evaluation.outcome), "Zahlen im 2. Bruch nicht korrekt");
    EXPECT_EQ(second.first.whole, "-");  // the moved minus stays moved
}

TEST(EvaluateExercise, RemarkOnImproperFractionsOnlyForAdditionAndSubtraction) {
    const std::string first = cp1252::FromUtf8("Auch richtig:Die unechten Brüche zuerst in");
    const std::string second = "             gemischte Zahlen umwandeln.";
    for (char op : {'+', '-', '*', ':'}) {
        for (int kind : {0, 1, 2}) {
            Pipeline p = RunPipeline({"", "7", "3"}, {"", "5", "4"}, op, kind);
            const auto& l = p.solution.lines.Lines();
            bool remark = l.size() >= 2 && l[l.size() - 2] == first && l.back() == second;
            EXPECT_EQ(remark, (op == '+' || op == '-') && kind == 1) << op << " kind " << kind;
        }
    }
}

TEST(EvaluateExercise, ArithmeticErrorsPropagate) {
    EXPECT_THROW(RunPipeline({"", "1", "0"}, {"", "1", "2"}, '+', 0), DivisionByZero);
    EXPECT_THROW(RunPipeline({"", "1", "2"}, {"0", "", ""}, ':', 0), DivisionByZero);
    EXPECT_THROW(RunPipeline({"", "1", "65537"}, {"", "1", "65539"}, '-', 0), ArithmeticOverflow);
}

}  // namespace
}  // namespace quorvel
