#include "app/operator_dialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/radiogroup.h"
#include "app/scaling.h"
#include "app/widgets.h"
#include "model/controls.h"
#include "model/trainer.h"

namespace quorvel {

OperatorDialog::OperatorDialog(TrainerModel& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), model_(model) {
    Identified(this, Element::OperatorDialog);
    setWindowTitle("Eingabe");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    operationGroup =
        new RadioGroup(Element::DialogOperationGroup, "Rechenoperation", Items(OperatorDialogItems()), this);
    okButton = Identified(new QPushButton("Ok", this), Element::OkButton);
    okButton->setDefault(true);
    layout->addWidget(operationGroup);
    layout->addWidget(okButton);
    connect(operationGroup, &RadioGroup::Click, this,
            [this] { model_.ChooseOperatorRow(operationGroup->ItemIndex()); });
    connect(okButton, &QPushButton::clicked, this, [this] { model_.ConfirmOperator(); });
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
    operationGroup->SetItemIndex(state.dialogRow);
    if (!state.dialogOpen && isVisible()) accept();
}

void OperatorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The focus stands on the selected row, so the arrow keys select rows.
    if (QAbstractButton* row = operationGroup->Button(operationGroup->ItemIndex())) row->setFocus(Qt::OtherFocusReason);
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
