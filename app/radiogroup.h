// A captioned group of radio buttons with one selected row. Click runs
// whenever the selected row changes, by the user or by the program;
// selecting the row already selected runs nothing.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

#include "model/controls.h"

namespace quorvel {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // Its rows are named "<object name>_<row>".
    RadioGroup(Element element, const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const { return buttons_.checkedId(); }
    void SetItemIndex(int row);
    QString Item(int row) const;
    int Count() const { return int(buttons_.buttons().size()); }
    QAbstractButton* Button(int row) const { return buttons_.button(row); }

signals:
    void Click();

private:
    QButtonGroup buttons_;
};

}  // namespace quorvel
