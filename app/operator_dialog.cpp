#include "app/operator_dialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/radiogroup.h"
#include "app/scaling.h"
#include "app/widgets.h"
#include "exercise/settings.h"
#include "model/trainer.h"

namespace quorvel {

OperatorDialog::OperatorDialog(TrainerModel& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), model_(model) {
    setObjectName("Form3");
    setWindowTitle("Eingabe");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    // The operations without "mischen".
    QStringList rows = Items(OperationItems()).mid(0, kMixedOperationRow);
    RadioGroup4 = new RadioGroup("RadioGroup4", "Rechenoperation", rows, this);
    Button1 = new QPushButton("Ok", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Name(Button1, "Ok", "Übernimmt die Rechenart; auch + - * : / wählen und bestätigen");
    setAccessibleName("Eingabe der Rechenart");
    layout->addWidget(RadioGroup4);
    layout->addWidget(Button1);
    connect(RadioGroup4, &RadioGroup::Click, this, [this] { model_.ChooseOperatorRow(RadioGroup4->ItemIndex()); });
    connect(Button1, &QPushButton::clicked, this, [this] { model_.ConfirmOperator(); });
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    installEventFilter(this);
    Place();
}

void OperatorDialog::Place() {
    adjustSize();
    // A window manager draws the caption beside its own buttons and an icon:
    // at the width of the controls alone it is cut to "Ein…be".
    QFont caption = font();
    caption.setBold(true);
    resize(width() + QFontMetrics(caption).horizontalAdvance(windowTitle()), height());
    move(Design(526), 0);
}

void OperatorDialog::Follow(const TrainerState& state) {
    RadioGroup4->SetItemIndex(state.dialogRow);
    if (!state.dialogOpen && isVisible()) accept();
}

void OperatorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The focus stands on the selected row, so the arrow keys select rows.
    if (QAbstractButton* row = RadioGroup4->Button(RadioGroup4->ItemIndex())) row->setFocus(Qt::OtherFocusReason);
}

void OperatorDialog::reject() { model_.ConfirmOperator(); }

bool OperatorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible()) {
        const char key = TypedCharacter(static_cast<QKeyEvent*>(event));
        if (key != '\0' && model_.OperatorDialogKey(key)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quorvel
