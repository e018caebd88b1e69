// The operator dialog "Eingabe": asks for the operation while an exercise is
// typed. A key "+", "-", "*", ":" or "/" selects and confirms at once.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

namespace quorvel {

class RadioGroup;

class Form3 : public QDialog {
    Q_OBJECT
public:
    // rowChanged receives every row the dialog selects or confirms.
    explicit Form3(std::function<void(int)> rowChanged, QWidget* parent = nullptr);

    void FormCreate();
    void RadioGroup4Click();
    void Button1Click();

    RadioGroup* RadioGroup4;
    QPushButton* Button1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // Esc confirms like "Ok"
    void showEvent(QShowEvent* event) override;

private:
    bool FormKeyPress(QKeyEvent* key);
    std::function<void(int)> rowChanged_;
};

}  // namespace quorvel
