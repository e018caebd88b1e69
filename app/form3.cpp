#include "app/form3.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "view/qtext.h"
#include "app/radiogroup.h"
#include "app/scaling.h"
#include "exercise/settings.h"

namespace quorvel {

Form3::Form3(std::function<void(int)> rowChanged, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), rowChanged_(std::move(rowChanged)) {
    setObjectName("Form3");
    setWindowTitle("Eingabe");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    // The operations without "mischen".
    QStringList rows;
    for (int row = 0; row < 4; ++row) rows << ToQString(OperationItems()[std::size_t(row)]);
    RadioGroup4 = new RadioGroup("RadioGroup4", "Rechenoperation", rows, this);
    Button1 = new QPushButton("Ok", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setAccessibleName("Ok");
    Button1->setAccessibleDescription(QString::fromUtf8("Übernimmt die Rechenart; auch + - * : / wählen und bestätigen"));
    setAccessibleName("Eingabe der Rechenart");
    layout->addWidget(RadioGroup4);
    layout->addWidget(Button1);
    connect(RadioGroup4, &RadioGroup::Click, this, &Form3::RadioGroup4Click);
    connect(Button1, &QPushButton::clicked, this, &Form3::Button1Click);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    installEventFilter(this);
    FormCreate();
}

void Form3::FormCreate() {
    adjustSize();
    move(Design(526), 0);
}

void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The focus stands on the selected row, so the arrow keys select rows.
    if (QAbstractButton* row = RadioGroup4->Button(RadioGroup4->ItemIndex())) row->setFocus(Qt::OtherFocusReason);
}

void Form3::RadioGroup4Click() { rowChanged_(RadioGroup4->ItemIndex()); }

void Form3::Button1Click() {
    rowChanged_(RadioGroup4->ItemIndex());
    accept();
}

void Form3::reject() { Button1Click(); }

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible()) {
        if (FormKeyPress(static_cast<QKeyEvent*>(event))) return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool Form3::FormKeyPress(QKeyEvent* key) {
    const QString text = key->text();
    int row = text == "+" ? 0 : text == "-" ? 1 : text == "*" ? 2 : (text == "/" || text == ":") ? 3 : -1;
    if (row < 0) return false;
    RadioGroup4->SetItemIndex(row);
    Button1Click();
    return true;
}

}  // namespace quorvel
