#include "app/trainer_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/operator_dialog.h"
#include "app/platform.h"
#include "app/radiogroup.h"
#include "app/widgets.h"
#include "view/htmlview.h"
#include "view/printpreview.h"
#include "view/qtext.h"
#include "view/saving.h"

namespace quorvel {

namespace {

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

Keystroke StrokeOf(const QKeyEvent* key) {
    if (IsEnter(key)) return {Keystroke::Enter};
    if (key->key() == Qt::Key_Escape) return {Keystroke::Escape};
    return {Keystroke::Character, TypedCharacter(key)};
}

void SetText(QLabel* label, const std::string& text) {
    const QString value = ToQString(text);
    if (label->text() != value) label->setText(value);
}

}  // namespace

TrainerWindow::TrainerWindow(PlatformServices& services, QWidget* parent)
    : QWidget(parent), services_(services), model_(*this) {
    Identified(this, Element::Window);
    setWindowTitle(QString(41, ' ') + "Quorvel");
    setWindowIcon(ProgramIcon());
    setFont(FontOf(kWindowFonts, 14));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildSettingsScreen();
    BuildExercisePanel();
    BuildCalculationPanel();
    view = Identified(new HtmlView(this), Element::View);
    layout->addWidget(settingsScreen);
    layout->addWidget(exercisePanel);
    layout->addWidget(calculationPanel);
    layout->addWidget(view, 1);
    exercisePanel->hide();
    calculationPanel->hide();

    operatorDialog_ = std::make_unique<OperatorDialog>(model_, this);
    shownRevision_ = model_.State().document.Revision();  // nothing to show before the first paint
    ConnectHandlers();
    OrderTabs();
    // Queued: the engine is still tearing the old page down when it reports.
    connect(view, &HtmlView::PageLost, view, &HtmlView::Restore, Qt::QueuedConnection);
    qApp->installEventFilter(this);
    PlaceWindow();
    Render();
}

TrainerWindow::~TrainerWindow() {
    qApp->removeEventFilter(this);
    // The view ends first, while this window is whole: a PDF it was making
    // answers then, and is dropped.
    closing_ = true;
    if (model_.State().speaking) services_.StopSpeaking();  // the voice stops with the window
    delete view;
}

void TrainerWindow::ConnectHandlers() {
    auto on = [this](QPushButton* button, auto handler) { connect(button, &QPushButton::clicked, this, handler); };
    on(startButton, [this] { model_.Start(); });
    on(backButton, [this] { model_.BackToSettings(); });
    on(closeButton, [this] { model_.Close(); });
    on(instructionsButton, [this] { model_.ShowInstructions(); });
    on(hintsButton, [this] { model_.ShowHints(); });
    on(gcdLcmButton, [this] { model_.ShowGcdAndLcm(); });
    on(newExerciseButton, [this] { model_.PoseExercise(); });
    on(clearButton, [this] { model_.ClearDocument(); });
    for (QPushButton* button : {operatorButton, equalsButton}) on(button, [this] { model_.Solve(); });
    for (QPushButton* button : {settingsPrintButton, printButton}) on(button, [this] { Print(); });
    on(saveButton, [this] { SaveDocument(); });
    on(evaluationButton, [this] { model_.ShowEvaluation(); });
    on(readAloudButton, [this] { model_.ReadAloud(); });
    on(hintButton, [this] { model_.NextHint(QDateTime::currentMSecsSinceEpoch()); });
    connect(stepAnswer, &QLineEdit::textEdited, this, [this](const QString& text) { model_.EditStepAnswer(FromQString(text)); });
    // F1 asks for the next hint wherever the cursor stands in the window.
    auto* hintKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(hintKey, &QShortcut::activated, this, [this] {
        if (hintButton->isVisible()) hintButton->click();
    });
    connect(checkingBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!rendering_) model_.SetChecking(on);
    });
    connect(practiceBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!rendering_) model_.SetPracticing(on);
    });
    connect(practiceLength, &QSpinBox::valueChanged, this, [this](int count) {
        if (!rendering_) model_.SetPracticeLength(count);
    });
    on(finishButton, [this] { model_.FinishPractice(); });

    const std::pair<RadioGroup*, Group> groups[] = {{difficultyGroup, Group::Difficulty},
                                                    {kindGroup, Group::Kind},
                                                    {printModeGroup, Group::PrintMode},
                                                    {operationGroup, Group::Operation}};
    for (auto [radioGroup, group] : groups) {
        connect(radioGroup, &RadioGroup::Click, this, [this, radioGroup = radioGroup, group = group] {
            if (!rendering_) model_.SelectRow(group, radioGroup->ItemIndex());
        });
    }
    for (int i = 0; i < kFieldCount; ++i) {
        connect(FieldOf(Control(i)), &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (!rendering_) model_.EditField(Control(i), FromQString(text));
        });
    }
}

// ---- what the model asks ----

void TrainerWindow::ShowMessage(const std::string& text) { services_.ShowMessage(this, ToQString(text)); }

void TrainerWindow::ShowError(const std::string& text) { services_.ShowError(this, ToQString(text)); }

void TrainerWindow::AskQuestion(const std::string& text) {
    model_.AnswerQuestion(services_.AskYesNo(this, ToQString(text)));
}

bool TrainerWindow::Speak(const std::string& words) {
    const int reading = ++readings_;
    // The end is told after the operation that may have caused it.
    return services_.Speak(ToQString(words), [this, reading] {
        QTimer::singleShot(0, this, [this, reading] {
            if (reading == readings_) model_.SpeechEnded();
        });
    });
}

void TrainerWindow::StopSpeaking() { services_.StopSpeaking(); }

void TrainerWindow::OpenOperatorDialog() {
    operatorDialog_->exec();  // closes when the model's dialog closes
    activateWindow();
}

void TrainerWindow::ShowPage(const std::string& text) {
    model_.ShowPage(text);
    Render();
}

// ---- showing the state ----

QLineEdit* TrainerWindow::FieldOf(Control field) const {
    QLineEdit* const fields[kFieldCount] = {exerciseNumber, firstWhole,      firstNumerator,    firstDenominator,
                                            secondWhole,    secondNumerator, secondDenominator, resultWhole,
                                            resultNumerator, resultDenominator};
    return fields[int(field)];
}

Control TrainerWindow::ControlOf(const QWidget* widget) const {
    if (!widget || !widget->isVisible()) return Control::Elsewhere;
    for (int i = 0; i < kFieldCount; ++i) {
        if (widget == FieldOf(Control(i))) return Control(i);
    }
    if (widget == equalsButton) return Control::Equals;
    if (exercisePanel->isAncestorOf(widget) || calculationPanel->isAncestorOf(widget)) return Control::ExerciseControl;
    if (view == widget || view->isAncestorOf(widget)) return Control::View;
    return Control::Elsewhere;
}

void TrainerWindow::Render() {
    if (rendering_) return;
    rendering_ = true;
    const TrainerState& state = model_.State();
    settingsScreen->setVisible(!state.exerciseScreen);
    exercisePanel->setVisible(state.exerciseScreen);
    calculationPanel->setVisible(state.exerciseScreen);
    instructionsButton->setVisible(state.explanationsShown);
    hintsButton->setVisible(state.hintsShown);
    RenderFields();
    SetText(firstLabel, state.labels.first);
    SetText(secondLabel, state.labels.second);
    SetText(resultLabel, state.labels.result);
    operatorButton->setText(QString(QChar(state.op)));
    RadioGroup* const groups[] = {difficultyGroup, kindGroup, printModeGroup, operationGroup};
    for (int group = 0; group < 4; ++group) groups[group]->SetItemIndex(state.Row(Group(group)));
    if (state.tipShown) {
        tipLabel->setText(ToQString(TrainerModel::TipText(state.wholePartTip)));
        Recolour(tipLabel, QPalette::Window, state.wholePartTip ? kAqua : palette().color(QPalette::Button));
    }
    tipLabel->setVisible(state.tipShown);
    checkingBox->setChecked(state.checking);
    // Compared with what the names say, not with the box: a click ticks it
    // before the model hears of it.
    if (namedForChecking_ != state.checking) {
        NameForChecking(state.checking);
        namedForChecking_ = state.checking;
    }
    if (state.checking) SetText(tallyLabel, TallyText(state.tally));
    tallyLabel->setVisible(state.checking);
    evaluationButton->setVisible(state.checking);
    readAloudButton->setChecked(state.speaking);
    RenderHints();
    RenderPractice();
    operatorDialog_->Follow(state);
    RenderPage();
    rendering_ = false;
    if (std::optional<Control> focus = model_.TakeFocusMove()) MoveFocus(*focus);
}

// "Tipp" with checking on; the question's row while a step question is
// open, the cursor moved into its answer when it opens. The hint's newest
// words go to a screen reader as the description of the hint's controls,
// without moving the focus.
void TrainerWindow::RenderHints() {
    const TrainerState& state = model_.State();
    hintButton->setVisible(state.checking);
    hintButton->setEnabled(state.moreHints);
    const bool asking = !state.stepQuestion.empty();
    SetText(stepQuestion, state.stepQuestion);
    // Their row is there with checking on only; while no question is open
    // it keeps its room.
    for (QWidget* widget : {static_cast<QWidget*>(stepQuestion), static_cast<QWidget*>(stepAnswer)}) {
        QSizePolicy policy = widget->sizePolicy();
        if (policy.retainSizeWhenHidden() != state.checking) {
            policy.setRetainSizeWhenHidden(state.checking);
            widget->setSizePolicy(policy);
        }
    }
    stepQuestion->setVisible(asking);
    stepAnswer->setVisible(asking);
    if (FromQString(stepAnswer->text()) != state.stepAnswer) stepAnswer->setText(ToQString(state.stepAnswer));
    const bool questionOpened = asking && state.stepQuestion != shownStepQuestion_;
    shownStepQuestion_ = state.stepQuestion;
    if (state.hintWords != shownHintWords_) {
        shownHintWords_ = state.hintWords;
        const QString words = ToQString(state.hintWords);
        const std::pair<QWidget*, Element> controls[] = {{hintButton, Element::HintButton}, {stepAnswer, Element::StepAnswer}};
        for (auto [widget, element] : controls) {
            widget->setAccessibleDescription(words.isEmpty() ? ToQString(NamesOf(element).description) : words);
            QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
    // After the model's own move of the focus, which comes at the end of Render.
    if (questionOpened) QTimer::singleShot(0, stepAnswer, [this] { stepAnswer->setFocus(Qt::OtherFocusReason); });
}

// "Üben, bis es sitzt": the choice on the settings screen; while practising
// the skill list and "Fertig" in the guidance's place, always there, so that
// nothing moves between exercises. What changed in the list goes to a screen
// reader as the list's description, as the hint's words do.
void TrainerWindow::RenderPractice() {
    const TrainerState& state = model_.State();
    practiceBox->setChecked(state.practicing);
    if (practiceLength->value() != state.practiceLength) practiceLength->setValue(state.practiceLength);
    guidance->setVisible(!state.practicing);
    practiceSkills->setVisible(state.practicing);
    finishButton->setVisible(state.practicing);
    finishButton->setEnabled(state.practiceDone > 0);
    QStringList lines;
    for (const PracticeSkillLine& line : state.practiceSkills) lines << ToQString(line.words);
    const QString list = lines.join('\n');
    if (practiceSkills->toPlainText() != list) practiceSkills->setPlainText(list);
    if (state.practiceWords != shownPracticeWords_) {
        shownPracticeWords_ = state.practiceWords;
        const QString words = ToQString(state.practiceWords);
        practiceSkills->setAccessibleDescription(words.isEmpty() ? ToQString(NamesOf(Element::PracticeSkills).description)
                                                                 : words);
        QAccessibleEvent changed(practiceSkills, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

// Enter answers the step question, Esc closes it; every other key is the
// answer's own, key n included.
bool TrainerWindow::StepAnswerKey(const QKeyEvent* key) {
    if (IsEnter(key)) {
        model_.AnswerStepQuestion(FromQString(stepAnswer->text()));
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        model_.LeaveStepQuestion();
        return true;
    }
    return false;
}

void TrainerWindow::RenderFields() {
    const TrainerState& state = model_.State();
    for (int i = 0; i < kFieldCount; ++i) {
        // Compared in the model's code page: a character it lacks, typed
        // into a field, stays there as the pupil typed it.
        QLineEdit* field = FieldOf(Control(i));
        const std::string& text = state.fields[std::size_t(i)];
        if (FromQString(field->text()) != text) field->setText(ToQString(text));
    }
    // With checking on, the pupil types the result, and its colour is the verdict's.
    const QColor verdict =
        state.resultVerdict ? QColor(QString::fromLatin1(VerdictColour(*state.resultVerdict))) : QColor();
    QLineEdit* const wholeParts[] = {firstWhole, secondWhole, resultWhole};
    for (int i = 0; i < 3; ++i) {
        const QColor base = state.wholePartWhite[std::size_t(i)] ? kWhite : palette().color(QPalette::Button);
        Recolour(wholeParts[i], QPalette::Base, wholeParts[i] == resultWhole && verdict.isValid() ? verdict : base);
    }
    for (QLineEdit* part : {resultNumerator, resultDenominator}) {
        Recolour(part, QPalette::Base, verdict.isValid() ? verdict : palette().color(QPalette::Base));
    }
    for (QLineEdit* result : {resultWhole, resultNumerator, resultDenominator}) {
        result->setFocusPolicy(state.checking ? Qt::StrongFocus : Qt::ClickFocus);
        result->setAccessibleDescription(ToQString(state.verdictWords));
    }
}

void TrainerWindow::RenderPage() {
    const TrainerState& state = model_.State();
    if (state.pageBlank) {
        if (!shownBlank_ || shownBlankings_ != state.blankings) view->ShowBlank();
        shownBlank_ = true;
        shownBlankings_ = state.blankings;
    } else if (shownBlank_ || state.document.Revision() != shownRevision_) {
        shownBlank_ = false;
        shownRevision_ = state.document.Revision();
        view->ShowBody(state.document.Text(), state.document.NewestStart(), state.document.Spoken());
    }
}

// Like a move by the Tab key: a field's whole text is selected, so what the
// pupil types next replaces it.
void TrainerWindow::MoveFocus(Control control) {
    QWidget* target = control == Control::Equals ? static_cast<QWidget*>(equalsButton)
                      : IsField(control)             ? FieldOf(control)
                                                     : nullptr;
    if (!target) return;
    target->setFocus(Qt::TabFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(target)) field->selectAll();
}

// ---- events ----

bool TrainerWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window manager tells the size of its frame only once it has taken
    // the window, at the latest when it activates it: placed again then, the
    // title bar stays on the screen.
    const bool placing = (event->type() == QEvent::Show && placed_ == Placed::No) ||
                         (event->type() == QEvent::WindowActivate && placed_ != Placed::WithFrame);
    if (placing) {
        placed_ = event->type() == QEvent::Show ? Placed::WithoutFrame : Placed::WithFrame;
        PlaceWindow();
    }
    if (event->type() == QEvent::Paint || event->type() == QEvent::WindowActivate) {
        // Deferred, so that a paint never loads a page in the middle of painting.
        QTimer::singleShot(0, this, [this] {
            model_.WindowPainted(ControlOf(focusWidget()), isActiveWindow(), QApplication::activeModalWidget() != nullptr);
        });
    }
    return handled;
}

bool TrainerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == firstWhole || watched == firstNumerator)) {
        model_.ClickField(watched == firstWhole ? Control::FirstWhole : Control::FirstNumerator);
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Keys reach the control that has the focus; the window sees them first.
    if (widget->window() != this || (widget != QApplication::focusWidget() && widget != focusWidget())) return false;
    if (preparingPrint_) return true;  // no input while a preview is prepared
    auto* key = static_cast<QKeyEvent*>(event);
    if (widget == stepAnswer) return StepAnswerKey(key);
    if (auto* button = qobject_cast<QPushButton*>(widget); button && IsEnter(key)) {
        button->click();  // Enter presses the focused button
        return true;
    }
    return model_.KeyPress(ControlOf(widget), StrokeOf(key));
}

// The window manager's close button and Alt+F4 ask like "Schließen".
void TrainerWindow::closeEvent(QCloseEvent* event) {
    if (model_.MayClose()) {
        event->accept();
        return;
    }
    event->ignore();
    // Asked after this event: a "Ja" closes the window anew.
    QTimer::singleShot(0, this, [this] { model_.Close(); });
}

// ---- saving and printing ----

void TrainerWindow::SaveDocument() {
    Guarded(services_, this, [this] {
        SaveRequest request{lastFileName_, {"HTML (*.html)", "Alle Dateien (*.*)"}, "html"};
        std::optional<QString> fileName = services_.AskSaveFileName(this, request);
        if (!fileName) {
            services_.ShowMessage(this, "Nicht gespeichert");
            return;
        }
        lastFileName_ = *fileName;
        const QString failure = WriteFailure(WriteFile(*fileName, model_.DocumentFile()), *fileName);
        if (!failure.isEmpty()) services_.ShowError(this, failure + ".");
    });
}

void TrainerWindow::Print() {
    view->Restore();  // never a lost page
    if (preparingPrint_) return;
    if (view->url().isEmpty()) return;  // no page at all yet; the empty page after "Start" prints
    // The PDF of the page comes later. Until then the window takes nothing,
    // so that the preview shows the page as it was when "Drucken" was clicked.
    preparingPrint_ = true;
    QPointer<QWidget> focus = QApplication::focusWidget();
    setEnabled(false);
    PreparePdf(*view, [this, focus](std::optional<QByteArray> pdf) {
        if (closing_) return;
        preparingPrint_ = false;
        setEnabled(true);
        if (focus) focus->setFocus();
        Guarded(services_, this, [&] {
            if (!pdf || !services_.ShowPrintPreview(this, *pdf)) {
                services_.ShowMessage(this, "Druckervorschau fehlgeschlagen");
            }
        });
    });
}

}  // namespace quorvel
