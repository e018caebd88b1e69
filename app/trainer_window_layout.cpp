// How TrainerWindow is built: its panels, their controls and names, and where the
// window stands on the screen.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/trainer_window.h"
#include "app/radiogroup.h"
#include "app/scaling.h"
#include "app/widgets.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "view/htmlview.h"

namespace quorvel {

namespace {

// The guidance beside the operation, a line at a time.
const char* const kMemoLines[] = {
    "Rechenoperation auswählen und auf",
    "\"Neue Aufgabe\" klicken.",
    "Über \"Zurück\" kannst Du den",
    "Schwierigkeitsgrad und die Art der Brüche",
    "bestimmen.",
    "Oder: Rechnung eintippen!",
};

}  // namespace

void TrainerWindow::PlaceWindow() {
    // At the top of the screen and 20 pixels shorter than it, frame included,
    // at the designed left edge and width; but always inside the screen's
    // free area (panels excluded), moved to the left where it would run off.
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = display->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const int width = std::min(std::max(Design(670), minimumSizeHint().width()), area.width() - frame.width());
    const int height = std::min(display->geometry().height() - 20, area.height()) - frame.height();
    resize(width, height);
    const int left = std::max(area.left(), std::min(Design(297), area.right() + 1 - width - frame.width()));
    move(left, area.top());
}

QWidget* TrainerWindow::MakePanel(const char* name, int designHeight) {
    auto* panel = new QWidget(this);
    panel->setObjectName(name);
    panel->setMinimumHeight(Design(designHeight));
    return panel;
}

// Margins and gaps of the design, which are narrower than the style's.
void TrainerWindow::Compact(QLayout* layout) {
    const int gap = Design(6);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
}

void TrainerWindow::BuildPanel1() {
    Panel1 = MakePanel("Panel1", 197);
    auto* row = new QHBoxLayout(Panel1);
    Compact(row);

    auto* left = new QVBoxLayout;
    Label1 = MakeLabel(Panel1, "Label1", "Einstellungen");
    QFont heading = FontOf(kWindowFonts, 28, true);
    heading.setUnderline(true);
    Label1->setFont(heading);
    Recolour(Label1, QPalette::WindowText, Qt::red);
    left->addWidget(Label1);
    auto* buttons = new QGridLayout;
    buttons->setSpacing(Design(6));
    Button2 = MakeButton(Panel1, "Button2", "Start");
    Button1 = MakeButton(Panel1, "Button1", ToQString("Schließen"_w));
    Button4 = MakeButton(Panel1, "Button4", ToQString("Erklärungen"_w));
    Bggtkgv = MakeButton(Panel1, "Bggtkgv", "ggT kgV");
    Button3 = MakeButton(Panel1, "Button3", "Drucken");
    Button4->hide();
    buttons->addWidget(Button2, 0, 0);
    buttons->addWidget(Button1, 0, 1);
    buttons->addWidget(Button4, 1, 0);
    buttons->addWidget(Bggtkgv, 1, 1);
    buttons->addWidget(Button3, 2, 0);
    left->addLayout(buttons);
    CheckBox1 = new QCheckBox(ToQString("Mein Ergebnis prüfen"_w), Panel1);
    CheckBox1->setObjectName("CheckBox1");
    left->addWidget(CheckBox1);
    left->addStretch();
    row->addLayout(left);

    RadioGroup1 = new RadioGroup("RadioGroup1", "Schwierigkeitsgrad", Items(DifficultyItems()), Panel1);
    RadioGroup2 = new RadioGroup("RadioGroup2", ToQString("Art der Brüche"_w), Items(KindItems()), Panel1);
    RadioGroup3 = new RadioGroup("RadioGroup3", ToQString("Für den Druck"_w), Items(PrintModeItems()), Panel1);
    for (RadioGroup* group : {RadioGroup1, RadioGroup2, RadioGroup3}) {
        Compact(group->layout());
        row->addWidget(group);
    }
}

void TrainerWindow::BuildPanel2() {
    Panel2 = MakePanel("Panel2", 123);
    auto* row = new QHBoxLayout(Panel2);
    Compact(row);

    auto* left = new QGridLayout;
    Button5 = MakeButton(Panel2, "Button5", ToQString("Zurück"_w));
    Button7 = MakeButton(Panel2, "Button7", "Hinweise");
    Button7->setToolTip(ToQString("Erklärungen"_w));
    Button7->hide();
    BB6 = MakeButton(Panel2, "BB6", "Neue Aufgabe");
    BB6->setFont(FontOf(kWindowFonts, 14, true));
    Recolour(BB6, QPalette::ButtonText, Qt::red);
    Label7 = MakeLabel(Panel2, "Label7", "(N)");
    Label3 = MakeLabel(Panel2, "Label3", "Nr.");
    Enr = MakeEdit(Panel2, "Enr");
    left->addWidget(Button5, 0, 0);
    left->addWidget(Button7, 0, 1);
    left->addWidget(BB6, 1, 0);
    left->addWidget(Label7, 1, 1);
    left->addWidget(Label3, 2, 0, Qt::AlignRight);
    left->addWidget(Enr, 2, 1);
    row->addLayout(left);

    RadioGroup4 = new RadioGroup("RadioGroup4", "Rechenoperation", Items(OperationItems()), Panel2);
    row->addWidget(RadioGroup4);

    Memo1 = new QPlainTextEdit(Panel2);
    Memo1->setObjectName("Memo1");
    QStringList lines;
    for (const char* line : kMemoLines) lines << ToQString(cp1252::FromUtf8(line));
    Memo1->setPlainText(lines.join('\n'));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Recolour(Memo1, QPalette::Base, palette().color(QPalette::Window));
    row->addWidget(Memo1, 1);
}

void TrainerWindow::BuildPanel3() {
    Panel3 = MakePanel("Panel3", 116);
    auto* grid = new QGridLayout(Panel3);
    Compact(grid);
    grid->setVerticalSpacing(Design(2));

    Eg1 = MakeEdit(Panel3, "Eg1");
    Ez1 = MakeEdit(Panel3, "Ez1");
    En1 = MakeEdit(Panel3, "En1");
    Eg2 = MakeEdit(Panel3, "Eg2");
    Ez2 = MakeEdit(Panel3, "Ez2");
    En2 = MakeEdit(Panel3, "En2");
    Eg = MakeEdit(Panel3, "Eg");
    Ez = MakeEdit(Panel3, "Ez");
    En = MakeEdit(Panel3, "En");
    for (QLineEdit* result : {Eg, Ez, En}) result->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
    for (QLineEdit* whole : {Eg1, Eg2, Eg}) {
        whole->setFont(FontOf(kWholePartFonts, 17));
        whole->setMaximumWidth(Design(48));
        Recolour(whole, QPalette::Base, palette().color(QPalette::Button));
    }
    for (QLineEdit* part : {Ez1, En1, Ez2, En2}) part->setMaximumWidth(Design(64));
    for (QLineEdit* result : {Eg, Ez, En}) FitToLongestNumber(result);

    const QFont large = FontOf(kWindowFonts, 24, true);
    BB = MakeButton(Panel3, "BB", "+");
    BBgleich = MakeButton(Panel3, "BBgleich", "=");
    for (QPushButton* button : {BB, BBgleich}) {
        button->setFont(large);
        Recolour(button, QPalette::ButtonText, Qt::red);
        button->setMaximumWidth(Design(48));
    }
    Label4 = MakeBar(Panel3, "Label4");
    Label5 = MakeBar(Panel3, "Label5");
    Label6 = MakeBar(Panel3, "Label6");
    L1 = MakeLabel(Panel3, "L1", "1. Summand");
    L2 = MakeLabel(Panel3, "L2", "2. Summand");
    LErg = MakeLabel(Panel3, "LErg", "Summe");
    // Emptied between exercises; their row keeps its height all the same.
    for (QLabel* label : {L1, L2, LErg}) label->setMinimumHeight(label->sizeHint().height());
    Label2 = MakeLabel<TipLabel>(Panel3, "Label2", "Tipp");
    Label2->setAutoFillBackground(true);
    Recolour(Label2, QPalette::Window, kAqua);
    Label2->hide();
    Button9 = MakeButton(Panel3, "Button9", "Speichern");
    Button8 = MakeButton(Panel3, "Button8", "Drucken");
    Button10 = MakeButton(Panel3, "Button10", ToQString("Löschen"_w));
    Label8 = MakeLabel(Panel3, "Label8", "");
    Button11 = MakeButton(Panel3, "Button11", "Auswertung");
    Label8->hide();
    Button11->hide();

    // Columns: whole part, fraction, operator, whole part, fraction, "=",
    // whole part, fraction, document buttons.
    grid->addWidget(Eg1, 1, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(Ez1, 1, 1);
    grid->addWidget(Label4, 2, 1);
    grid->addWidget(En1, 3, 1);
    grid->addWidget(BB, 1, 2, 3, 1, Qt::AlignVCenter);
    grid->addWidget(Eg2, 1, 3, 3, 1, Qt::AlignVCenter);
    grid->addWidget(Ez2, 1, 4);
    grid->addWidget(Label5, 2, 4);
    grid->addWidget(En2, 3, 4);
    grid->addWidget(BBgleich, 1, 5, 3, 1, Qt::AlignVCenter);
    grid->addWidget(Eg, 1, 6, 3, 1, Qt::AlignVCenter);
    grid->addWidget(Ez, 1, 7);
    grid->addWidget(Label6, 2, 7);
    grid->addWidget(En, 3, 7);
    grid->addWidget(L1, 0, 0, 1, 2);
    grid->addWidget(L2, 0, 3, 1, 2);
    grid->addWidget(LErg, 0, 6, 1, 2);
    grid->addWidget(Label2, 4, 0, 1, 8);
    grid->addWidget(Button9, 1, 8);
    grid->addWidget(Button8, 2, 8);
    grid->addWidget(Button10, 3, 8);
    grid->addWidget(Label8, 5, 0, 1, 8);
    grid->addWidget(Button11, 5, 8);
    grid->setColumnStretch(8, 1);
}

// What a screen reader announces, and the typing flow as the Tab order.
void TrainerWindow::NameControls() {
    Name(Button2, "Start", "Zu den Aufgaben");
    Name(Button1, "Schließen", "Beendet das Programm");
    Name(Button4, "Erklärungen", "Zeigt die Anleitung");
    Name(Bggtkgv, "ggT kgV", "Erklärt größten gemeinsamen Teiler und kleinstes gemeinsames Vielfaches");
    Name(Button3, "Drucken", "Druckvorschau der Seite");
    Name(Button5, "Zurück", "Zurück zu den Einstellungen");
    Name(Button7, "Hinweise", "Hinweise zu Aufgabennummern und zum schnellen Eintippen");
    NameForChecking(false);
    Name(Enr, "Aufgabennummer");
    Name(Memo1, "Bedienungshinweis");
    Name(Eg1, "Ganze Zahl des ersten Bruchs", "Leer lassen, wenn der Bruch keine ganze Zahl hat");
    Name(Ez1, "Zähler des ersten Bruchs");
    Name(En1, "Nenner des ersten Bruchs", "Eingabetaste fragt nach der Rechenart");
    Name(BB, "Rechenzeichen", "Rechnet die Aufgabe aus wie das Gleichheitszeichen");
    Name(Eg2, "Ganze Zahl des zweiten Bruchs", "Leer lassen, wenn der Bruch keine ganze Zahl hat");
    Name(Ez2, "Zähler des zweiten Bruchs");
    Name(En2, "Nenner des zweiten Bruchs");
    Name(Eg, "Ergebnis: ganze Zahl");
    Name(Ez, "Ergebnis: Zähler");
    Name(En, "Ergebnis: Nenner");
    Name(Label2, "Tipp");
    Name(Button9, "Speichern", "Speichert die Rechnungen als HTML-Datei");
    Name(Button8, "Drucken", "Druckvorschau der Rechnungen");
    Name(Button10, "Löschen", "Löscht die gesammelten Rechnungen");
    Name(CheckBox1, "Mein Ergebnis prüfen", "Das Gleichheitszeichen prüft zuerst Dein eigenes Ergebnis");
    Name(Button11, "Auswertung", "Zeigt, was richtig war und welche Fehler vorkamen");
    Name(WebBrowser1, "Rechenweg");
    QWidget* flow[] = {Enr, Eg1, Ez1, En1, Eg2, Ez2, En2, Eg, Ez, En, BBgleich, BB6, Button9, Button8, Button10, Button11, Button5, Button7};
    for (std::size_t i = 1; i < std::size(flow); ++i) setTabOrder(flow[i - 1], flow[i]);
}

// "=" and "Neue Aufgabe" do other things when the pupil's result is checked.
void TrainerWindow::NameForChecking(bool checking) {
    Name(BBgleich, checking ? "Gleich: prüfen" : "Gleich: ausrechnen",
         checking ? "Prüft Dein Ergebnis und zeigt den Rechenweg" : "Trägt das Ergebnis ein und zeigt den Rechenweg");
    Name(BB6, "Neue Aufgabe",
         checking ? "Stellt die nächste Aufgabe; Taste n stellt sie und springt ins Ergebnis"
                  : "Stellt die nächste Aufgabe; Taste n stellt und rechnet sie");
}

}  // namespace quorvel
