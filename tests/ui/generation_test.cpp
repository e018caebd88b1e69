// "Neue Aufgabe", the operation and the kind of fractions on the real window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app/radiogroup.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

QColor Background(QLineEdit* field) { return field->palette().color(QPalette::Base); }

struct Started : Trainer {
    Started() { Start(); }
    void NewExercise() { QTest::mouseClick(Button("BB6"), Qt::LeftButton); }
    QString Operands() const {
        return Field("Eg1")->text() + " " + Field("Ez1")->text() + "/" + Field("En1")->text() + ", " +
               Field("Eg2")->text() + " " + Field("Ez2")->text() + "/" + Field("En2")->text();
    }
};

TEST(NewExercise, WritesTheFieldsAndHidesTheTip) {
    Started t;
    t.Find<RadioGroup>("RadioGroup2")->SetItemIndex(2);
    t.Find<QWidget>("Label2")->show();
    t.NewExercise();
    EXPECT_EQ(t.Field("Enr")->text(), "1 a");
    EXPECT_EQ(t.Operands(), "5 1/4, 2 9/54");
    EXPECT_FALSE(t.Find("Label2")->isVisible());
    EXPECT_EQ(Background(t.Field("Eg1")), QColor(Qt::white));

    t.Find<RadioGroup>("RadioGroup2")->SetItemIndex(0);
    t.NewExercise();
    EXPECT_EQ(t.Field("Enr")->text(), "1 b");
    EXPECT_TRUE(t.Field("Eg1")->text().isEmpty());
    EXPECT_TRUE(t.Field("Eg2")->text().isEmpty());
    // Emptied whole-part fields turn grey again.
    EXPECT_EQ(Background(t.Field("Eg1")), t.window->palette().color(QPalette::Button));
    EXPECT_EQ(Background(t.Field("Eg2")), t.window->palette().color(QPalette::Button));
}

TEST(NewExercise, SameDesignationSameExercise) {
    Started t;
    t.Field("Enr")->setText("250");
    t.NewExercise();
    const QString first = t.Operands();
    EXPECT_EQ(t.Field("Enr")->text(), "250 a");
    t.NewExercise();
    EXPECT_EQ(t.Field("Enr")->text(), "250 b");
    t.Field("Enr")->setText("250");
    t.NewExercise();
    EXPECT_EQ(t.Operands(), first);
}

TEST(NewExercise, OverlongNumberIsReportedAndChangesNothing) {
    Started t;
    t.Enter("", "1", "2", "+", "", "1", "4");
    QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
    ASSERT_EQ(t.Result(), "|3|4");
    t.Field("Enr")->setText("99999999999");
    const QString operands = t.Operands();
    t.NewExercise();
    EXPECT_EQ(t.services.errors, QStringList{QString::fromUtf8("'99999999999' ist kein gültiger Integerwert.")});
    EXPECT_EQ(t.Field("Enr")->text(), "99999999999");
    EXPECT_EQ(t.Operands(), operands);
    EXPECT_EQ(t.Result(), "||");  // already cleared

    t.Field("Enr")->setText("2147483647 i");
    t.NewExercise();
    EXPECT_EQ(t.services.errors.last(), QString::fromUtf8("'2147483648' ist kein gültiger Integerwert."));
    EXPECT_EQ(t.Field("Enr")->text(), "2147483647 i");
}

TEST(Operation, SwitchingClearsTheResultAndSetsTheOperator) {
    Started t;
    auto* operation = t.Find<RadioGroup>("RadioGroup4");
    const char* captions[] = {"+", "-", "*", ":"};
    for (int row : {2, 1, 3, 0}) {
        QTest::mouseClick(t.Button("BBgleich"), Qt::LeftButton);
        ASSERT_FALSE(t.Field("Ez")->text().isEmpty());
        QTest::mouseClick(operation->Button(row), Qt::LeftButton);
        EXPECT_EQ(t.Button("BB")->text(), captions[row]);
        EXPECT_EQ(t.Result(), "||");
        EXPECT_TRUE(t.Find<QLabel>("LErg")->text().isEmpty());
    }
    operation->SetItemIndex(2);
    QTest::mouseClick(operation->Button(4), Qt::LeftButton);  // "mischen" keeps the caption
    EXPECT_EQ(t.Button("BB")->text(), "*");
}

TEST(KindOfFractions, MixedNumbersTurnTheWholePartFieldsWhite) {
    Started t;
    auto* kind = t.Find<RadioGroup>("RadioGroup2");
    const QColor grey = t.window->palette().color(QPalette::Button);
    QTest::mouseClick(kind->Button(2), Qt::LeftButton);
    for (const char* name : {"Eg1", "Eg2", "Eg"}) EXPECT_EQ(Background(t.Field(name)), QColor(Qt::white)) << name;
    t.NewExercise();
    QTest::mouseClick(kind->Button(1), Qt::LeftButton);  // grey, although they hold text
    for (const char* name : {"Eg1", "Eg2", "Eg"}) EXPECT_EQ(Background(t.Field(name)), grey) << name;
    EXPECT_FALSE(t.Field("Eg1")->text().isEmpty());
}

}  // namespace
}  // namespace quorvel::testing
