// The window's building blocks: fonts and colours of the design, controls
// made with their object names and accessible names from the table of the
// controls, and the tip label.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QStringList>
#include <string>

#include "model/controls.h"
#include "view/qtext.h"

class QFrame;
class QIcon;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace quorvel {

inline const QColor kWhite(255, 255, 255);
inline const QColor kAqua(0, 255, 255);
inline const QStringList kWindowFonts = {"MS Sans Serif", "Liberation Sans", "DejaVu Sans", "Sans Serif"};
inline const QStringList kWholePartFonts = {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Monospace"};

// The first family that the system has, at a size of the design.
QFont FontOf(const QStringList& families, int designPixels, bool bold = false);
void Recolour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
QPushButton* MakeButton(QWidget* parent, Element element, const QString& caption);
QLineEdit* MakeEdit(QWidget* parent, Element element);  // its text is the model's
// A black bar between a numerator and a denominator field.
QFrame* MakeBar(QWidget* parent, Element element);
// Wide enough for any 32-bit number with its sign at the field's font.
void FitToLongestNumber(QLineEdit* field);
QIcon ProgramIcon();
// The ASCII character a key types, or '\0' for any other key.
char TypedCharacter(const QKeyEvent* key);
// What a screen reader announces of the element, as the table has it.
void Name(QWidget* widget, Element element, bool checking = false);

// The widget with the element's object name and accessible names.
template <class Widget>
Widget* Identified(Widget* widget, Element element) {
    widget->setObjectName(QString::fromLatin1(ObjectName(element)));
    Name(widget, element);
    return widget;
}

template <class Label = QLabel>
Label* MakeLabel(QWidget* parent, Element element, const QString& caption) {
    auto* label = Identified(new Label(parent), element);
    label->setText(caption);
    return label;
}

// The rows of a group as the settings have them.
template <class Strings>
QStringList Items(const Strings& items) {
    QStringList list;
    for (const auto& item : items) list << ToQString(item);
    return list;
}

// The tip under the fields. It keeps its room while hidden, and its height
// for a width is what the longer of its texts needs, whichever it shows, so
// that showing, hiding or changing it never moves or resizes the page below
// (which would make the engine lay out the whole, possibly long, page again).
class TipLabel : public QLabel {
public:
    explicit TipLabel(QWidget* parent);
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace quorvel
