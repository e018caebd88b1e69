// The rows of the three setting groups, as the window shows them.
#pragma once

#include <array>
#include <string>

namespace quorvel {

// "Normal", "Könner", "Experte", "Rechengenie".
const std::array<std::string, 4>& DifficultyItems();
// "Echte Brüche", "Unechte Brüche", "Gemischte Zahlen".
const std::array<std::string, 3>& KindItems();
// "Addition", "Subtraktion", "Multiplikation", "Division", "mischen".
const std::array<std::string, 5>& OperationItems();

// "Einzelne Aufgabe", "Aufgaben sammeln".
const std::array<std::string, 2>& PrintModeItems();

// Rows of the kind-of-fractions group.
enum KindRow { kProperFractions = 0, kImproperFractions = 1, kMixedNumbers = 2 };
// The row of the operation group that mixes the operations.
inline constexpr int kMixedOperationRow = 4;
// The operators in the order of the operation rows.
inline constexpr int kOperatorCount = 4;
inline constexpr char kOperators[kOperatorCount] = {'+', '-', '*', ':'};

// The operator of an operation row; "+" for "mischen" (the operator button's
// caption at start).
inline constexpr char OperatorOfRow(int row) { return row >= 0 && row < kOperatorCount ? kOperators[row] : '+'; }
// The operation row of an operator; -1 for any other character.
inline constexpr int RowOfOperator(char op) {
    for (int row = 0; row < kOperatorCount; ++row) {
        if (kOperators[row] == op) return row;
    }
    return -1;
}

}  // namespace quorvel
