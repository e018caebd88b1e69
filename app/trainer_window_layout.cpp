// How the trainer window is built: its screens, their controls with their
// names from the table of the controls, the Tab order, and where the window
// stands on the screen.
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
#include <QSpinBox>
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

QWidget* TrainerWindow::MakePanel(Element element, int designHeight) {
    auto* panel = Identified(new QWidget(this), element);
    panel->setMinimumHeight(Design(designHeight));
    return panel;
}

// Margins and gaps of the design, which are narrower than the style's.
void TrainerWindow::Compact(QLayout* layout) {
    const int gap = Design(6);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
}

void TrainerWindow::BuildSettingsScreen() {
    settingsScreen = MakePanel(Element::SettingsScreen, 197);
    auto* row = new QHBoxLayout(settingsScreen);
    Compact(row);

    auto* left = new QVBoxLayout;
    settingsHeading = MakeLabel(settingsScreen, Element::SettingsHeading, "Einstellungen");
    QFont heading = FontOf(kWindowFonts, 28, true);
    heading.setUnderline(true);
    settingsHeading->setFont(heading);
    Recolour(settingsHeading, QPalette::WindowText, Qt::red);
    left->addWidget(settingsHeading);
    auto* buttons = new QGridLayout;
    buttons->setSpacing(Design(6));
    startButton = MakeButton(settingsScreen, Element::StartButton, "Start");
    closeButton = MakeButton(settingsScreen, Element::CloseButton, ToQString("Schließen"_w));
    instructionsButton = MakeButton(settingsScreen, Element::InstructionsButton, ToQString("Erklärungen"_w));
    gcdLcmButton = MakeButton(settingsScreen, Element::GcdLcmButton, "ggT kgV");
    settingsPrintButton = MakeButton(settingsScreen, Element::SettingsPrintButton, "Drucken");
    instructionsButton->hide();
    buttons->addWidget(startButton, 0, 0);
    buttons->addWidget(closeButton, 0, 1);
    buttons->addWidget(instructionsButton, 1, 0);
    buttons->addWidget(gcdLcmButton, 1, 1);
    buttons->addWidget(settingsPrintButton, 2, 0);
    left->addLayout(buttons);
    checkingBox = Identified(new QCheckBox(ToQString("Mein Ergebnis prüfen"_w), settingsScreen), Element::CheckingBox);
    left->addWidget(checkingBox);
    practiceBox = Identified(new QCheckBox(ToQString("Üben, bis es sitzt"_w), settingsScreen), Element::PracticeBox);
    left->addWidget(practiceBox);
    auto* length = new QHBoxLayout;
    length->setSpacing(Design(6));
    practiceLength = Identified(new QSpinBox(settingsScreen), Element::PracticeLength);
    practiceLength->setRange(kShortestSessionLength, kLongestSessionLength);
    practiceLength->setValue(kDefaultSessionLength);
    practiceLengthLabel = new QLabel(ToQString("Aufgaben der Übung:"_w), settingsScreen);
    practiceLengthLabel->setBuddy(practiceLength);
    length->addWidget(practiceLengthLabel);
    length->addWidget(practiceLength);
    length->addStretch();
    left->addLayout(length);
    left->addStretch();
    row->addLayout(left);

    difficultyGroup =
        new RadioGroup(Element::DifficultyGroup, "Schwierigkeitsgrad", Items(DifficultyItems()), settingsScreen);
    kindGroup = new RadioGroup(Element::KindGroup, ToQString("Art der Brüche"_w), Items(KindItems()), settingsScreen);
    printModeGroup =
        new RadioGroup(Element::PrintModeGroup, ToQString("Für den Druck"_w), Items(PrintModeItems()), settingsScreen);
    for (RadioGroup* group : {difficultyGroup, kindGroup, printModeGroup}) {
        Compact(group->layout());
        row->addWidget(group);
    }
}

void TrainerWindow::BuildExercisePanel() {
    exercisePanel = MakePanel(Element::ExercisePanel, 123);
    auto* row = new QHBoxLayout(exercisePanel);
    Compact(row);

    auto* left = new QGridLayout;
    backButton = MakeButton(exercisePanel, Element::BackButton, ToQString("Zurück"_w));
    hintsButton = MakeButton(exercisePanel, Element::HintsButton, "Hinweise");
    hintsButton->setToolTip(ToQString("Erklärungen"_w));
    hintsButton->hide();
    newExerciseButton = MakeButton(exercisePanel, Element::NewExerciseButton, "Neue Aufgabe");
    newExerciseButton->setFont(FontOf(kWindowFonts, 14, true));
    Recolour(newExerciseButton, QPalette::ButtonText, Qt::red);
    newExerciseKey = MakeLabel(exercisePanel, Element::NewExerciseKey, "(N)");
    numberLabel = MakeLabel(exercisePanel, Element::NumberLabel, "Nr.");
    exerciseNumber = MakeEdit(exercisePanel, Element::ExerciseNumber);
    left->addWidget(backButton, 0, 0);
    left->addWidget(hintsButton, 0, 1);
    left->addWidget(newExerciseButton, 1, 0);
    left->addWidget(newExerciseKey, 1, 1);
    left->addWidget(numberLabel, 2, 0, Qt::AlignRight);
    left->addWidget(exerciseNumber, 2, 1);
    row->addLayout(left);

    operationGroup = new RadioGroup(Element::OperationGroup, "Rechenoperation", Items(OperationItems()), exercisePanel);
    row->addWidget(operationGroup);

    guidance = Identified(new QPlainTextEdit(exercisePanel), Element::Guidance);
    QStringList lines;
    for (const char* line : kMemoLines) lines << ToQString(cp1252::FromUtf8(line));
    guidance->setPlainText(lines.join('\n'));
    guidance->setReadOnly(true);
    guidance->setFocusPolicy(Qt::NoFocus);
    Recolour(guidance, QPalette::Base, palette().color(QPalette::Window));

    // While practising the skill list and "Fertig" stand in the guidance's
    // place; the list scrolls rather than grow, so the panel keeps its height.
    practiceSkills = Identified(new QPlainTextEdit(exercisePanel), Element::PracticeSkills);
    practiceSkills->setReadOnly(true);
    practiceSkills->setFocusPolicy(Qt::NoFocus);
    Recolour(practiceSkills, QPalette::Base, palette().color(QPalette::Window));
    finishButton = MakeButton(exercisePanel, Element::FinishButton, "Fertig");
    practiceSkills->hide();
    finishButton->hide();
    auto* beside = new QVBoxLayout;
    beside->setSpacing(Design(6));
    beside->addWidget(guidance, 1);
    beside->addWidget(practiceSkills, 1);
    beside->addWidget(finishButton, 0, Qt::AlignRight);
    row->addLayout(beside, 1);
}

void TrainerWindow::BuildCalculationPanel() {
    calculationPanel = MakePanel(Element::CalculationPanel, 116);
    auto* grid = new QGridLayout(calculationPanel);
    Compact(grid);
    grid->setVerticalSpacing(Design(2));

    firstWhole = MakeEdit(calculationPanel, Element::FirstWhole);
    firstNumerator = MakeEdit(calculationPanel, Element::FirstNumerator);
    firstDenominator = MakeEdit(calculationPanel, Element::FirstDenominator);
    secondWhole = MakeEdit(calculationPanel, Element::SecondWhole);
    secondNumerator = MakeEdit(calculationPanel, Element::SecondNumerator);
    secondDenominator = MakeEdit(calculationPanel, Element::SecondDenominator);
    resultWhole = MakeEdit(calculationPanel, Element::ResultWhole);
    resultNumerator = MakeEdit(calculationPanel, Element::ResultNumerator);
    resultDenominator = MakeEdit(calculationPanel, Element::ResultDenominator);
    // The result fields are skipped by Tab.
    for (QLineEdit* result : {resultWhole, resultNumerator, resultDenominator}) result->setFocusPolicy(Qt::ClickFocus);
    for (QLineEdit* whole : {firstWhole, secondWhole, resultWhole}) {
        whole->setFont(FontOf(kWholePartFonts, 17));
        whole->setMaximumWidth(Design(48));
        Recolour(whole, QPalette::Base, palette().color(QPalette::Button));
    }
    for (QLineEdit* part : {firstNumerator, firstDenominator, secondNumerator, secondDenominator}) {
        part->setMaximumWidth(Design(64));
    }
    for (QLineEdit* result : {resultWhole, resultNumerator, resultDenominator}) FitToLongestNumber(result);

    const QFont large = FontOf(kWindowFonts, 24, true);
    operatorButton = MakeButton(calculationPanel, Element::OperatorButton, "+");
    equalsButton = MakeButton(calculationPanel, Element::EqualsButton, "=");
    for (QPushButton* button : {operatorButton, equalsButton}) {
        button->setFont(large);
        Recolour(button, QPalette::ButtonText, Qt::red);
        button->setMaximumWidth(Design(48));
    }
    firstBar = MakeBar(calculationPanel, Element::FirstBar);
    secondBar = MakeBar(calculationPanel, Element::SecondBar);
    resultBar = MakeBar(calculationPanel, Element::ResultBar);
    firstLabel = MakeLabel(calculationPanel, Element::FirstLabel, "1. Summand");
    secondLabel = MakeLabel(calculationPanel, Element::SecondLabel, "2. Summand");
    resultLabel = MakeLabel(calculationPanel, Element::ResultLabel, "Summe");
    // Emptied between exercises; their row keeps its height all the same.
    for (QLabel* label : {firstLabel, secondLabel, resultLabel}) label->setMinimumHeight(label->sizeHint().height());
    tipLabel = MakeLabel<TipLabel>(calculationPanel, Element::Tip, "Tipp");
    tipLabel->setAutoFillBackground(true);
    Recolour(tipLabel, QPalette::Window, kAqua);
    tipLabel->hide();
    saveButton = MakeButton(calculationPanel, Element::SaveButton, "Speichern");
    printButton = MakeButton(calculationPanel, Element::PrintButton, "Drucken");
    clearButton = MakeButton(calculationPanel, Element::ClearButton, ToQString("Löschen"_w));
    readAloudButton = MakeButton(calculationPanel, Element::ReadAloudButton, "&Vorlesen");
    readAloudButton->setCheckable(true);
    hintButton = MakeButton(calculationPanel, Element::HintButton, "Tipp");
    stepQuestion = MakeLabel(calculationPanel, Element::StepQuestion, "");
    stepAnswer = MakeEdit(calculationPanel, Element::StepAnswer);
    stepQuestion->setBuddy(stepAnswer);
    // With checking on, the question's row keeps its room while no question
    // is open, so that the view below never changes its size between
    // exercises (RenderHints).
    stepQuestion->hide();
    stepAnswer->hide();
    hintButton->hide();
    tallyLabel = MakeLabel(calculationPanel, Element::TallyLabel, "");
    evaluationButton = MakeButton(calculationPanel, Element::EvaluationButton, "Auswertung");
    tallyLabel->hide();
    evaluationButton->hide();

    // Columns: whole part, fraction, operator, whole part, fraction, "=",
    // whole part, fraction, document buttons.
    grid->addWidget(firstWhole, 1, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(firstNumerator, 1, 1);
    grid->addWidget(firstBar, 2, 1);
    grid->addWidget(firstDenominator, 3, 1);
    grid->addWidget(operatorButton, 1, 2, 3, 1, Qt::AlignVCenter);
    grid->addWidget(secondWhole, 1, 3, 3, 1, Qt::AlignVCenter);
    grid->addWidget(secondNumerator, 1, 4);
    grid->addWidget(secondBar, 2, 4);
    grid->addWidget(secondDenominator, 3, 4);
    grid->addWidget(equalsButton, 1, 5, 3, 1, Qt::AlignVCenter);
    grid->addWidget(resultWhole, 1, 6, 3, 1, Qt::AlignVCenter);
    grid->addWidget(resultNumerator, 1, 7);
    grid->addWidget(resultBar, 2, 7);
    grid->addWidget(resultDenominator, 3, 7);
    grid->addWidget(firstLabel, 0, 0, 1, 2);
    grid->addWidget(secondLabel, 0, 3, 1, 2);
    grid->addWidget(resultLabel, 0, 6, 1, 2);
    grid->addWidget(tipLabel, 4, 0, 1, 8);
    grid->addWidget(saveButton, 1, 8);
    grid->addWidget(printButton, 2, 8);
    grid->addWidget(clearButton, 3, 8);
    grid->addWidget(readAloudButton, 4, 8);
    grid->addWidget(tallyLabel, 5, 0, 1, 8);
    grid->addWidget(evaluationButton, 5, 8);
    grid->addWidget(stepQuestion, 6, 0, 1, 5);
    grid->addWidget(stepAnswer, 6, 5, 1, 3);
    grid->addWidget(hintButton, 6, 8);
    grid->setColumnStretch(8, 1);
}

// The typing flow as the Tab order.
void TrainerWindow::OrderTabs() {
    QWidget* flow[] = {exerciseNumber, firstWhole,      firstNumerator,    firstDenominator, secondWhole,
                       secondNumerator, secondDenominator, resultWhole, resultNumerator, resultDenominator,
                       equalsButton, hintButton, stepAnswer, newExerciseButton, finishButton, saveButton, printButton, clearButton, readAloudButton, evaluationButton,
                       backButton, hintsButton};
    for (std::size_t i = 1; i < std::size(flow); ++i) setTabOrder(flow[i - 1], flow[i]);
}

// "=" and "Neue Aufgabe" do other things when the pupil's result is checked.
void TrainerWindow::NameForChecking(bool checking) {
    Name(equalsButton, Element::EqualsButton, checking);
    Name(newExerciseButton, Element::NewExerciseButton, checking);
}

}  // namespace quorvel
