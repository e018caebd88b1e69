// The main window: the settings screen, or the exercise screen with its two
// panels, the exercise's choice above the calculation; and the HTML view
// below them. A thin view over the trainer model: it forwards its events to
// the model and shows the model's state.
// Saving and printing, which need the platform, are its own.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "model/controls.h"
#include "model/trainer.h"

class QFrame;
class QKeyEvent;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace quorvel {

class OperatorDialog;
class HtmlView;
class PlatformServices;
class RadioGroup;

class TrainerWindow : public QWidget, private TrainerHost {
    Q_OBJECT
public:
    // services answers message boxes and dialogs; it must outlive the window.
    explicit TrainerWindow(PlatformServices& services, QWidget* parent = nullptr);
    ~TrainerWindow() override;

    const TrainerModel& Model() const { return model_; }
    const DocumentBody& Document() const { return model_.State().document; }
    const SolutionLines& Solution() const { return model_.Solution(); }
    HtmlView* View() const { return view; }
    OperatorDialog* Dialog() const { return operatorDialog_.get(); }
    bool PreparingPrint() const { return preparingPrint_; }

    void ShowInstructions() { model_.ShowInstructions(); }
    void Print();  // "Drucken"
    void SaveDocument();  // "Speichern"
    void ShowPage(const std::string& text);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // TrainerHost
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void OpenOperatorDialog() override;
    void AskQuestion(const std::string& text) override;
    void CloseWindow() override { close(); }
    void Changed() override { Render(); }
    bool Speak(const std::string& words) override;
    void StopSpeaking() override;

    QWidget* MakePanel(Element element, int designHeight);
    void Compact(QLayout* layout);
    void BuildSettingsScreen();
    void BuildExercisePanel();   // back, "Neue Aufgabe", the number, the operation, the guidance
    void BuildCalculationPanel();  // the fields, the operator, "=", the tip, the document's buttons
    void ConnectHandlers();
    void OrderTabs();
    void NameForChecking(bool checking);
    void PlaceWindow();

    // Shows the model's state.
    void Render();
    void RenderFields();
    void RenderPage();
    QLineEdit* FieldOf(Control field) const;
    Control ControlOf(const QWidget* widget) const;
    void MoveFocus(Control control);
    void RenderHints();
    void RenderPractice();
    bool StepAnswerKey(const QKeyEvent* key);

    PlatformServices& services_;
    TrainerModel model_;
    std::unique_ptr<OperatorDialog> operatorDialog_;
    bool rendering_ = false;
    std::uint64_t shownRevision_ = 0;  // of the document the page was given
    bool shownBlank_ = false;
    int shownBlankings_ = 0;
    enum class Placed { No, WithoutFrame, WithFrame } placed_ = Placed::No;
    bool preparingPrint_ = false;  // "Drucken" waits for the PDF of the page
    bool closing_ = false;
    std::optional<bool> namedForChecking_;  // how "=" and "Neue Aufgabe" are named now
    QString lastFileName_;
    int readings_ = 0;  // counts the readings aloud: only the newest one's end counts
    std::string shownStepQuestion_;  // the step question the window showed last
    std::string shownHintWords_;     // the hint's words a screen reader was given last
    std::string shownPracticeWords_;  // the practice's words a screen reader was given last

public:
    // The controls. Their object names and what a screen reader hears of them
    // are the table's (model/controls.h).
    QWidget *settingsScreen, *exercisePanel, *calculationPanel;
    // The settings screen.
    QLabel* settingsHeading;
    QPushButton *startButton, *closeButton, *instructionsButton, *gcdLcmButton, *settingsPrintButton;
    RadioGroup *difficultyGroup, *kindGroup, *printModeGroup;
    QCheckBox* checkingBox;  // "Mein Ergebnis prüfen"
    QCheckBox* practiceBox;  // "Üben, bis es sitzt"
    QLabel* practiceLengthLabel;
    QSpinBox* practiceLength;  // the exercises of a session
    // The exercise screen.
    QPushButton *backButton, *hintsButton, *newExerciseButton;
    QLabel *newExerciseKey, *numberLabel;  // "(N)", "Nr."

    QLineEdit* exerciseNumber;
    RadioGroup* operationGroup;
    QPlainTextEdit* guidance;  // how to go on, beside the operation
    // While practising, in the guidance's place: the skills met, "Fertig".
    QPlainTextEdit* practiceSkills;
    QPushButton* finishButton;
    QLineEdit *firstWhole, *firstNumerator, *firstDenominator;
    QLineEdit *secondWhole, *secondNumerator, *secondDenominator;
    QLineEdit *resultWhole, *resultNumerator, *resultDenominator;
    QPushButton *operatorButton, *equalsButton;
    QFrame *firstBar, *secondBar, *resultBar;                   // the fraction bars
    QLabel *firstLabel, *secondLabel, *resultLabel, *tipLabel;  // "1. Summand", ...
    QPushButton *saveButton, *printButton, *clearButton;
    QPushButton* readAloudButton;   // "Vorlesen", pressed while it reads
    // The hints, with checking on: "Tipp" and a step's question with the
    // pupil's answer.
    QPushButton* hintButton;
    QLabel* stepQuestion;
    QLineEdit* stepAnswer;
    QLabel* tallyLabel;             // the tally of checked results
    QPushButton* evaluationButton;  // "Auswertung"
    HtmlView* view;                 // the page of worked solutions
};

}  // namespace quorvel
