// The main window: the settings screen (Panel1), the exercise screen (Panel2
// above Panel3), and the HTML view below them. Handlers read their controls
// into plain values, call the core, and write back what it returns.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "document/document.h"
#include "entry/evaluation.h"
#include "exercise/generator.h"
#include "fraction/steps.h"

class QFrame;
class QLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvel {

class Form3;
class HtmlView;
class PlatformServices;
class RadioGroup;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // services answers message boxes and dialogs; it must outlive the window.
    explicit Form1(PlatformServices& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The document body behind the view, and the sheet of the last "=".
    const DocumentBody& Document() const { return document_; }
    const SheetLines& Sheet() const { return sheet_.lines; }
    HtmlView* View() const { return WebBrowser1; }
    // True while "Drucken" waits for the page's PDF; the window takes no input then.
    bool PreparingPrint() const { return preparingPrint_; }
    Form3* OperatorDialog() const { return form3_.get(); }

    // Handlers, named after their control and event.
    void FormPaint();
    void Button2Click();
    void Button5Click();
    void Button1Click();
    void Button4Click();
    void Button7Click();
    void BggtkgvClick();
    void Button6Click(QObject* trigger);
    void LGleichClick();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void RadioGroup4Click();
    void ClearResultFields();

    // The first character of the operator button's caption.
    char CurrentOperator() const;
    // Replaces or extends the document by text and shows it in the view.
    void ShowSheet(const std::string& text);
    // Shows the document again after the page was lost with its process.
    void RestorePage();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakePanel(const char* name, int designHeight);
    void Compact(QLayout* layout);
    void BuildPanel1();
    void BuildPanel2();
    void BuildPanel3();
    void ConnectHandlers();
    void NameControls();
    void PlaceWindow();
    // Runs a handler; what escapes it is shown in the general error box.
    void Guarded(const std::function<void()>& handler);
    void ShowError(const std::string& message);

    // Keyboard flow.
    bool FormKeyPress(QObject* target, QKeyEvent* key);
    bool FieldKeyPress(QLineEdit* field, QKeyEvent* key);
    void AskOperator();
    void MoveFocus(QWidget* target);

    // Tips and colours.
    void ShowTip(bool wholePartTip);
    void ColourByContent(QLineEdit* field);
    void SetBackground(QLineEdit* field, const QColor& colour);
    void SetFieldText(QLineEdit* field, const std::string& text);
    void WriteFields(QLineEdit* whole, QLineEdit* numerator, QLineEdit* denominator, const OperandFields& texts);

    PlatformServices& services_;
    quorvel::Sheet sheet_;
    DocumentBody document_;
    ExerciseGenerator generator_;
    bool firstPaint_ = true;
    enum class Placed { No, WithoutFrame, WithFrame } placed_ = Placed::No;
    bool preparingPrint_ = false;  // "Drucken" waits for the PDF of the page
    QString lastFileName_;
    std::unique_ptr<Form3> form3_;

public:
    // The controls; their object names are these names.
    QWidget *Panel1, *Panel2, *Panel3;
    QLabel* Label1;
    QPushButton *Button2, *Button1, *Button4, *Bggtkgv, *Button3;
    RadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3;
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
    HtmlView* WebBrowser1;
};

}  // namespace quorvel
