// "=" on the real window: reading the fields, the result fields, the errors
// and the page in the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "view/qtext.h"
#include "app/radiogroup.h"
#include "view/htmlview.h"
#include "fraction/cp1252.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

QString W(const char* utf8) { return QString::fromUtf8(utf8); }

struct Started : Trainer {
    Started() { Start(); }
    bool Equals() { return ClickAndLoad("BBgleich"); }
    QString Operand1() const { return Field("Eg1")->text() + "|" + Field("Ez1")->text() + "|" + Field("En1")->text(); }
};

TEST(Equals, ReadingExamplesThroughTheFields) {
    struct Case { const char *whole, *numerator, *denominator, *after; };
    const Case cases[] = {
        {"", "3", "4", "|3|4"},     {"", "-3", "4", "-|3|4"},   {"-", "3", "4", "-|3|4"},
        {"-2", "1", "4", "-2|1|4"}, {"5", "", "7", "5||"},       {"-", "-3", "4", "-|-3|4"},
        {"-0", "1", "2", "-0|1|2"},
    };
    Started t;
    for (const auto& c : cases) {
        t.Enter(c.whole, c.numerator, c.denominator, "+", "", "1", "2");
        ASSERT_TRUE(t.Equals()) << c.whole << "/" << c.numerator << "/" << c.denominator;
        EXPECT_EQ(t.Operand1(), c.after);
        EXPECT_TRUE(t.services.messages.isEmpty());
    }
    // 5 / empty / 7 is the whole number 5: 5 + 1/2.
    t.Enter("5", "", "7", "+", "", "1", "2");
    t.Equals();
    EXPECT_EQ(t.Result(), "5|1|2");
}

TEST(Equals, UnreadableFieldsKeepTheirTexts) {
    Started t;
    for (const char* denominator : {"", "4 ", "x"}) {
        t.services.messages.clear();
        t.Enter("", "3", denominator, "+", "", "1", "2");
        QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
        EXPECT_EQ(t.services.messages, QStringList{"Zahlen im 1. Bruch nicht korrekt"});
        EXPECT_EQ(t.Operand1(), QString("|3|") + denominator);
    }
}

TEST(Equals, FirstExerciseGivesTheSum) {
    Started t;
    QTest::mouseClick(t.Button("BB6"), Qt::LeftButton);
    ASSERT_TRUE(t.Equals());
    EXPECT_EQ(t.Result(), "|19|28");
    EXPECT_EQ(t.Find<QLabel>("L1")->text(), "1. Summand");
    EXPECT_EQ(t.Find<QLabel>("LErg")->text(), "Summe");
    EXPECT_TRUE(PageText(*t.window->View()).contains("Aufgabe 1 a) [n e]"));
}

TEST(Equals, ResultDisplayTable) {
    struct Case { const char *w1, *z1, *n1, *op, *w2, *z2, *n2, *result; };
    const Case cases[] = {
        {"2", "1", "3", "+", "", "0", "1", "2|1|3"},      // whole and numerator
        {"", "3", "4", "-", "3", "3", "4", "-3||"},       // whole number
        {"", "1", "2", "+", "", "1", "4", "|3|4"},        // proper fraction
        {"", "1", "4", "-", "", "3", "4", "-|1|2"},       // negative proper fraction
        {"", "3", "4", "-", "", "3", "4", "0||"},         // zero
        {"-3", "1", "4", "*", "", "1", "1", "-3|1|4"},    // negative mixed number
    };
    Started t;
    for (const auto& c : cases) {
        t.Enter(c.w1, c.z1, c.n1, c.op, c.w2, c.z2, c.n2);
        ASSERT_TRUE(t.Equals());
        EXPECT_EQ(t.Result(), c.result) << c.w1 << " " << c.z1 << "/" << c.n1 << " " << c.op;
    }
}

// The result of the exercise before is not shown for the one that failed.
TEST(Equals, ZeroDenominatorReportsAndChangesNothingButTheResult) {
    Started t;
    t.Enter("", "1", "2", "+", "", "1", "4");
    ASSERT_TRUE(t.Equals());
    const QString page = PageHtml(*t.window->View());
    const std::string document = t.window->Document().Text();
    t.Enter("", "1", "0", "+", "", "1", "4");
    QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
    EXPECT_EQ(t.services.errors, QStringList{"Division durch Null."});
    EXPECT_EQ(t.Result(), "||");
    EXPECT_EQ(t.window->Document().Text(), document);
    EXPECT_EQ(PageHtml(*t.window->View()), page);

    // A divisor of value zero, and a result beyond 32 bits.
    t.Enter("", "1", "2", ":", "0", "", "");
    QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
    t.Enter("", "1", "65537", "+", "", "1", "65539");
    QTest::mouseClick(t.Button("BB"), Qt::LeftButton);
    EXPECT_EQ(t.services.errors, (QStringList{"Division durch Null.", "Division durch Null.",
                                              W("Arithmetischer Überlauf.")}));
    EXPECT_EQ(t.Result(), "||");
    EXPECT_EQ(t.window->Document().Text(), document);
}

TEST(Equals, OnlyTheFirstUnreadableOperandIsReported) {
    Started t;
    t.Enter("", "a", "4", "+", "", "b", "4");
    QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
    EXPECT_EQ(t.services.messages, QStringList{"Zahlen im 1. Bruch nicht korrekt"});
    t.Enter("", "1", "4", "+", "", "b", "4");
    QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
    EXPECT_EQ(t.services.messages.last(), "Zahlen im 2. Bruch nicht korrekt");
}

TEST(Equals, MovedMinusShowsTheNumeratorTip) {
    Started t;
    t.Enter("", "-3", "4", "+", "", "1", "4");
    ASSERT_TRUE(t.Equals());
    EXPECT_EQ(t.Field("Eg1")->text(), "-");
    EXPECT_EQ(t.Field("Ez1")->text(), "3");
    EXPECT_TRUE(t.Find("Label2")->isVisible());
    EXPECT_TRUE(t.Find<QLabel>("Label2")->text().startsWith("Tipp: Eingabe jeweils"));
}

TEST(Equals, RemarkOnImproperFractions) {
    Started t;
    t.Find<RadioGroup>("RadioGroup2")->SetItemIndex(1);
    t.Enter("", "7", "3", "-", "", "5", "4");
    ASSERT_TRUE(t.Equals());
    const auto& lines = t.window->Solution().Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], cp1252::FromUtf8("Auch richtig:Die unechten Brüche zuerst in"));
    t.Enter("", "7", "3", "*", "", "5", "4");
    ASSERT_TRUE(t.Equals());
    EXPECT_NE(t.window->Solution().Lines().back(), "             gemischte Zahlen umwandeln.");
}

TEST(Equals, PageInTheViewIsTheWrappedSheet) {
    Started t;
    t.Enter("1", "10", "12", "+", "2", "2", "3");
    ASSERT_TRUE(t.Equals());
    const std::string expected = WrapInDocument(t.window->Solution().Join());
    EXPECT_EQ(t.window->Document().Text(), t.window->Solution().Join());
    EXPECT_EQ(PageHtml(*t.window->View()), HtmlOf(expected));
    EXPECT_TRUE(PageText(*t.window->View()).contains(QString::fromUtf8("1—— = 1—")));
}

TEST(Equals, MarkupTypedIntoTheNumberFieldStaysText) {
    Started t;
    t.Field("Enr")->setText("<b>x</b> & \"y\"");
    ASSERT_TRUE(t.Equals());
    EXPECT_TRUE(PageText(*t.window->View()).contains("Aufgabe <b>x</b> & \"y\") [n e]"));
}

}  // namespace
}  // namespace quorvel::testing
