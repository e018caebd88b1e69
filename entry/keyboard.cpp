#include "entry/keyboard.h"

#include "exercise/settings.h"

namespace quorvel {

std::optional<FieldKeyEffect> FieldKey(Control field, Keystroke key, bool checking) {
    const bool enter = key.kind == Keystroke::Enter;
    const bool slash = key.kind == Keystroke::Character && key.character == '/';
    if ((field == Control::Ez1 || field == Control::Ez2) && (enter || slash)) {
        return FieldKeyEffect{field == Control::Ez1 ? Control::En1 : Control::En2};
    }
    if (checking && field == Control::Ez && (enter || slash)) return FieldKeyEffect{Control::En};
    if (!enter) return std::nullopt;
    if (checking) {
        switch (field) {
            case Control::En2: return FieldKeyEffect{Control::Eg};
            case Control::Eg: return FieldKeyEffect{Control::Ez};
            case Control::En: return FieldKeyEffect{std::nullopt, false, false, true};
            default: break;
        }
    }
    switch (field) {
        case Control::Enr: return FieldKeyEffect{Control::Eg1};
        case Control::Eg1: return FieldKeyEffect{Control::Ez1};
        case Control::En1: return FieldKeyEffect{Control::Eg2, true};
        case Control::Eg2: return FieldKeyEffect{Control::Ez2};
        case Control::En2: return FieldKeyEffect{Control::BBgleich, false, true};
        default: return std::nullopt;
    }
}

std::optional<int> OperatorRowOfKey(char key) {
    const int row = RowOfOperator(key == '/' ? ':' : key);
    if (row < 0) return std::nullopt;
    return row;
}

}  // namespace quorvel
