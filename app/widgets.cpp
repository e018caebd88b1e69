#include "app/widgets.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "app/scaling.h"
#include "model/trainer.h"

namespace quorvel {

namespace {

QString TipText(bool wholePartTip) { return ToQString(TrainerModel::TipText(wholePartTip)); }

}  // namespace

QFont FontOf(const QStringList& families, int designPixels, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(Design(designPixels));
    font.setBold(bold);
    return font;
}

void Recolour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPushButton* MakeButton(QWidget* parent, Element element, const QString& caption) {
    auto* button = Identified(new QPushButton(caption, parent), element);
    button->setAutoDefault(false);
    // The style's usual minimum width would make the window wider than
    // designed; a button may shrink to its caption where room is short.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + Design(16));
    return button;
}

QLineEdit* MakeEdit(QWidget* parent, Element element) { return Identified(new QLineEdit(parent), element); }

QFrame* MakeBar(QWidget* parent, Element element) {
    auto* bar = Identified(new QFrame(parent), element);
    bar->setFixedHeight(Design(4));
    bar->setAutoFillBackground(true);
    Recolour(bar, QPalette::Window, Qt::black);
    return bar;
}

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

char TypedCharacter(const QKeyEvent* key) {
    const QString text = key->text();
    return text.size() == 1 && text.at(0).unicode() < 128 ? char(text.at(0).unicode()) : '\0';
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QString(":/icons/quorvel-%1.png").arg(size));
    return icon;
}

void Name(QWidget* widget, Element element, bool checking) {
    const ElementNames& names = NamesOf(element);
    if (!names.Name(checking).empty()) widget->setAccessibleName(ToQString(names.Name(checking)));
    if (!names.Description(checking).empty()) widget->setAccessibleDescription(ToQString(names.Description(checking)));
}

TipLabel::TipLabel(QWidget* parent) : QLabel(parent) {
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    setWordWrap(true);
}

int TipLabel::heightForWidth(int width) const {
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

QSize TipLabel::sizeHint() const {
    const int width = QLabel::sizeHint().width();
    return {width, heightForWidth(width)};
}

QSize TipLabel::minimumSizeHint() const { return {QLabel::minimumSizeHint().width(), heightForWidth(width())}; }

}  // namespace quorvel
