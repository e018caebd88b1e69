// The typing flow: which control a key goes to, and what a key does there.
// Enter walks through the operand fields, "/" ends a numerator, Enter in the
// first denominator asks for the operation, Enter in the second reminds the
// pupil to work on paper before "=". When the pupil's result is checked, the
// flow goes on through the result fields and ends with the check.
#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

// The controls the flow speaks of: the fields in the order of their places
// on the screen, then "=", and where else the focus may stand.
enum class Control {
    ExerciseNumber,
    FirstWhole, FirstNumerator, FirstDenominator,
    SecondWhole, SecondNumerator, SecondDenominator,
    ResultWhole, ResultNumerator, ResultDenominator,
    Equals,                                          // "="
    ExerciseControl,                                 // any other control of the exercise screen
    View,                                            // the page of worked solutions
    Elsewhere,                                       // the settings screen, a hidden control, nothing
};
inline constexpr int kFieldCount = 10;
inline constexpr bool IsField(Control c) { return int(c) >= 0 && int(c) < kFieldCount; }

// A key as the flow sees it: Enter, Esc, or the character it types.
struct Keystroke {
    enum Kind { Enter, Escape, Character } kind = Character;
    char character = 0;  // for Character
};

// A key named as a browser names it: "Enter", "Escape", or the one ASCII
// character it types; any other key types nothing the flow knows.
Keystroke KeystrokeNamed(std::string_view key);

// What a key in a field does beyond being typed.
struct FieldKeyEffect {
    std::optional<Control> next;  // the field or button the focus moves to
    bool askOperator = false;     // the operator dialog before the move
    bool remind = false;          // the reminder before the move
    bool check = false;           // check the pupil's result ("=") instead of a move
};

// Nothing if the key is typed into the field as usual; else the key is
// swallowed and has this effect.
std::optional<FieldKeyEffect> FieldKey(Control field, Keystroke key, bool checking = false);

// The operator dialog's row of a key "+", "-", "*", "/" or ":"; nothing for
// any other key.
std::optional<int> OperatorRowOfKey(char key);

}  // namespace quorvel
