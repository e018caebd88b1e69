// The operator dialog "Eingabe": asks for the operation while an exercise is
// typed. A key "+", "-", "*", ":" or "/" selects and confirms at once. A thin
// view of the model's dialog.
#pragma once

#include <QDialog>

class QPushButton;

namespace quorvel {

class RadioGroup;
class TrainerModel;
struct TrainerState;

class OperatorDialog : public QDialog {
    Q_OBJECT
public:
    OperatorDialog(TrainerModel& model, QWidget* parent = nullptr);

    // Selects the model's row, and closes the dialog when the model's is closed.
    void Follow(const TrainerState& state);

    RadioGroup* operationGroup;  // the operations without "mischen"
    QPushButton* okButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // Esc confirms like "Ok"
    void showEvent(QShowEvent* event) override;

private:
    // Wide enough for its caption, at the designed place.
    void Place();

    TrainerModel& model_;
};

}  // namespace quorvel
