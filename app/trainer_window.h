// The main window: the settings screen (Panel1), the exercise screen (Panel2
// above Panel3), and the HTML view below them. A thin view over the trainer
// model: it forwards its events to the model and shows the model's state.
// Saving and printing, which need the platform, are its own.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "model/trainer.h"

class QFrame;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

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
    HtmlView* View() const { return WebBrowser1; }
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

    QWidget* MakePanel(const char* name, int designHeight);
    void Compact(QLayout* layout);
    void BuildPanel1();
    void BuildPanel2();
    void BuildPanel3();
    void ConnectHandlers();
    void NameControls();
    void NameForChecking(bool checking);
    void PlaceWindow();

    // Shows the model's state.
    void Render();
    void RenderFields();
    void RenderPage();
    QLineEdit* FieldOf(Control field) const;
    Control ControlOf(const QWidget* widget) const;
    void MoveFocus(Control control);

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

public:
    // The controls; their object names are these names.
    QWidget *Panel1, *Panel2, *Panel3;
    QLabel* Label1;
    QPushButton *Button2, *Button1, *Button4, *Bggtkgv, *Button3;
    RadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3;
    QCheckBox* CheckBox1;  // "Mein Ergebnis prüfen"
    QPushButton *Button5, *Button7, *BB6;
    QLabel *Label7, *Label3;
    QLineEdit* Enr;
    RadioGroup* RadioGroup4;
    QPlainTextEdit* Memo1;
    QLineEdit *Eg1, *Ez1, *En1, *Eg2, *Ez2, *En2, *Eg, *Ez, *En;
    QPushButton *BB, *BBgleich;
    QFrame *Label4, *Label5, *Label6;
    QLabel *L1, *L2, *LErg, *Label2;
    QPushButton *Button9, *Button8, *Button10;
    QLabel* Label8;        // the tally of checked results
    QPushButton* Button11;  // "Auswertung"
    HtmlView* WebBrowser1;
};

}  // namespace quorvel
