#include "app/radiogroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "app/widgets.h"

namespace quorvel {

RadioGroup::RadioGroup(Element element, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(this) {
    Identified(this, element);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    for (int row = 0; row < items.size(); ++row) {
        auto* button = new QRadioButton(items[row], this);
        button->setObjectName(objectName() + "_" + QString::number(row));
        buttons_.addButton(button, row);
        layout->addWidget(button);
    }
    buttons_.button(0)->setChecked(true);
    connect(&buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Click();
    });
}

void RadioGroup::SetItemIndex(int row) {
    if (auto* button = buttons_.button(row)) button->setChecked(true);
}

QString RadioGroup::Item(int row) const {
    auto* button = buttons_.button(row);
    return button ? button->text() : QString();
}

}  // namespace quorvel
