// The two screens, start-up and closing, on the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "app/operator_dialog.h"
#include "view/qtext.h"
#include "app/radiogroup.h"
#include "document/helppages.h"
#include "view/htmlview.h"
#include "fraction/cp1252.h"
#include "solution/lines.h"
#include "harness.h"

namespace quorvel::testing {
namespace {

QString W(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(StartScreen, ShowsTheSettingsAboveTheInstructions) {
    Trainer t;
    EXPECT_TRUE(t.window->windowTitle().endsWith("Quorvel"));
    EXPECT_EQ(t.window->windowTitle(), QString(41, ' ') + "Quorvel");
    EXPECT_TRUE(t.Find("Panel1")->isVisible());
    EXPECT_FALSE(t.Find("Panel2")->isVisible());
    EXPECT_FALSE(t.Find("Panel3")->isVisible());
    for (const char* name : {"Button2", "Button1", "Bggtkgv", "Button3"}) EXPECT_TRUE(t.Button(name)->isVisible()) << name;
    EXPECT_FALSE(t.Button("Button4")->isVisible());
    EXPECT_EQ(t.Button("Button2")->text(), "Start");
    EXPECT_EQ(t.Button("Button1")->text(), W("Schließen"));
    EXPECT_EQ(t.Button("Bggtkgv")->text(), "ggT kgV");
    EXPECT_EQ(t.Button("Button3")->text(), "Drucken");
    EXPECT_EQ(t.Find<QLabel>("Label1")->text(), "Einstellungen");

    EXPECT_TRUE(t.window->View()->HoldsDocument());
    EXPECT_EQ(t.window->Document().Text(), Normalise(InstructionsPage()));
    EXPECT_TRUE(PageText(*t.window->View()).contains("Anleitung"));
    // The operator dialog exists, hidden.
    ASSERT_NE(t.window->Dialog(), nullptr);
    EXPECT_FALSE(t.window->Dialog()->isVisible());
}

TEST(StartScreen, WindowStandsAtTheTopTwentyPixelsShorterThanTheScreen) {
    Trainer t;
    const QRect screen = t.window->screen()->geometry();
    EXPECT_EQ(t.window->frameGeometry().top(), 0);
    EXPECT_EQ(t.window->frameGeometry().height(), std::min(screen.height() - 20, t.window->screen()->availableGeometry().height()));
}

// On the smallest screen the window stays on it, and every result field shows
// the longest number whole: scrolled to its end, its start has not moved.
TEST(StartScreen, WindowFitsTheScreenAndResultFieldsShowAnyNumber) {
    Trainer t;
    t.Start();
    EXPECT_TRUE(t.window->screen()->availableGeometry().contains(t.window->frameGeometry()));
    for (const char* name : {"Eg", "Ez", "En"}) {
        QLineEdit* field = t.Field(name);
        auto startOf = [field](const QString& text) {
            field->setText(text);
            field->end(false);
            field->grab();  // lays the text out as painting does
            field->home(false);
            return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        };
        EXPECT_EQ(startOf("-2147483648"), startOf("0")) << name;
    }
}

TEST(StartScreen, ControlsCarryTheirDesignTexts) {
    Trainer t;
    EXPECT_EQ(t.Field("Enr")->text(), "Bsp.");
    EXPECT_EQ(t.Field("Ez1")->text(), "7");
    EXPECT_EQ(t.Field("En1")->text(), "14");
    EXPECT_EQ(t.Field("Ez2")->text(), "18");
    EXPECT_EQ(t.Field("En2")->text(), "27");
    EXPECT_EQ(t.Field("Eg")->text(), " ");
    EXPECT_EQ(t.Button("BB")->text(), "+");
    EXPECT_EQ(t.Button("BBgleich")->text(), "=");
    EXPECT_EQ(t.Button("BB6")->text(), "Neue Aufgabe");
    EXPECT_EQ(t.Find<QLabel>("LErg")->text(), "Summe");
    EXPECT_EQ(t.Button("Button7")->toolTip(), W("Erklärungen"));
    EXPECT_EQ(t.Field("Eg")->focusPolicy(), Qt::ClickFocus);
    const QStringList memo = t.Find<QPlainTextEdit>("Memo1")->toPlainText().split('\n');
    EXPECT_EQ(memo, (QStringList{W("Rechenoperation auswählen und auf"), W("\"Neue Aufgabe\" klicken."),
                                 W("Über \"Zurück\" kannst Du den"), W("Schwierigkeitsgrad und die Art der Brüche"),
                                 W("bestimmen."), W("Oder: Rechnung eintippen!")}));
    auto* kinds = t.Find<RadioGroup>("RadioGroup2");
    EXPECT_EQ(kinds->title(), W("Art der Brüche"));
    EXPECT_EQ(kinds->Item(2), "Gemischte Zahlen");
    EXPECT_EQ(t.Find<RadioGroup>("RadioGroup1")->Item(1), W("Könner"));
    EXPECT_EQ(t.Find<RadioGroup>("RadioGroup4")->Count(), 5);
    EXPECT_EQ(t.Find<RadioGroup>("RadioGroup3")->ItemIndex(), 0);
}

TEST(Screens, StartEmptiesTheViewButKeepsTheDocument) {
    Trainer t;
    const std::string instructions = t.window->Document().Text();
    t.Start();
    EXPECT_FALSE(t.Find("Panel1")->isVisible());
    EXPECT_TRUE(t.Find("Panel2")->isVisible());
    EXPECT_TRUE(t.Find("Panel3")->isVisible());
    EXPECT_TRUE(t.Button("Button7")->isVisible());
    EXPECT_FALSE(t.window->View()->HoldsDocument());
    EXPECT_EQ(t.window->View()->url(), QUrl("about:blank"));
    EXPECT_EQ(t.window->Document().Text(), instructions);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == t.Field("Eg1"); }));

    QTest::mouseClick(t.Button("Button5"), Qt::LeftButton);
    EXPECT_TRUE(t.Find("Panel1")->isVisible());
    EXPECT_FALSE(t.Find("Panel2")->isVisible());
    EXPECT_TRUE(t.Button("Button4")->isVisible());
}

TEST(Screens, RepeatedStartAndBackKeepTheExercisePanelAboveTheCalculation) {
    Trainer t;
    for (int i = 0; i < 3; ++i) {
        t.Start();
        QWidget* exercisePanel = t.Find("Panel2");
        QWidget* calculationPanel = t.Find("Panel3");
        EXPECT_EQ(exercisePanel->y(), 0);
        EXPECT_EQ(calculationPanel->y(), exercisePanel->geometry().bottom() + 1);
        EXPECT_GT(t.window->View()->y(), calculationPanel->y());
        QTest::mouseClick(t.Button("Button5"), Qt::LeftButton);
    }
}

TEST(Screens, EscapePressesStartOrBack) {
    Trainer t;
    QWidget* row = t.Find<RadioGroup>("RadioGroup1")->Button(0);
    t.LoadAfter([&] { t.Press(row, Qt::Key_Escape); });
    EXPECT_TRUE(t.Find("Panel3")->isVisible());
    t.Press(t.Field("Eg1"), Qt::Key_Escape);
    EXPECT_TRUE(t.Find("Panel1")->isVisible());
    // Enter on the settings screen presses "Start" too.
    t.LoadAfter([&] { t.Press(row, Qt::Key_Return); });
    EXPECT_TRUE(t.Find("Panel3")->isVisible());
}

TEST(Screens, CloseEndsTheWindow) {
    Trainer t;
    QTest::mouseClick(t.Button("Button1"), Qt::LeftButton);
    EXPECT_FALSE(t.window->isVisible());
    EXPECT_TRUE(t.services.questions.isEmpty()) << "nothing collected, nothing asked";
}

// The window manager's close button asks like "Schließen" when work is collected.
TEST(Screens, ClosingWithACollectionAsksFirst) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.LoadAfter([&] { t.Find<RadioGroup>("RadioGroup3")->SetItemIndex(1); }));
    ASSERT_TRUE(t.LoadAfter([&] { t.Type(t.Field("Eg1"), "n"); }));
    for (bool yes : {false, true}) {
        t.services.yes = yes;
        t.window->windowHandle()->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return t.services.questions.size() == (yes ? 2 : 1); }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return t.window->isVisible() != yes; }));
    }
}

TEST(HelpPages, GcdLcmMakesExplanationsVisibleAndExplanationsComeBack) {
    Trainer t;
    ASSERT_TRUE(t.ClickAndLoad("Bggtkgv"));
    EXPECT_TRUE(t.Button("Button4")->isVisible());
    EXPECT_EQ(t.window->Document().Text(), Normalise(GcdLcmPage()));
    ASSERT_TRUE(t.ClickAndLoad("Button4"));
    EXPECT_EQ(t.window->Document().Text(), Normalise(InstructionsPage()));
}

}  // namespace
}  // namespace quorvel::testing

namespace quorvel::testing {
namespace {

struct Page {
    const char* name;
    std::string (*text)();
    const char* heading;
};

TEST(HelpPages, EachIsACompletePageThatLoads) {
    const Page pages[] = {{"instructions", InstructionsPage, "Anleitung"},
                          {"hints", HintsPage, "Hinweise"},
                          {"gcdlcm", GcdLcmPage, "Vielfache"}};
    Trainer t;
    for (const Page& page : pages) {
        const std::string text = page.text();
        SCOPED_TRACE(page.name);
        EXPECT_EQ(text.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">", 0), 0u);
        EXPECT_NE(text.find("<body text=\"#000000\" bgcolor=\"#FFFFC0\">"), std::string::npos);
        EXPECT_NE(text.find("Lucida Handwriting,Comic Sans MS,Chicago"), std::string::npos);
        EXPECT_NE(text.find("</body>"), std::string::npos);
        for (const char* outside : {"http:", "https:", "www.", "href=", "src="}) {
            EXPECT_EQ(text.find(outside), std::string::npos) << "nothing points outside the program: " << outside;
        }
        EXPECT_EQ(text.find("Anleitung") != std::string::npos, std::string(page.name) == "instructions");
        ASSERT_TRUE(t.LoadAfter([&] { t.window->ShowPage(text); }));
        EXPECT_TRUE(PageText(*t.window->View()).contains(page.heading));
    }
}

TEST(HelpPages, StructureAsDescribed) {
    const std::string instructions = InstructionsPage();
    EXPECT_NE(instructions.find("<title>\xDC" "bungen zum Quorvel</title>"), std::string::npos);
    EXPECT_EQ(instructions.find("<html"), std::string::npos) << "no start tag for the html element";
    EXPECT_NE(instructions.find("margin-left:0,5cm;margin-right:0,5cm;"), std::string::npos);
    for (const char* heading : {"Wichtig!", "Einstellungen beim Start", "Die Stufe:", "Die Art der Br&uuml;che:",
                                "Falls die ausf\xFChrlichen Rechnungen auf Papier gedruckt werden sollen:",
                                "Lege Papier und F&uuml;ller bereit!", "Viel Spa&szlig; mit dem Programm!"}) {
        EXPECT_NE(instructions.find(heading), std::string::npos) << heading;
    }
    // Its lines are separated by lone carriage returns.
    EXPECT_EQ(instructions.find('\n'), std::string::npos);

    const std::string hints = HintsPage();
    EXPECT_NE(hints.find("margin-left:2cm; margin-right=2cm;"), std::string::npos);
    EXPECT_NE(hints.find("charset=ISO-8859-1"), std::string::npos);
    for (const char* text : {"Nummer ausw&auml;hlen", "Aufgaben eintippen", "<b>250 a)</b>", "gemischt.",
                             "Beachte folgende Hinweise zum zeitsparenden Eintippen:"}) {
        EXPECT_NE(hints.find(text), std::string::npos) << text;
    }

    const std::string gcd = GcdLcmPage();
    EXPECT_NE(gcd.find("<html lang=\"ger\">"), std::string::npos);
    EXPECT_NE(gcd.find("<title></title>"), std::string::npos);
    for (char c : gcd) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "plain ASCII";
    EXPECT_NE(gcd.find("style=\"font-size:18pt;line-height:9pt;font-weight:bold;color:red;\""), std::string::npos);
    EXPECT_NE(gcd.find("&mdash;&mdash;&mdash;&mdash;&mdash;&mdash;&mdash;&mdash;"), std::string::npos);
    EXPECT_NE(gcd.find("<table border=\"1\">"), std::string::npos);
    EXPECT_NE(gcd.find("list-style: none"), std::string::npos);
}

TEST(HelpPages, KgvFormulaStandsOverAndUnderItsBar) {
    // The three rows as the monospaced block shows them, one column per entity.
    const std::string gcd = GcdLcmPage();
    std::string block = gcd.substr(gcd.find(">\r\n", gcd.find("<pre style=\"font-size:18pt")) + 3);
    block = block.substr(0, block.find("</pre>"));
    for (std::size_t at; (at = block.find("&middot;")) != std::string::npos;) block.replace(at, 8, "*");
    for (std::size_t at; (at = block.find("&mdash;")) != std::string::npos;) block.replace(at, 7, "=");
    EXPECT_EQ(SplitLines(block), (std::vector<std::string>{std::string(18, ' ') + "b", "kgV(a,b) = a * ========",
                                                            std::string(15, ' ') + "ggT(a,b)"}));
}

TEST(HelpPages, HintsButtonAndFirstPaint) {
    Trainer t;
    t.Start();
    ASSERT_TRUE(t.ClickAndLoad("Button7"));
    EXPECT_EQ(t.window->Document().Text(), Normalise(HintsPage()));
    EXPECT_TRUE(PageText(*t.window->View()).contains(QString::fromUtf8("Auf allen Rechnern ist Aufgabe 250 a) die gleiche.")));
}

}  // namespace
}  // namespace quorvel::testing
