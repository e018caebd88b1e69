#include "app/form1.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/form3.h"
#include "app/platform.h"
#include "view/qtext.h"
#include "app/radiogroup.h"
#include "app/scaling.h"
#include "document/helppages.h"
#include "view/htmlview.h"
#include "view/printpreview.h"
#include "view/saving.h"
#include "entry/evaluation.h"
#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "fraction/errors.h"

namespace quorvel {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kAqua(0, 255, 255);

QFont FontOf(const QStringList& families, int designPixels, bool bold = false) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(Design(designPixels));
    font.setBold(bold);
    return font;
}

const QStringList kWindowFonts = {"MS Sans Serif", "Liberation Sans", "DejaVu Sans", "Sans Serif"};
const QStringList kWholePartFonts = {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Monospace"};

void Recolour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    // The style's usual minimum width would make the window wider than
    // designed; a button may shrink to its caption where room is short.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + Design(16));
    return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

template <class Label = QLabel>
Label* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setText(caption);
    return label;
}

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

QFrame* MakeBar(QWidget* parent, const char* name) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setFixedHeight(Design(4));
    bar->setAutoFillBackground(true);
    Recolour(bar, QPalette::Window, Qt::black);
    return bar;
}

// The guidance beside the operation; blanks at the ends of lines belong to it.
const char* const kMemoLines[] = {
    "Rechenoperation auswählen und auf \"neue  ",
    "Aufabe\" klicken.",
    "Über \"zurück\" kannst Du den  ",
    "Schwierigkeitsgrad und die Art der Brüche ",
    "bestimmen.",
    "Oder: Rechnung eintippen! ",
};

const char kTipWholePart[] = "Tipp: Zahl eingeben. Abschluß mit Eingabetaste! Kein gemischter Bruch: Nur Eingabetaste!";
const char kTipNumerator[] =
    "Tipp: Eingabe jeweils mit der Eingabe abschließen. Dann  ist man gleich im nächsten Feld.";
const char kReminder[] = "Jetzt Rechnen!\rDann Klick auf \"=\"!\rDann vergleichen!";

QString TipText(bool wholePartTip) { return ToQString(cp1252::FromUtf8(wholePartTip ? kTipWholePart : kTipNumerator)); }

// The tip under the fields. It keeps its room while hidden, and its height
// for a width is what the longer of its texts needs, whichever it shows, so
// that showing, hiding or changing it never moves or resizes the page below
// (which would make the engine lay out the whole, possibly long, page again).
class TipLabel : public QLabel {
public:
    explicit TipLabel(QWidget* parent) : QLabel(parent) {
        QSizePolicy policy = sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        setSizePolicy(policy);
        setWordWrap(true);
    }

    int heightForWidth(int width) const override {
        const QMargins margins = contentsMargins();
        const int inner = std::max(width - margins.left() - margins.right() - 2 * margin(), 1);
        int height = 0;
        for (bool wholePartTip : {true, false}) {
            const QRect needed = fontMetrics().boundingRect(QRect(0, 0, inner, 100000),
                                                            int(alignment()) | Qt::TextWordWrap, TipText(wholePartTip));
            height = std::max(height, needed.height());
        }
        return height + margins.top() + margins.bottom() + 2 * margin();
    }
    QSize sizeHint() const override {
        const int width = QLabel::sizeHint().width();
        return {width, heightForWidth(width)};
    }
    QSize minimumSizeHint() const override { return {QLabel::minimumSizeHint().width(), heightForWidth(width())}; }
};

// Wide enough for any 32-bit number with its sign at the field's font.
void FitToLongestNumber(QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const QMargins margins = field->textMargins();
    const int kTextMargin = 2;  // the line edit's own margin on each side of the text
    const QSize text(field->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 2 * kTextMargin +
                         margins.left() + margins.right() + 1,
                     field->fontMetrics().height());
    field->setFixedWidth(field->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, field).width());
}

template <std::size_t N>
QStringList Items(const std::array<std::string, N>& items) {
    QStringList list;
    for (const auto& item : items) list << ToQString(item);
    return list;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QString(":/icons/quorvel-%1.png").arg(size));
    return icon;
}

void Name(QWidget* widget, const char* name, const char* description = nullptr) {
    widget->setAccessibleName(QString::fromUtf8(name));
    if (description) widget->setAccessibleDescription(QString::fromUtf8(description));
}

OperandFields ReadFields(QLineEdit* whole, QLineEdit* numerator, QLineEdit* denominator) {
    return {FromQString(whole->text()), FromQString(numerator->text()), FromQString(denominator->text())};
}

}  // namespace

Form1::Form1(PlatformServices& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName("Form1");
    setWindowTitle(QString(41, ' ') + "Quorvel");
    setWindowIcon(ProgramIcon());
    setFont(FontOf(kWindowFonts, 14));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildPanel1();
    BuildPanel2();
    BuildPanel3();
    WebBrowser1 = new HtmlView(this);
    WebBrowser1->setObjectName("WebBrowser1");
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    layout->addWidget(Panel3);
    layout->addWidget(WebBrowser1, 1);
    Panel2->hide();
    Panel3->hide();

    ConnectHandlers();
    NameControls();
    // Queued: the engine is still tearing the old page down when it reports.
    connect(WebBrowser1, &HtmlView::PageLost, this, [this] { Guarded([this] { RestorePage(); }); }, Qt::QueuedConnection);
    qApp->installEventFilter(this);

    PlaceWindow();

    form3_ = std::make_unique<Form3>([this](int row) { RadioGroup4->SetItemIndex(row); }, this);
}

Form1::~Form1() { qApp->removeEventFilter(this); }

void Form1::PlaceWindow() {
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

QWidget* Form1::MakePanel(const char* name, int designHeight) {
    auto* panel = new QWidget(this);
    panel->setObjectName(name);
    panel->setMinimumHeight(Design(designHeight));
    return panel;
}

// Margins and gaps of the design, which are narrower than the style's.
void Form1::Compact(QLayout* layout) {
    const int gap = Design(6);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
}

void Form1::BuildPanel1() {
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
    left->addStretch();
    row->addLayout(left);

    RadioGroup1 = new RadioGroup("RadioGroup1", "Schwierigkeitsgrad", Items(DifficultyItems()), Panel1);
    RadioGroup2 = new RadioGroup("RadioGroup2", ToQString("Art der Brüche"_w), Items(KindItems()), Panel1);
    RadioGroup3 = new RadioGroup("RadioGroup3", ToQString("Für den Druck"_w), {"Einzelne Aufgabe", "Aufgaben sammeln"}, Panel1);
    for (RadioGroup* group : {RadioGroup1, RadioGroup2, RadioGroup3}) {
        Compact(group->layout());
        row->addWidget(group);
    }
}

void Form1::BuildPanel2() {
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
    Enr = MakeEdit(Panel2, "Enr", "Bsp.");
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

void Form1::BuildPanel3() {
    Panel3 = MakePanel("Panel3", 116);
    auto* grid = new QGridLayout(Panel3);
    Compact(grid);
    grid->setVerticalSpacing(Design(2));

    Eg1 = MakeEdit(Panel3, "Eg1", "");
    Ez1 = MakeEdit(Panel3, "Ez1", "7");
    En1 = MakeEdit(Panel3, "En1", "14");
    Eg2 = MakeEdit(Panel3, "Eg2", "");
    Ez2 = MakeEdit(Panel3, "Ez2", "18");
    En2 = MakeEdit(Panel3, "En2", "27");
    Eg = MakeEdit(Panel3, "Eg", " ");
    Ez = MakeEdit(Panel3, "Ez", "");
    En = MakeEdit(Panel3, "En", "");
    for (QLineEdit* result : {Eg, Ez, En}) result->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
    for (QLineEdit* whole : {Eg1, Eg2, Eg}) {
        whole->setFont(FontOf(kWholePartFonts, 17));
        whole->setMaximumWidth(Design(48));
        SetBackground(whole, palette().color(QPalette::Button));
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
    grid->setColumnStretch(8, 1);
}

// What a screen reader announces, and the typing flow as the Tab order.
void Form1::NameControls() {
    Name(Button2, "Start", "Zu den Aufgaben");
    Name(Button1, "Schließen", "Beendet das Programm");
    Name(Button4, "Erklärungen", "Zeigt die Anleitung");
    Name(Bggtkgv, "ggT und kgV", "Erklärt größten gemeinsamen Teiler und kleinstes gemeinsames Vielfaches");
    Name(Button3, "Drucken", "Druckvorschau der Seite");
    Name(Button5, "Zurück", "Zurück zu den Einstellungen");
    Name(Button7, "Hinweise", "Hinweise zu Aufgabennummern und zum schnellen Eintippen");
    Name(BB6, "Neue Aufgabe", "Stellt die nächste Aufgabe; Taste n stellt und rechnet sie");
    Name(Enr, "Aufgabennummer");
    Name(Memo1, "Bedienungshinweis");
    Name(Eg1, "Ganze Zahl des ersten Bruchs", "Leer lassen, wenn der Bruch keine ganze Zahl hat");
    Name(Ez1, "Zähler des ersten Bruchs");
    Name(En1, "Nenner des ersten Bruchs", "Eingabetaste fragt nach der Rechenart");
    Name(BB, "Rechenzeichen", "Rechnet die Aufgabe aus wie das Gleichheitszeichen");
    Name(Eg2, "Ganze Zahl des zweiten Bruchs", "Leer lassen, wenn der Bruch keine ganze Zahl hat");
    Name(Ez2, "Zähler des zweiten Bruchs");
    Name(En2, "Nenner des zweiten Bruchs");
    Name(BBgleich, "Gleich: ausrechnen", "Trägt das Ergebnis ein und zeigt den Rechenweg");
    Name(Eg, "Ergebnis: ganze Zahl");
    Name(Ez, "Ergebnis: Zähler");
    Name(En, "Ergebnis: Nenner");
    Name(Label2, "Tipp");
    Name(Button9, "Speichern", "Speichert die Rechnungen als HTML-Datei");
    Name(Button8, "Drucken", "Druckvorschau der Rechnungen");
    Name(Button10, "Löschen", "Löscht die gesammelten Rechnungen");
    Name(WebBrowser1, "Rechenweg");
    QWidget* flow[] = {Enr, Eg1, Ez1, En1, Eg2, Ez2, En2, BBgleich, BB6, Button9, Button8, Button10, Button5, Button7};
    for (std::size_t i = 1; i < std::size(flow); ++i) setTabOrder(flow[i - 1], flow[i]);
}

void Form1::ConnectHandlers() {
    auto on = [this](QPushButton* button, void (Form1::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(Button2, &Form1::Button2Click);
    on(Button5, &Form1::Button5Click);
    on(Button1, &Form1::Button1Click);
    on(Button4, &Form1::Button4Click);
    on(Button7, &Form1::Button7Click);
    on(Bggtkgv, &Form1::BggtkgvClick);
    on(Button3, &Form1::Button8Click);
    on(Button8, &Form1::Button8Click);
    on(Button9, &Form1::Button9Click);
    on(Button10, &Form1::Button10Click);
    on(BB, &Form1::LGleichClick);
    on(BBgleich, &Form1::LGleichClick);
    connect(BB6, &QPushButton::clicked, this, [this] { Guarded([this] { Button6Click(BB6); }); });

    auto onClick = [this](RadioGroup* group, void (Form1::*handler)()) {
        connect(group, &RadioGroup::Click, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    onClick(RadioGroup2, &Form1::RadioGroup2Click);
    onClick(RadioGroup3, &Form1::RadioGroup3Click);
    onClick(RadioGroup4, &Form1::RadioGroup4Click);

    connect(Eg1, &QLineEdit::textChanged, this, [this] {
        ColourByContent(Eg1);
        ShowTip(true);
    });
    connect(Ez1, &QLineEdit::textChanged, this, [this] { ShowTip(false); });
    connect(Eg2, &QLineEdit::textChanged, this, [this] { ColourByContent(Eg2); });
    connect(Eg, &QLineEdit::textChanged, this, [this] { ColourByContent(Eg); });
}

void Form1::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void Form1::ShowError(const std::string& message) { services_.ShowError(this, ToQString(message + ".")); }

// ---- start-up and screens ----

bool Form1::event(QEvent* event) {
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
        QTimer::singleShot(0, this, [this] { Guarded([this] { FormPaint(); }); });
    }
    return handled;
}

void Form1::FormPaint() {
    if (firstPaint_) {
        firstPaint_ = false;
        ShowSheet(InstructionsPage());
    }
    // The cursor goes into the exercise when it stands nowhere on the
    // exercise screen, as after "Start". It never leaves a control of that
    // screen or the page below, where the pupil put it, and it is not moved
    // while the window is inactive or a modal window is open: the window's
    // focus then only waits for the window to come back.
    if (!Panel3->isVisible() || !isActiveWindow() || QApplication::activeModalWidget() != nullptr) return;
    QWidget* focus = focusWidget();
    const bool placed = focus && focus->isVisible() &&
                        (Panel2->isAncestorOf(focus) || Panel3->isAncestorOf(focus) || WebBrowser1->isAncestorOf(focus));
    if (!placed) MoveFocus(Eg1);
}

void Form1::Button2Click() {
    WebBrowser1->ShowBlank();
    Button4->setVisible(true);
    Button7->setVisible(true);
    Panel1->hide();
    Panel2->show();
    Panel3->show();
    // The hidden "Start" button handed its focus on to some control; the
    // repaint below puts the cursor into the exercise instead.
    if (QWidget* focus = focusWidget()) focus->clearFocus();
    update();
}

void Form1::Button5Click() {
    Panel2->hide();
    Panel3->hide();
    Panel1->show();
}

void Form1::Button1Click() { close(); }

// ---- help pages ----

void Form1::Button4Click() { ShowSheet(InstructionsPage()); }

void Form1::Button7Click() { ShowSheet(HintsPage()); }

void Form1::BggtkgvClick() {
    Button4->setVisible(true);
    ShowSheet(GcdLcmPage());
}

// ---- the document ----

void Form1::ShowSheet(const std::string& text) {
    const bool collect = RadioGroup3->ItemIndex() != 0;
    const std::uint64_t before = document_.Revision();
    const std::size_t oldSize = document_.Text().size();
    document_.ShowSheet(text, collect);
    auto document = [this] { return WrapInDocument(document_.Text()); };
    if (collect) {
        // A growing collection is added to the page instead of reloading it.
        const std::string_view added = std::string_view(document_.Text()).substr(oldSize);
        WebBrowser1->AppendToBody(added, before, document_.Revision(), document);
    } else {
        WebBrowser1->ShowDocument(document(), document_.Revision());
    }
}

// The page was lost with the engine's page process: the document, which the
// program holds, is shown again in a new one. Nothing collected is lost.
void Form1::RestorePage() {
    if (!WebBrowser1->IsPageLost()) return;  // something was loaded since
    if (WebBrowser1->HoldsDocument()) {
        WebBrowser1->ShowDocument(WrapInDocument(document_.Text()), document_.Revision());
    } else {
        WebBrowser1->ShowBlank();
    }
}

void Form1::Button9Click() {
    SaveRequest request{lastFileName_, {"HTML (*.html)", "Alle Dateien (*.*)"}, "html"};
    std::optional<QString> fileName = services_.AskSaveFileName(this, request);
    if (!fileName) {
        services_.ShowMessage(this, "Nicht gespeichert");
        return;
    }
    lastFileName_ = *fileName;
    const QString failure = WriteFailure(SaveDocument(*fileName, WrapInDocument(document_.Text())), *fileName);
    if (!failure.isEmpty()) services_.ShowError(this, failure + ".");
}

void Form1::Button8Click() {
    RestorePage();  // never a lost page
    if (preparingPrint_) return;
    if (WebBrowser1->url().isEmpty()) return;  // no page at all yet; the empty page after "Start" prints
    // The PDF of the page comes later. Until then the window takes nothing,
    // so that the preview shows the page as it was when "Drucken" was clicked.
    preparingPrint_ = true;
    QPointer<QWidget> focus = QApplication::focusWidget();
    setEnabled(false);
    PreparePdf(*WebBrowser1, [this, focus](std::optional<QByteArray> pdf) {
        preparingPrint_ = false;
        setEnabled(true);
        if (focus) focus->setFocus();
        Guarded([&] {
            if (!pdf || !services_.ShowPrintPreview(this, *pdf)) {
                services_.ShowMessage(this, "Druckervorschau fehlgeschlagen");
            }
        });
    });
}

void Form1::Button10Click() {
    document_.Clear();
    ShowSheet("");
}

void Form1::RadioGroup3Click() { Button10Click(); }

// ---- posing exercises ----

void Form1::ClearResultFields() {
    for (QLineEdit* field : {Eg, Ez, En}) SetFieldText(field, "");
    for (QLabel* label : {L1, L2, LErg}) label->clear();
}

void Form1::Button6Click(QObject* trigger) {
    ClearResultFields();
    ExerciseSettings settings{FromQString(Enr->text()), RadioGroup1->ItemIndex(), RadioGroup2->ItemIndex(),
                              RadioGroup4->ItemIndex(), CurrentOperator(), trigger == BB6};
    PosedExercise posed = generator_.Pose(settings);
    Enr->setText(ToQString(posed.exerciseNumber));
    SetFieldText(Ez1, posed.Ez1);
    SetFieldText(En1, posed.En1);
    SetFieldText(Ez2, posed.Ez2);
    SetFieldText(En2, posed.En2);
    SetFieldText(Eg1, posed.Eg1);
    SetFieldText(Eg2, posed.Eg2);
    BB->setText(QString(QChar(posed.op)));
    Label2->hide();
}

void Form1::RadioGroup4Click() {
    ClearResultFields();
    const int row = RadioGroup4->ItemIndex();
    if (row >= 0 && row < 4) BB->setText(QString(QChar(kOperators[row])));
}

void Form1::RadioGroup2Click() {
    SetBackground(Eg1, RadioGroup2->ItemIndex() == kMixedNumbers ? kWhite : palette().color(QPalette::Button));
    SetBackground(Eg2, Eg1->palette().color(QPalette::Base));
    SetBackground(Eg, Eg1->palette().color(QPalette::Base));
}

// ---- "=" ----

char Form1::CurrentOperator() const {
    const QString caption = BB->text();
    return caption.isEmpty() ? '+' : char(caption.at(0).toLatin1());
}

void Form1::LGleichClick() {
    Label2->hide();
    if (Panel3->isVisible()) MoveFocus(Eg1);
    OperandFields first = ReadFields(Eg1, Ez1, En1);
    OperandFields second = ReadFields(Eg2, Ez2, En2);
    sheet_.context = {FromQString(Enr->text()), FromQString(RadioGroup1->Item(RadioGroup1->ItemIndex())),
                      FromQString(RadioGroup2->Item(RadioGroup2->ItemIndex())), std::string(1, CurrentOperator())};
    sheet_.labels = {FromQString(L1->text()), FromQString(L2->text()), FromQString(LErg->text())};
    // The fields' rewrites and the labels show also when the walkthrough fails.
    auto writeBack = [&] {
        WriteFields(Eg1, Ez1, En1, first);
        WriteFields(Eg2, Ez2, En2, second);
        L1->setText(ToQString(sheet_.labels.first));
        L2->setText(ToQString(sheet_.labels.second));
        LErg->setText(ToQString(sheet_.labels.result));
    };
    Evaluation evaluation;
    try {
        evaluation = EvaluateExercise(first, second, RadioGroup2->ItemIndex(), sheet_);
    } catch (...) {
        writeBack();
        throw;
    }
    writeBack();
    if (evaluation.outcome != EvaluationOutcome::Solved) {
        services_.ShowMessage(this, ToQString(UnreadableOperandMessage(evaluation.outcome)));
        return;
    }
    WriteFields(Eg, Ez, En, evaluation.result);
    if (document_.HoldsInstructions()) document_.Clear();
    ShowSheet(sheet_.lines.Join());
}

// ---- fields, tips and colours ----

void Form1::WriteFields(QLineEdit* whole, QLineEdit* numerator, QLineEdit* denominator,
                        const OperandFields& texts) {
    SetFieldText(whole, texts.whole);
    SetFieldText(numerator, texts.numerator);
    SetFieldText(denominator, texts.denominator);
}

void Form1::SetFieldText(QLineEdit* field, const std::string& text) {
    const QString value = ToQString(text);
    if (field->text() != value) field->setText(value);
}

void Form1::SetBackground(QLineEdit* field, const QColor& colour) { Recolour(field, QPalette::Base, colour); }

void Form1::ColourByContent(QLineEdit* field) {
    SetBackground(field, field->text().isEmpty() ? palette().color(QPalette::Button) : kWhite);
}

void Form1::ShowTip(bool wholePartTip) {
    Label2->setText(TipText(wholePartTip));
    Recolour(Label2, QPalette::Window, wholePartTip ? kAqua : palette().color(QPalette::Button));
    Label2->show();
}

// ---- keyboard ----

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == Eg1 || watched == Ez1)) {
        // Eg1Click and Ez1Click.
        if (watched == Eg1) ColourByContent(Eg1);
        ShowTip(watched == Eg1);
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (preparingPrint_ && widget->window() == this) return true;  // no input while a preview is prepared
    // Keys reach the control that has the focus; the window sees them first.
    if (widget->window() != this || (widget != QApplication::focusWidget() && widget != focusWidget())) return false;
    // A key whose handler fails was acted on all the same: it stays swallowed.
    bool swallowed = true;
    Guarded([&] { swallowed = FormKeyPress(watched, static_cast<QKeyEvent*>(event)); });
    return swallowed;
}

bool Form1::FormKeyPress(QObject* target, QKeyEvent* key) {
    if (key->text() == "n") {
        // On the settings screen the fields are hidden: the key does nothing there.
        if (Panel3->isVisible()) {
            Button6Click(BB6);
            LGleichClick();
        }
        return true;
    }
    if (auto* field = qobject_cast<QLineEdit*>(target)) {
        if (FieldKeyPress(field, key)) return true;
    }
    if (key->key() == Qt::Key_Escape) {
        (Panel1->isVisible() ? Button2 : Button5)->click();
        return true;
    }
    if (IsEnter(key)) {
        if (auto* button = qobject_cast<QPushButton*>(target)) {
            button->click();
            return true;
        }
        if (Panel1->isVisible()) {
            Button2->click();
            return true;
        }
    }
    return false;
}

bool Form1::FieldKeyPress(QLineEdit* field, QKeyEvent* key) {
    const bool enter = IsEnter(key);
    const bool slash = key->text() == "/";
    if ((field == Ez1 || field == Ez2) && (enter || slash)) {
        MoveFocus(field == Ez1 ? En1 : En2);
        return true;
    }
    if (!enter) return false;
    if (field == Enr) {
        MoveFocus(Eg1);
    } else if (field == Eg1) {
        MoveFocus(Ez1);
    } else if (field == En1) {
        AskOperator();
        MoveFocus(Eg2);
    } else if (field == Eg2) {
        MoveFocus(Ez2);
    } else if (field == En2) {
        services_.ShowMessage(this, ToQString(kReminder));
        MoveFocus(BBgleich);
    } else {
        return false;
    }
    return true;
}

// Like a move by the Tab key: a field's whole text is selected, so what the
// pupil types next replaces it.
void Form1::MoveFocus(QWidget* target) {
    target->setFocus(Qt::TabFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(target)) field->selectAll();
}

void Form1::AskOperator() {
    // The dialog has no "mischen": that row becomes "Division".
    form3_->RadioGroup4->SetItemIndex(std::min(RadioGroup4->ItemIndex(), 3));
    form3_->exec();
    activateWindow();
}

}  // namespace quorvel
