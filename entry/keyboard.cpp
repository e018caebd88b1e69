#include "entry/keyboard.h"

#include "exercise/settings.h"

namespace quorvel {

Keystroke KeystrokeNamed(std::string_view key) {
    if (key == "Enter") return {Keystroke::Enter};
    if (key == "Escape") return {Keystroke::Escape};
    const bool ascii = key.size() == 1 && static_cast<unsigned char>(key[0]) < 0x80;
    return {Keystroke::Character, ascii ? key[0] : '\0'};
}

std::optional<FieldKeyEffect> FieldKey(Control field, Keystroke key, bool checking) {
    const bool enter = key.kind == Keystroke::Enter;
    const bool slash = key.kind == Keystroke::Character && key.character == '/';
    if ((field == Control::FirstNumerator || field == Control::SecondNumerator) && (enter || slash)) {
        return FieldKeyEffect{field == Control::FirstNumerator ? Control::FirstDenominator : Control::SecondDenominator};
    }
    if (checking && field == Control::ResultNumerator && (enter || slash)) return FieldKeyEffect{Control::ResultDenominator};
    if (!enter) return std::nullopt;
    if (checking) {
        switch (field) {
            case Control::SecondDenominator: return FieldKeyEffect{Control::ResultWhole};
            case Control::ResultWhole: return FieldKeyEffect{Control::ResultNumerator};
            case Control::ResultDenominator: return FieldKeyEffect{std::nullopt, false, false, true};
            default: break;
        }
    }
    switch (field) {
        case Control::ExerciseNumber: return FieldKeyEffect{Control::FirstWhole};
        case Control::FirstWhole: return FieldKeyEffect{Control::FirstNumerator};
        case Control::FirstDenominator: return FieldKeyEffect{Control::SecondWhole, true};
        case Control::SecondWhole: return FieldKeyEffect{Control::SecondNumerator};
        case Control::SecondDenominator: return FieldKeyEffect{Control::Equals, false, true};
        default: return std::nullopt;
    }
}

std::optional<int> OperatorRowOfKey(char key) {
    const int row = RowOfOperator(key == '/' ? ':' : key);
    if (row < 0) return std::nullopt;
    return row;
}

}  // namespace quorvel
