// Typing an exercise with the keyboard: Enter, "/", the operator dialog, the
// reminder and the key n, with real key events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/operator_dialog.h"
#include "app/radiogroup.h"
#include "view/htmlview.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

struct Typing : Trainer {
    Typing() { Start(); }
    // The window's focused control (window activation after the dialog may lag offscreen).
    QWidget* Focus() const { return window->focusWidget(); }
    // Answers the operator dialog, once it is shown, with a key.
    void AnswerDialogWith(std::function<void(OperatorDialog*)> answer) {
        OperatorDialog* dialog = window->Dialog();
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [dialog, answer, poll] {
            if (dialog->isVisible()) {
                answer(dialog);
            } else {
                QTimer::singleShot(10, *poll);
            }
        };
        QTimer::singleShot(0, *poll);
    }
};

TEST(Keyboard, FractionOperatorAndFocusFlow) {
    Typing t;
    t.Field("Eg1")->clear();
    t.Field("Ez1")->clear();
    t.Field("En1")->clear();
    t.Press(t.Field("Eg1"), Qt::Key_Return);
    ASSERT_EQ(t.Focus(), t.Field("Ez1"));
    QTest::keyClicks(t.Focus(), "3");
    QTest::keyClick(t.Focus(), '/');
    ASSERT_EQ(t.Focus(), t.Field("En1"));
    QTest::keyClicks(t.Focus(), "4");
    t.AnswerDialogWith([](OperatorDialog* dialog) { QTest::keyClick(dialog->operationGroup->Button(0), '*'); });
    QTest::keyClick(t.Focus(), Qt::Key_Return);
    EXPECT_EQ(t.Field("Ez1")->text(), "3");
    EXPECT_EQ(t.Field("En1")->text(), "4");
    EXPECT_FALSE(t.window->Dialog()->isVisible());
    EXPECT_EQ(t.Button("BB")->text(), "*");
    EXPECT_EQ(t.Find<RadioGroup>("RadioGroup4")->ItemIndex(), 2);
    EXPECT_EQ(t.Focus(), t.Field("Eg2"));

    QTest::keyClick(t.Focus(), Qt::Key_Return);
    EXPECT_EQ(t.Focus(), t.Field("Ez2"));
    QTest::keyClick(t.Focus(), Qt::Key_Return);
    EXPECT_EQ(t.Focus(), t.Field("En2"));
    QTest::keyClick(t.Focus(), Qt::Key_Return);
    EXPECT_EQ(t.services.messages, QStringList{"Jetzt rechnen!\rDann Klick auf \"=\"!\rDann vergleichen!"});
    EXPECT_EQ(t.Focus(), t.Button("BBgleich"));
    EXPECT_EQ(t.Result(), "||");  // cleared by the change of operation, nothing evaluated
    ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Focus(), Qt::Key_Return); }));
    EXPECT_EQ(t.Result(), "|1|2");  // 3/4 * 18/27
}

TEST(Keyboard, SlashAndMinusAreOrdinaryCharactersElsewhere) {
    Typing t;
    t.Field("Eg1")->clear();
    t.Type(t.Field("Eg1"), "-2/");
    EXPECT_EQ(t.Field("Eg1")->text(), "-2/");
    t.Field("En1")->clear();
    t.Type(t.Field("En1"), "1/N");
    EXPECT_EQ(t.Field("En1")->text(), "1/N");
    EXPECT_EQ(t.Focus(), t.Field("En1"));
    t.Press(t.Field("Enr"), Qt::Key_Return);
    EXPECT_EQ(t.Focus(), t.Field("Eg1"));
}

TEST(Keyboard, MixedBecomesDivisionBeforeTheDialogOpens) {
    Typing t;
    auto* operation = t.Find<RadioGroup>("RadioGroup4");
    operation->SetItemIndex(4);
    t.Button("BB")->setText("+");
    t.Field("Ez")->setText("9");
    int rowShown = -1;
    QString captionShown;
    QString resultShown;
    t.AnswerDialogWith([&](OperatorDialog* dialog) {
        rowShown = dialog->operationGroup->ItemIndex();
        captionShown = t.Button("BB")->text();
        resultShown = t.Field("Ez")->text();
        QTest::keyClick(dialog->operationGroup->Button(rowShown), Qt::Key_Escape);  // Esc confirms
    });
    t.Press(t.Field("En1"), Qt::Key_Return);
    EXPECT_EQ(rowShown, 3);
    EXPECT_EQ(captionShown, ":");
    EXPECT_EQ(resultShown, "");
    EXPECT_EQ(operation->ItemIndex(), 3);
    EXPECT_EQ(t.Focus(), t.Field("Eg2"));
}

TEST(Keyboard, DialogRowChangesReachTheMainWindow) {
    Typing t;
    t.AnswerDialogWith([](OperatorDialog* dialog) {
        QTest::mouseClick(dialog->operationGroup->Button(1), Qt::LeftButton);
        QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    });
    t.Press(t.Field("En1"), Qt::Key_Return);
    EXPECT_EQ(t.Button("BB")->text(), "-");
    // The dialog keeps its row; the main window copies it in only when opening.
    t.AnswerDialogWith([](OperatorDialog* dialog) { QTest::keyClick(dialog->okButton, ':'); });
    t.Press(t.Field("En1"), Qt::Key_Return);
    EXPECT_EQ(t.Button("BB")->text(), ":");
    EXPECT_EQ(t.window->Dialog()->operationGroup->ItemIndex(), 3);
}

// Each focus move of the flow selects the field, so typing replaces what it
// held; a key n whose exercise cannot be posed is still not typed.
TEST(Keyboard, FocusMovesSelectAndAFailingKeyNIsNotTyped) {
    Typing t;
    t.Press(t.Field("Eg1"), Qt::Key_Return);
    EXPECT_EQ(t.Field("Ez1")->selectedText(), "7");
    t.Type(t.Field("Ez1"), "3/");
    EXPECT_EQ(t.Field("Ez1")->text(), "3");
    EXPECT_EQ(t.Field("En1")->selectedText(), "14");

    t.Field("Enr")->setText("99999999999");
    t.Type(t.Field("En1"), "n");
    EXPECT_EQ(t.services.errors.size(), 1);
    EXPECT_EQ(t.Field("En1")->text(), "14");

    // A character the documents' code page lacks stays as typed until "=".
    const QString minus = QString::fromUtf8("\u2212");
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, minus);
    QApplication::sendEvent(t.Field("Ez2"), &typed);
    EXPECT_TRUE(t.Field("Ez2")->text().endsWith(QString::fromUtf8("\u2212")));
}

// The arrow keys select rows from there (at a real keyboard, end to end).
TEST(OperatorDialog, OpensWithTheFocusOnTheSelectedRow) {
    Typing t;
    t.Find<RadioGroup>("RadioGroup4")->SetItemIndex(2);
    QWidget* focused = nullptr;
    t.AnswerDialogWith([&](OperatorDialog* dialog) {
        focused = dialog->focusWidget();
        QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    });
    t.Press(t.Field("En1"), Qt::Key_Return);
    EXPECT_EQ(focused, t.window->Dialog()->operationGroup->Button(2));
}

TEST(OperatorDialog, LayoutAsDesigned) {
    Typing t;
    OperatorDialog* dialog = t.window->Dialog();
    EXPECT_EQ(dialog->windowTitle(), "Eingabe");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(dialog->operationGroup->Count(), 4);
    EXPECT_EQ(dialog->operationGroup->Item(3), "Division");
    EXPECT_EQ(dialog->okButton->text(), "Ok");
    EXPECT_TRUE(dialog->okButton->isDefault());
    EXPECT_EQ(dialog->y(), 0);
}

TEST(KeyN, PosesAndSolvesTheNextExercise) {
    Typing t;
    t.Field("Enr")->setFocus();
    ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Focus(), 'n'); }));
    EXPECT_EQ(t.Field("Enr")->text(), "1 a");
    EXPECT_EQ(t.Result(), "|19|28");
    EXPECT_TRUE(PageText(*t.window->View()).contains("Aufgabe 1 a)"));
    ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Focus(), 'n'); }));
    EXPECT_EQ(t.Field("Enr")->text(), "1 b");
    EXPECT_EQ(t.Focus(), t.Field("Eg1"));
    EXPECT_FALSE(t.Field("Eg1")->text().contains('n'));
    // The capital N is typed.
    t.Type(t.Field("Ez2"), "N");
    EXPECT_TRUE(t.Field("Ez2")->text().endsWith("N"));
    EXPECT_EQ(t.Field("Enr")->text(), "1 b");
}

// Counts every move and resize of a widget.
struct GeometryWatch : QObject {
    int changes = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) ++changes;
        return false;
    }
};

TEST(KeyN, ThePageBelowNeitherMovesNorResizes) {
    // A view that changes its size lays out the whole collection again.
    Typing t;
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    t.Find<RadioGroup>("RadioGroup4")->SetItemIndex(4);  // "mischen": the labels change their names
    t.Field("Enr")->setFocus();
    QApplication::processEvents();
    GeometryWatch watch;
    HtmlView* view = t.window->View();
    view->installEventFilter(&watch);
    const QRect before = view->geometry();  // the tip has not been shown yet
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(t.LoadAfter([&] { QTest::keyClick(t.Focus(), 'n'); }));
        QApplication::processEvents();
    }
    t.Type(t.Field("Eg1"), "2");  // shows the tip
    ASSERT_TRUE(t.Find<QLabel>("Label2")->isVisible());
    ASSERT_TRUE(t.LoadAfter([&] { t.Button("BBgleich")->click(); }));  // hides it
    QApplication::processEvents();
    EXPECT_EQ(watch.changes, 0);
    EXPECT_EQ(view->geometry(), before);
    view->removeEventFilter(&watch);
}

TEST(KeyN, IgnoredOnTheSettingsScreen) {
    Trainer t;
    const std::string document = t.window->Document().Text();
    t.Type(t.Find<RadioGroup>("RadioGroup1")->Button(0), "n");
    QApplication::processEvents();
    EXPECT_EQ(t.Field("Enr")->text(), "Bsp.");
    EXPECT_TRUE(t.services.errors.isEmpty());
    EXPECT_EQ(t.window->Document().Text(), document);
}

TEST(Tips, WholePartAndNumeratorTips) {
    Typing t;
    auto* tip = t.Find<QLabel>("Label2");
    t.Type(t.Field("Eg1"), "2");
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->text(), QString::fromUtf8("Tipp: Zahl eingeben. Abschluss mit Eingabetaste! Kein gemischter Bruch: Nur Eingabetaste!"));
    EXPECT_EQ(tip->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(t.Field("Eg1")->palette().color(QPalette::Base), QColor(Qt::white));
    t.Type(t.Field("Ez1"), "1");
    EXPECT_EQ(tip->text(), QString::fromUtf8("Tipp: Eingabe jeweils mit der Eingabetaste abschließen. Dann ist man gleich im nächsten Feld."));
    EXPECT_EQ(tip->palette().color(QPalette::Window), t.window->palette().color(QPalette::Button));
    QTest::mouseClick(t.Button("BB6"), Qt::LeftButton);  // hides the tip
    QTest::mouseClick(t.Field("Eg1"), Qt::LeftButton);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_TRUE(tip->text().startsWith("Tipp: Zahl"));
    t.Field("Eg1")->clear();
    EXPECT_EQ(t.Field("Eg1")->palette().color(QPalette::Base), t.window->palette().color(QPalette::Button));
    // The second operand shows no tip.
    QTest::mouseClick(t.Button("BB6"), Qt::LeftButton);
    ASSERT_FALSE(tip->isVisible());
    t.Type(t.Field("Eg2"), "3");
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(t.Field("Eg2")->palette().color(QPalette::Base), QColor(Qt::white));
}

}  // namespace
}  // namespace quorvel::testing
